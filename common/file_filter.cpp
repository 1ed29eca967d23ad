#include "common/file_filter.h"

#include <string_view>

namespace stagora {
namespace {

constexpr char kItemSeparator = '|';
constexpr char kPatternSeparator = ';';
constexpr std::string_view kEveryFilePattern = "*.*";
constexpr std::string_view kQtEveryFilePattern = "*";

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    items.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return items;
    start = end + 1;
  }
}

std::string TrimBlanks(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<FileFilter> ParseFilterList(const std::string& list) {
  std::vector<FileFilter> filters;
  const std::vector<std::string> items = Split(list, kItemSeparator);
  for (std::size_t i = 0; i + 1 < items.size(); i += 2) {
    if (items[i].empty() || items[i + 1].empty()) break;
    FileFilter f;
    f.label = items[i];
    for (const std::string& p : Split(items[i + 1], kPatternSeparator)) {
      const std::string pattern = TrimBlanks(p);
      if (!pattern.empty()) f.patterns.push_back(pattern);
    }
    if (f.patterns.empty()) break;
    filters.push_back(std::move(f));
  }
  return filters;
}

std::vector<std::string> QtNameFilters(const std::string& list) {
  std::vector<std::string> out;
  for (const FileFilter& f : ParseFilterList(list)) {
    std::string entry = f.label + " (";
    for (std::size_t i = 0; i < f.patterns.size(); ++i) {
      if (i > 0) entry += ' ';
      entry += f.patterns[i] == kEveryFilePattern ? std::string(kQtEveryFilePattern) : f.patterns[i];
    }
    entry += ')';
    out.push_back(std::move(entry));
  }
  return out;
}

}  // namespace stagora
