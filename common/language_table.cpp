#include "common/language_table.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "common/text_case.h"
#include "platform/paths.h"
#include "platform/textfile.h"

namespace stagora {
namespace {

constexpr std::string_view kLanguageCode = "ENG";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLineBreakCode = "%CRLF%";

struct Entries {
  std::vector<std::string> keys;
  std::vector<std::string> texts;
};

std::string_view TrimLeadingBlanks(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view{} : s.substr(first);
}

std::string_view TrimBlanks(std::string_view s) {
  s = TrimLeadingBlanks(s);
  const auto last = s.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

// The key lines of a whole file. Only CR LF ends a line. A key line without its "]" or its
// "=" rejects the whole file, and so does a file without any key line: a half-read table
// would show some captions and silently lose others.
std::optional<Entries> ParseLanguageFile(std::string_view bytes) {
  if (bytes.empty()) return std::nullopt;
  Entries out;
  std::size_t pos = 0;
  while (pos <= bytes.size()) {
    const std::size_t end = std::min(bytes.find(kLineEnd, pos), bytes.size());
    const std::string_view line = TrimLeadingBlanks(bytes.substr(pos, end - pos));
    pos = end + kLineEnd.size();
    if (line.empty() || line.front() != '[') continue;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    const std::size_t equals = line.find('=', close);
    if (equals == std::string_view::npos) return std::nullopt;
    out.keys.push_back(UpperCase1252(TrimBlanks(line.substr(1, close - 1))));
    out.texts.emplace_back(line.substr(equals + 1));
  }
  if (out.keys.empty()) return std::nullopt;
  return out;
}

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  for (std::size_t hit = s.find(from); hit != std::string::npos;
       hit = s.find(from, hit + to.size()))
    s.replace(hit, from.size(), to);
}

}  // namespace

LanguageTable::LanguageTable(std::string objectCode) : objectCode_(std::move(objectCode)) {}

std::string LanguageTable::LanguageFilePath(const std::string& OBJ) const {
  const std::string folder =
      folder_.empty() ? plat::JoinPath(plat::ProgramFolder(), "lang") : folder_;
  return plat::JoinPath(folder, std::string(kLanguageCode) + "_WIN_" + OBJ + ".lmo");
}

bool LanguageTable::LoadIdioma(const std::string& OBJ) {
  if (objectCode_.empty()) objectCode_ = OBJ;
  return Load(OBJ);
}

bool LanguageTable::Load(const std::string& OBJ) const {
  IdiomaCargado_ = false;
  const std::string path = LanguageFilePath(OBJ);
  // Only a regular file is read (a folder or a FIFO of that name is refused at once).
  const std::optional<std::string> bytes = plat::ReadTextFile(path);
  if (!bytes) return false;
  std::optional<Entries> entries = ParseLanguageFile(*bytes);
  if (!entries) return false;
  IdiomaClaves_ = std::move(entries->keys);
  IdiomaTextos_ = std::move(entries->texts);
  IdiomaCargado_ = true;
  return true;
}

std::string LanguageTable::GetL_win(const std::string& Etiqueta, bool RemoveAMPERSAND) const {
  if (!IdiomaCargado_) {
    if (objectCode_.empty() || !Load(objectCode_)) return "";
  }
  const std::string key = UpperCase1252(TrimBlanks(Etiqueta));
  for (std::size_t i = 0; i < IdiomaClaves_.size(); ++i) {
    if (IdiomaClaves_[i] != key) continue;
    std::string text = IdiomaTextos_[i];
    ReplaceAll(text, kLineBreakCode, kLineEnd);
    if (RemoveAMPERSAND) std::erase(text, '&');
    return text;
  }
  return "";
}

}  // namespace stagora
