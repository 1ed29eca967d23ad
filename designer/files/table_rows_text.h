// The equilibrium table as text: one row a line, x and y side by side. Project files, table
// files and the clipboard all carry it in this form. Reading is lenient and never fails (a
// text without a usable row yields no rows); writing has a file form, which keeps every row
// of the table, and a clipboard form, which keeps only the filled rows.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "designer/calculation/equilibrium.h"

namespace stagora {

using TableColumn = std::array<double, kTableRows>;

// One row as read. A number too large for a double reads as 0, as the number reading does
// everywhere; `unreadable` says so, so that a reader that must not take it can refuse it.
struct TableRowText {
  double x = 0;
  double y = 0;
  bool unreadable = false;
};

// The rows of a row text, at most kTableRows of them. Blanks or TABs separate x from y,
// either "," or "." is the decimal point, and only CR LF ends a line.
std::vector<TableRowText> TableRowsText(std::string_view text);

// The rows of a text taken from the clipboard. Besides CR LF, a line may end in LF alone, as
// the programs of this platform write it; the text is otherwise read as TableRowsText reads.
std::vector<TableRowText> ClipboardTableRows(std::string_view text);

// The row block of a project or table file: the text strictly between the first "[[" and the
// first "]]". Nothing when either is missing, or when the first "]]" comes before the first
// "[[" (then there is no block to read, only stray markers).
std::optional<std::string_view> RowBlock(std::string_view fileText);

// The number as the table texts write it: "." as the point, no "0" before it (".25", "-.5"),
// at most 15 significant digits, an exponent form such as "1E-05" for tiny magnitudes.
std::string RowNumberText(double v);

// File form: all kTableRows rows, "x" TAB "y" CR LF each, empty rows as "-1" TAB "-1".
std::string TableRowsFileText(const TableColumn& x, const TableColumn& y);

// Clipboard form: only the rows whose x and y are both set, with a "0" before a leading
// point ("0.25").
std::string TableRowsClipboardText(const TableColumn& x, const TableColumn& y);

}  // namespace stagora
