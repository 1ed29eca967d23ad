#include "designer/files/project_file.h"

#include <algorithm>
#include <cctype>

#include "designer/files/table_check.h"
#include "designer/files/table_rows_text.h"

namespace stagora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kVleAlpha = "<VLE=ALPHA>";
constexpr std::string_view kVleTable = "<VLE=TABLE>";
// Only this much of the mode line decides the mode when a file is read.
constexpr std::string_view kVleTablePrefix = "<VLE=TABLE";

std::string TrimBlanks(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The first fault of rows 0 to last. A number beyond the range of a double is out of range
// wherever it stands, before its neighbour's increase is checked against the 0 it reads as.
std::string_view CheckRows(const EquilibriumTable& t, const std::vector<TableRowText>& read, int last) {
  const int readRows = std::min(last + 1, static_cast<int>(read.size()));
  if (std::any_of(read.begin(), read.begin() + readRows, [](const TableRowText& r) { return r.unreadable; })) {
    return project_key::kDataOutRange;
  }
  return CheckTableRows(t.TablaX, t.TablaY, last);
}

}  // namespace

std::string ProjectFileText(const ProjectFile& project) {
  std::string out;
  for (int tag = 0; tag < kProjectTagCount; ++tag) {
    out += kProjectTagText[tag];
    out += TrimBlanks(project.values[tag]);
    out += '>';
    out += kLineEnd;
  }
  out += project.VleTable ? kVleTable : kVleAlpha;
  out += kLineEnd;
  out += "[[";
  out += kLineEnd;
  out += TableRowsFileText(project.table.TablaX, project.table.TablaY);
  out += "]]";
  out += kLineEnd;
  return out;
}

ProjectFileRead ReadProjectFile(std::string_view text) {
  ProjectFileRead result;
  for (int tag = 0; tag < kProjectTagCount; ++tag) result.values[tag] = TaggedValue(text, kProjectTagText[tag]);
  const std::optional<std::string_view> block = RowBlock(text);
  if (!block) {
    result.errorKey = project_key::kInvalidFormatFile;  // the values still go back
    return result;
  }
  result.VleTable = text.find(kVleTablePrefix) != std::string_view::npos;

  const std::vector<TableRowText> rows = TableRowsText(*block);
  EquilibriumTable& t = result.table;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    t.TablaX[k] = rows[k].x;
    t.TablaY[k] = rows[k].y;
  }
  // The first row whose x is empty ends the table; rows after it are kept but not used.
  const auto end = std::find(t.TablaX.begin(), t.TablaX.end(), kEmptyTableValue);
  const int last = static_cast<int>(end - t.TablaX.begin()) - 1;
  if (const std::string_view fault = CheckRows(t, rows, last); !fault.empty()) {
    ProjectFileRead refused;
    refused.errorKey = fault;
    return refused;
  }
  t.UltimoPuntoTabla = AddTableEndPoints(t.TablaX, t.TablaY, last);
  return result;
}

std::optional<std::string> TaggedValue(std::string_view text, std::string_view tag) {
  const std::size_t at = text.find(tag);
  if (at == std::string_view::npos) return std::nullopt;
  const std::size_t close = text.find('>', at);
  if (close == std::string_view::npos) return std::nullopt;
  const std::size_t first = at + tag.size();
  // A tag whose own text holds the ">" ("<A=" never does) leaves nothing between.
  if (close < first) return std::string();
  return std::string(text.substr(first, close - first));
}

std::string WithProjectExtension(std::string path) {
  std::string tail = path.size() >= kProjectExtension.size() ? path.substr(path.size() - kProjectExtension.size()) : "";
  std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
  if (tail != kProjectExtension) path += kProjectExtension;
  return path;
}

}  // namespace stagora
