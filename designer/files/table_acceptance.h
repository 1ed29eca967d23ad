// What the table editor's OK makes of its working copy: the table ends at the first empty x
// or at the first x = 1, whatever follows is dropped, the rows are checked, and the end points
// are added. Kept apart from the window so that every rule can be tried without one.
#pragma once

#include <string_view>

#include "designer/calculation/equilibrium.h"
#include "designer/files/table_rows_text.h"

namespace stagora {

struct TableAcceptance {
  enum class Outcome {
    kNoTable,   // the first row has no x: nothing is handed back
    kRefused,   // a row failed a check, or the table stops short of x = 1 with no row free
                // for (1, 1): errorKey says which (table_key), nothing is handed back
    kAccepted,  // table holds the rows with their end points, and its last row
  };
  Outcome outcome = Outcome::kNoTable;
  std::string_view errorKey;
  // The working copy as the editor keeps it afterwards: every row after the table emptied.
  TableColumn X{};
  TableColumn Y{};
  EquilibriumTable table;
};

// The last row of the working copy: the row before the first empty x, or the first row whose x
// is exactly 1, whichever comes first; the last row of all when neither occurs; -1 when the
// first row has no x.
int LastTableRow(const TableColumn& X);

TableAcceptance AcceptTable(const TableColumn& X, const TableColumn& Y);

}  // namespace stagora
