#include "designer/files/table_file.h"

#include <algorithm>
#include <cctype>

#include "designer/files/project_file.h"

namespace stagora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// The names are tagged as in a project file.
constexpr std::string_view kNameA = kProjectTagText[kTagA];
constexpr std::string_view kNameB = kProjectTagText[kTagB];

}  // namespace

std::string VleTableFileText(const VleTableFile& table) {
  std::string out;
  out.append(kNameA).append(table.A).append(">").append(kLineEnd);
  out.append(kNameB).append(table.B).append(">").append(kLineEnd);
  out.append("[[").append(kLineEnd);
  out.append(TableRowsFileText(table.X, table.Y));
  out.append("]]").append(kLineEnd);
  return out;
}

VleTableFileRead ReadVleTableFile(std::string_view text) {
  VleTableFileRead read;
  read.A = TaggedValue(text, kNameA);
  read.B = TaggedValue(text, kNameB);
  read.X.fill(kEmptyTableValue);
  read.Y.fill(kEmptyTableValue);
  const std::optional<std::string_view> block = RowBlock(text);
  if (!block) return read;
  read.hasRows = true;
  const std::vector<TableRowText> rows = TableRowsText(*block);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    read.X[k] = rows[k].x;
    read.Y[k] = rows[k].y;
  }
  return read;
}

std::string WithTableExtension(std::string path) {
  std::string tail = path.size() >= kTableExtension.size() ? path.substr(path.size() - kTableExtension.size()) : "";
  std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
  if (tail != kTableExtension) path += kTableExtension;
  return path;
}

}  // namespace stagora
