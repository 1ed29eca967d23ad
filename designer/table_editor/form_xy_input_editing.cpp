// How an edit ends or starts over: OK checks the working copy and hands it back, Cancel drops
// it, Clear empties it. The rules of the check are the table core's
// (designer/files/table_acceptance.h); the window moves the copy in and out.
#include <QLineEdit>
#include <QScrollBar>

#include "designer/designer_names.h"
#include "designer/files/table_acceptance.h"
#include "designer/table_editor/form_xy_input.h"
#include "platform/messagebox.h"

namespace stagora::designer {

void FormXYinput::Aceptar() {
  // Until a table is handed back the main window computes with alpha: a refused OK followed by
  // Cancel returns it to relative-volatility mode.
  answer_.UsarTabla = false;
  const TableAcceptance accepted = AcceptTable(X, Y);
  switch (accepted.outcome) {
    case TableAcceptance::Outcome::kNoTable:
      accept();
      return;
    case TableAcceptance::Outcome::kRefused:
      X = accepted.X;
      Y = accepted.Y;
      // The rows after the table are gone from the copy; the lines show so.
      VScroll1_Change();
      plat::MsgBox(GetL_win(std::string(accepted.errorKey)), plat::kExclamation, kProductName);
      return;
    case TableAcceptance::Outcome::kAccepted:
      break;
  }
  // Anything handed back that the project did not hold yet is an unsaved change of it, the
  // second name included, so that closing the program asks before the edit is lost.
  const EquilibriumTable& table = accepted.table;
  const EquilibriumTable& before = start_.TablaELV;
  answer_.changed = table.TablaX != before.TablaX || table.TablaY != before.TablaY ||
                    table.UltimoPuntoTabla != before.UltimoPuntoTabla || !start_.UsarTabla || A != start_.A ||
                    B != start_.B;
  answer_.TablaELV = table;
  answer_.A = A;
  answer_.B = B;
  answer_.UsarTabla = true;
  answer_.accepted = true;
  accept();
}

void FormXYinput::Cancelar() { reject(); }

void FormXYinput::Borrar() {
  X.fill(kEmptyTableValue);
  Y.fill(kEmptyTableValue);
  ShowFromTop();
}

void FormXYinput::ShowFromTop() {
  // Setting the value refills the lines only when it changes.
  const bool moves = VScroll1->value() != 0;
  VScroll1->setValue(0);
  if (!moves) VScroll1_Change();
}

}  // namespace stagora::designer
