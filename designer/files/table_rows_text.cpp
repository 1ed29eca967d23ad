#include "designer/files/table_rows_text.h"

#include "common/number_text.h"

namespace stagora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBlockStart = "[[";
constexpr std::string_view kBlockEnd = "]]";
// Runs of blanks and of line ends are shortened by this many halving passes, so a run of up
// to 2^3 becomes one; longer runs keep more, as the files written so far were read.
constexpr int kSqueezePasses = 3;

// Every occurrence of `from`, scanned left to right without overlap, becomes `to`.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  for (std::size_t hit; (hit = text.find(from, pos)) != std::string_view::npos; pos = hit + from.size()) {
    out.append(text, pos, hit - pos);
    out.append(to);
  }
  out.append(text.substr(pos));
  return out;
}

std::string_view TrimBlanks(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

double ReadNumber(std::string_view text, bool& unreadable) {
  std::string t(text);
  for (char& c : t) {
    if (c == ',') c = '.';
  }
  bool outOfRange = false;
  const double v = ValNUM(t, &outOfRange);
  unreadable = unreadable || outOfRange;
  return v;
}

bool Set(double v) { return v != kEmptyTableValue; }

}  // namespace

std::vector<TableRowText> TableRowsText(std::string_view text) {
  while (text.starts_with(kLineEnd)) text.remove_prefix(kLineEnd.size());
  while (text.ends_with(kLineEnd)) text.remove_suffix(kLineEnd.size());
  std::string rest = ReplaceAll(text, "\t", " ");
  for (int i = 0; i < kSqueezePasses; ++i) rest = ReplaceAll(rest, "  ", " ");
  for (int i = 0; i < kSqueezePasses; ++i) rest = ReplaceAll(rest, "\r\n\r\n", kLineEnd);
  rest += kLineEnd;

  std::vector<TableRowText> rows;
  std::string_view remaining = rest;
  for (int examined = 0; examined < kTableRows; ++examined) {
    const std::size_t end = remaining.find(kLineEnd);
    if (end == std::string_view::npos) break;
    const std::string_view line = remaining.substr(0, end);
    remaining.remove_prefix(end + kLineEnd.size());

    // A line without a blank holds no pair: a lone number, a stray marker, an empty line.
    if (const std::size_t blank = line.find(' '); blank != std::string_view::npos) {
      TableRowText row;
      row.x = ReadNumber(TrimBlanks(line.substr(0, blank)), row.unreadable);
      row.y = ReadNumber(TrimBlanks(line.substr(blank + 1)), row.unreadable);
      rows.push_back(row);
    }
    // Only blanks count as nothing left; a line end still leaves a line to look at.
    if (remaining.find_first_not_of(' ') == std::string_view::npos) break;
  }
  return rows;
}

std::vector<TableRowText> ClipboardTableRows(std::string_view text) {
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) crlf += '\r';
    crlf += text[i];
  }
  return TableRowsText(crlf);
}

std::optional<std::string_view> RowBlock(std::string_view fileText) {
  const std::size_t start = fileText.find(kBlockStart);
  const std::size_t end = fileText.find(kBlockEnd);
  if (start == std::string_view::npos || end == std::string_view::npos) return std::nullopt;
  const std::size_t first = start + kBlockStart.size();
  if (end < first) return std::nullopt;
  return fileText.substr(first, end - first);
}

std::string RowNumberText(double v) { return NumberText(v); }

std::string TableRowsFileText(const TableColumn& x, const TableColumn& y) {
  std::string out;
  for (int i = 0; i < kTableRows; ++i) {
    out += RowNumberText(x[i]);
    out += '\t';
    out += RowNumberText(y[i]);
    out += kLineEnd;
  }
  return out;
}

std::string TableRowsClipboardText(const TableColumn& x, const TableColumn& y) {
  const auto clipboardNumber = [](double v) {
    std::string t = RowNumberText(v);
    if (t.starts_with('.')) t.insert(t.begin(), '0');
    return t;
  };
  std::string out;
  for (int i = 0; i < kTableRows; ++i) {
    if (!Set(x[i]) || !Set(y[i])) continue;
    out += clipboardNumber(x[i]);
    out += '\t';
    out += clipboardNumber(y[i]);
    out += kLineEnd;
  }
  return out;
}

}  // namespace stagora
