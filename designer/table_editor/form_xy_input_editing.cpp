// How an edit ends or starts over: OK checks the working copy and hands it back, Cancel drops
// it, Clear empties it. The rules of the check are the table core's
// (designer/files/table_acceptance.h); the window moves the copy in and out.
#include <QLineEdit>
#include <QScrollBar>

#include "designer/designer_names.h"
#include "designer/files/table_acceptance.h"
#include "designer/files/table_check.h"
#include "designer/table_editor/form_xy_input.h"
#include "platform/messagebox.h"

namespace stagora::designer {
namespace {

// Said when the language file has no text of its own for the table that stops short of x = 1.
constexpr const char* kEndBelowOneText =
    "The table does not reach x = 1, and all 100 rows are in use, so the end point (1, 1) cannot be "
    "added. Make the last row x = 1, y = 1, or use fewer rows.";

}  // namespace

void FormXYinput::Aceptar() {
  // Until a table is handed back the main window computes with alpha: a refused OK followed by
  // Cancel returns it to relative-volatility mode.
  answer_.UsarTabla = false;
  const TableAcceptance accepted = AcceptTable(X, Y);
  switch (accepted.outcome) {
    case TableAcceptance::Outcome::kNoTable:
      accept();
      return;
    case TableAcceptance::Outcome::kRefused: {
      X = accepted.X;
      Y = accepted.Y;
      // The rows after the table are gone from the copy; the lines show so.
      VScroll1_Change();
      std::string text = GetL_win(std::string(accepted.errorKey));
      if (text.empty() && accepted.errorKey == table_key::kDataEndBelowOne) text = kEndBelowOneText;
      plat::MsgBox(text, plat::kExclamation, kProductName);
      return;
    }
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
