#include "designer/files/table_acceptance.h"

#include "designer/files/table_check.h"

namespace stagora {

int LastTableRow(const TableColumn& X) {
  for (int i = 0; i < kTableRows; ++i) {
    if (X[i] == kEmptyTableValue) return i - 1;
    if (X[i] == 1) return i;
  }
  return kTableRows - 1;
}

TableAcceptance AcceptTable(const TableColumn& X, const TableColumn& Y) {
  TableAcceptance result;
  result.X = X;
  result.Y = Y;
  int last = LastTableRow(X);
  if (last < 0) return result;

  for (int i = last + 1; i < kTableRows; ++i) {
    result.X[i] = kEmptyTableValue;
    result.Y[i] = kEmptyTableValue;
  }
  if (const std::string_view fault = CheckTableRows(result.X, result.Y, last); !fault.empty()) {
    result.outcome = TableAcceptance::Outcome::kRefused;
    result.errorKey = fault;
    return result;
  }
  result.table.TablaX = result.X;
  result.table.TablaY = result.Y;
  const int withEndPoints = AddTableEndPoints(result.table.TablaX, result.table.TablaY, last);
  // The lookup tables are built between the rows only: a curve that stops short of x = 1
  // would drop to the axis after its last row.
  if (result.table.TablaX[withEndPoints] != 1) {
    result.table = EquilibriumTable();
    result.outcome = TableAcceptance::Outcome::kRefused;
    result.errorKey = table_key::kDataEndBelowOne;
    return result;
  }
  result.table.UltimoPuntoTabla = withEndPoints;
  result.outcome = TableAcceptance::Outcome::kAccepted;
  return result;
}

}  // namespace stagora
