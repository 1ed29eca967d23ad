// The main window's side of a table edit: the editor is shown modally on a copy of the table,
// what it hands back is applied, and the design is computed again with whatever equilibrium is
// now in force, so an accepted table shows in the diagram and the results at once.
#include <QLineEdit>
#include <QRadioButton>

#include "designer/table_editor/form_xy_input.h"
#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "platform/encoding.h"

namespace stagora::designer {

TableEdit FormMain::TableEditStart() const {
  const DesignerState& state = state_;
  TableEdit start;
  start.TablaELV = state.TablaELV;
  start.UsarTabla = state.UsarTabla;
  start.A = plat::Utf16ToCp1252(Text[field::kMoreVolatileName]->text().toStdU16String());
  start.B = plat::Utf16ToCp1252(Text[field::kLessVolatileName]->text().toStdU16String());
  start.PathTabla = state.PathTabla;
  start.SimboloDecimal = SimboloDecimal;
  return start;
}

void FormMain::ApplyTableEdit(const TableEdit& edit) {
  DesignerState& state = state_;
  state.PathTabla = edit.PathTabla;
  if (!edit.accepted) {
    state.UsarTabla = edit.UsarTabla;
    return;
  }
  // The table is in place before the names are written and in use only after them: a changed
  // first name runs its change handling (captions, calculation, the project marked modified)
  // with alpha; the second name has none.
  state.UsarTabla = false;
  state.TablaELV = edit.TablaELV;
  Text[field::kMoreVolatileName]->setText(QText(edit.A));
  Text[field::kLessVolatileName]->setText(QText(edit.B));
  state.UsarTabla = true;
  if (edit.changed) Modificado = true;
}

void FormMain::EditarTABLA_ELV() {
  // Every showing loads anew from the shared table and the names.
  ApplyTableEdit(ShowFormXYinput(this, TableEditStart()));

  DesignerState& state = state_;
  if (!state.UsarTabla || state.TablaELV.UltimoPuntoTabla == -1) {
    OptVOL->setChecked(true);
    state.UsarTabla = false;
  } else {
    // A table the lookup tables cannot be built from leaves them empty rather than stale,
    // and the calculation then says so.
    if (CrearSuperTABLA_ELV(state.TablaELV, state.SuperTablasELV).has_value()) {
      state.SuperTablasELV = EquilibriumLookup();
    }
    OptTAB->setChecked(true);
  }
  Calcular(*Picture1, false);
}

}  // namespace stagora::designer
