// The rules every equilibrium table meets before the design may compute with it, shared by
// the project reader and the table editor's acceptance: values within 0..1, x and y strictly
// increasing from row to row, the pure components at (0, 0) and (1, 1) only; and the end
// points (0, 0) and (1, 1) added where the table lacks them and a row is free.
#pragma once

#include <string_view>

#include "designer/files/table_rows_text.h"

namespace stagora {

// Language keys of the faults, in the order the checks run on each row.
namespace table_key {
inline constexpr std::string_view kDataOutRange = "DataOutRange";
inline constexpr std::string_view kDataNoConsecutive = "DataNoConsecutive";
inline constexpr std::string_view kDataInvalidPureDisol = "DataInvalidPureDisol";
// Not a row's fault: the table stops short of x = 1 with no row left for (1, 1).
inline constexpr std::string_view kDataEndBelowOne = "DataEndBelowOne";
}  // namespace table_key

// The key of the first fault of rows 0 to last, row by row (range, increase, pure
// components); "" when every row passes. y must increase as x does: the lookup tables are
// built by interpolating between rows, and two equal y values leave x of y undefined.
std::string_view CheckTableRows(const TableColumn& x, const TableColumn& y, int last);

// Puts (1, 1) after row last unless that row is already x = 1, then (0, 0) before row 0 unless
// it is already x = 0, each only while a row is free (last below the table's last row).
// Returns the new last row. The row after the table is left empty, so that it still ends the
// table. last = -1 (no row) gives (0, 0), (1, 1).
int AddTableEndPoints(TableColumn& x, TableColumn& y, int last);

}  // namespace stagora
