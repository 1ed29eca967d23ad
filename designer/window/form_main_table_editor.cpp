// The main window's side of a table edit: the editor is shown modally on a copy of the table,
// and when it closes the design is computed again with whatever equilibrium is now in force,
// so an accepted table shows in the diagram and the results at once.
#include <QPointer>
#include <QRadioButton>

#include "designer/table_editor/form_xy_input.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"

namespace stagora::designer {

void FormMain::EditarTABLA_ELV() {
  // Every showing loads anew from the shared table and the names.
  QPointer<FormXYinput> editor = new FormXYinput(*this, SimboloDecimal);
  editor->Form_Load();
  editor->exec();
  delete editor;

  DesignerState& state = Shared();
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
