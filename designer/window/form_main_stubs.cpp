// Stand-ins for the project files and the table editor, which are built elsewhere: they let
// the window's commands call them by name until then. Each changes nothing it cannot do
// properly: no dialog is shown, nothing is read, and nothing is reported as saved.
#include <QLabel>
#include <QLineEdit>

#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"

namespace stagora::designer {

// As a cancelled open dialog.
void FormMain::Abrir() {}

// Nothing is written, so the design stays unsaved: ArchivoActual and Modificado unchanged.
void FormMain::Save(const std::string&) {}

// As a cancelled save dialog.
void FormMain::Save_As() {}

void FormMain::Borrar() {
  Shared().BloqueoChange = true;
  for (int n = 1; n <= 15; ++n) Text[n]->setText(QString());
  Picture1->surface().cls();
  Picture1->update();
  for (QLabel* label : Label2) label->hide();
  LblCOOR->hide();
  Shared().BloqueoChange = false;
  Modificado = false;
}

// As an editor closed without an accepted table.
void FormMain::EditarTABLA_ELV() {}

}  // namespace stagora::designer
