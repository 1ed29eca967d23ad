// A stand-in for the equilibrium-table editor while it is built elsewhere: the modal window it
// opens, empty, so that what opens the editor can be tried. It goes when the editor comes.
#include <QDialog>

#include "designer/window/form_main.h"

namespace stagora::designer {

void FormMain::EditarTABLA_ELV() {
  QDialog editor(this);
  editor.setObjectName("FormXYinput");
  editor.exec();
}

}  // namespace stagora::designer
