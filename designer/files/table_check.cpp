#include "designer/files/table_check.h"

namespace stagora {
namespace {

constexpr int kLastRow = kTableRows - 1;

bool InUnitRange(double v) { return v >= 0 && v <= 1; }

}  // namespace

std::string_view CheckTableRows(const TableColumn& x, const TableColumn& y, int last) {
  for (int i = 0; i <= last && i <= kLastRow; ++i) {
    if (!InUnitRange(x[i]) || !InUnitRange(y[i])) return table_key::kDataOutRange;
    if (i < last && i < kLastRow) {
      // A next y outside 0..1 (an empty y among them) is that row's range fault, not a fall.
      const bool increases = x[i] < x[i + 1] && (y[i] < y[i + 1] || !InUnitRange(y[i + 1]));
      if (!increases) return table_key::kDataNoConsecutive;
    }
    if ((x[i] == 0) != (y[i] == 0) || (x[i] == 1) != (y[i] == 1)) return table_key::kDataInvalidPureDisol;
  }
  return {};
}

int AddTableEndPoints(TableColumn& x, TableColumn& y, int last) {
  if (last < kLastRow && (last < 0 || x[last] != 1)) {
    ++last;
    x[last] = 1;
    y[last] = 1;
  }
  if (last < kLastRow && x[0] != 0) {
    for (int i = last; i >= 0; --i) {
      x[i + 1] = x[i];
      y[i + 1] = y[i];
    }
    x[0] = 0;
    y[0] = 0;
    ++last;
  }
  // An end point may have taken the row that ended the table; the row after the table must
  // still end it, or the rows that followed would join the table when a saved file is opened
  // again, and a table that was taken would be refused once saved.
  if (last < kLastRow && x[last + 1] != kEmptyTableValue) {
    x[last + 1] = kEmptyTableValue;
    y[last + 1] = kEmptyTableValue;
  }
  return last;
}

}  // namespace stagora
