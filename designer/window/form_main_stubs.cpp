// Stand-in for the table editor, which is built elsewhere: it lets the window's commands call
// it by name until then, and changes nothing.
#include "designer/window/form_main.h"

namespace stagora::designer {

// As an editor closed without an accepted table.
void FormMain::EditarTABLA_ELV() {}

}  // namespace stagora::designer
