// The equilibrium-table file (".vle"): the two component names and all 100 rows of the table,
// Windows-1252 text with CR LF line ends. The table editor reads project files through the same
// reader, since they hold the names and the row block in the same form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "designer/files/table_rows_text.h"

namespace stagora {

inline constexpr std::string_view kTableExtension = ".vle";
// A table file holds a few kilobytes, as does a project file, which the editor opens too; a
// file of more than this is neither and is refused before it is read.
inline constexpr std::uint64_t kLargestTableFile = 4 * 1024 * 1024;

// A table file as it is written.
struct VleTableFile {
  std::string A;  // the more volatile component, as typed; nothing is escaped
  std::string B;  // the less volatile component
  TableColumn X{};
  TableColumn Y{};
};

// The whole file, byte for byte: "<A=" A ">", "<B=" B ">", "[[", the 100 rows, "]]".
std::string VleTableFileText(const VleTableFile& table);

// What reading a table file (or a project file) found.
struct VleTableFileRead {
  // Each name as it stands between its tag and the next ">"; nothing when the tag or the ">"
  // is missing (the editor then keeps the name it had).
  std::optional<std::string> A;
  std::optional<std::string> B;
  // False when the text has no row block ("[[" or "]]" missing): the rows are then not to be
  // taken, while the names still are.
  bool hasRows = false;
  // The rows of the block from row 0 on, every other row empty (-1). A number beyond the
  // range of a double reads as 0, as everywhere numbers are read.
  TableColumn X{};
  TableColumn Y{};
};

VleTableFileRead ReadVleTableFile(std::string_view text);

// The path with ".vle" appended unless its last four characters already say so, in any case.
std::string WithTableExtension(std::string path);

}  // namespace stagora
