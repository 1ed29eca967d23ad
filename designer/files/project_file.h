// The project file (".sgr"): the two component names, the seven design values as the user
// typed them, the equilibrium mode and the whole equilibrium table, as tagged lines of
// Windows-1252 text with CR LF line ends. Reading checks everything before anything is taken:
// a file whose rows are refused hands back nothing but the reason; a file without a row block
// (cut off inside its rows) hands back its tagged values with the reason.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "designer/calculation/equilibrium.h"
#include "designer/files/table_check.h"

namespace stagora {

inline constexpr std::string_view kProjectExtension = ".sgr";
// A project holds a few kilobytes; a file of more than this is no project and is refused
// before it is read.
inline constexpr std::uint64_t kLargestProjectFile = 4 * 1024 * 1024;

// The tagged values, in the order the file holds them.
enum ProjectTag : int {
  kTagA,      // the more volatile component
  kTagB,      // the less volatile component
  kTagAlpha,  // relative volatility
  kTagQ,      // thermal state of the feed
  kTagZF,     // feed
  kTagXB,     // bottoms
  kTagXD,     // distillate
  kTagR,      // reflux ratio
  kTagE,      // overall plate efficiency
  kProjectTagCount
};
inline constexpr std::array<std::string_view, kProjectTagCount> kProjectTagText = {
    "<A=", "<B=", "<ALPHA=", "<Q=", "<ZF=", "<XB=", "<XD=", "<R=", "<E="};

// Language keys of the reasons a file is refused.
namespace project_key {
inline constexpr std::string_view kInvalidFormatFile = "InvalidFormatFile";
inline constexpr std::string_view kDataOutRange = table_key::kDataOutRange;
inline constexpr std::string_view kDataNoConsecutive = table_key::kDataNoConsecutive;
inline constexpr std::string_view kDataInvalidPureDisol = table_key::kDataInvalidPureDisol;
}  // namespace project_key

// A project as Save writes it.
struct ProjectFile {
  std::array<std::string, kProjectTagCount> values;  // as typed; blanks around are dropped
  bool VleTable = false;                              // table mode, else relative volatility
  EquilibriumTable table;                             // all rows are written, used or not
};

// The whole file, byte for byte.
std::string ProjectFileText(const ProjectFile& project);

// What opening a file found.
struct ProjectFileRead {
  std::string errorKey;  // "" when the file is taken, else one of project_key
  // Each value exactly as it stands between its tag and the next ">"; nothing when the tag or
  // the ">" is missing (the field then keeps what it had). Also there when the file has no
  // row block; nothing at all when its rows are refused.
  std::array<std::optional<std::string>, kProjectTagCount> values;
  bool VleTable = false;  // the text holds "<VLE=TABLE" anywhere
  // The rows as read, with the end points (0, 0) and (1, 1) added where a row is free, and
  // UltimoPuntoTabla the last row of the table.
  EquilibriumTable table;

  bool ok() const { return errorKey.empty(); }
  // Refused for want of a row block, with the tagged values read.
  bool NoRowBlock() const { return errorKey == project_key::kInvalidFormatFile; }
  // The mode the project opens in: the table only when it has two rows or more.
  bool TableMode() const { return VleTable && table.UltimoPuntoTabla >= 1; }
};

// Reads a project file's text. Tags are found anywhere, first occurrence; the row block is the
// text between the first "[[" and the first "]]". A file without a row block, or whose rows
// are out of 0..1, not strictly increasing in x and in y, or inconsistent at the pure
// components, is refused with the key of the first fault (the first with its values).
ProjectFileRead ReadProjectFile(std::string_view text);

// The text between the first occurrence of tag and the first ">" from there on; nothing when
// either is missing. Project files and table files hold their names this way.
std::optional<std::string> TaggedValue(std::string_view text, std::string_view tag);

// The path with ".sgr" appended unless its last four characters already say so, in any case.
std::string WithProjectExtension(std::string path);

}  // namespace stagora
