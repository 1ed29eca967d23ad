// The file dialogs take their filter as one text of labels and patterns separated by "|"
// ("Projects (*.sgr)|*.sgr|All files (*.*)|*.*"), several patterns of one pair separated by
// ";". Qt wants one entry per pair instead, with the patterns in the entry's last brackets.
#pragma once

#include <string>
#include <vector>

namespace stagora {

struct FileFilter {
  std::string label;                  // Windows-1252, shown to the user
  std::vector<std::string> patterns;  // as written in the list, "*.sgr"
};

// The pairs of a filter list. An empty item ends the list (as two NULs end the platform's
// list), so a final "|" adds nothing; a label left without a pattern is dropped.
std::vector<FileFilter> ParseFilterList(const std::string& list);

// One Qt name filter per pair: the label, a blank and the patterns in brackets separated by
// blanks. "*.*" becomes "*", because here it would miss every file without an extension,
// while the list means all files. The dialog hides the bracketed part, so the user sees the
// label as the list wrote it.
std::vector<std::string> QtNameFilters(const std::string& list);

}  // namespace stagora
