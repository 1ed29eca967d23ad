// The editor's exchange with the outside: table files and the clipboard. Not there yet: the
// buttons do nothing.
#include "designer/table_editor/form_xy_input.h"

namespace stagora::designer {

void FormXYinput::FileErrorMessage(const std::string&, const std::string&, int, const std::string&) {}
void FormXYinput::Abrir() {}
void FormXYinput::Guardar() {}
void FormXYinput::Copiar() {}
void FormXYinput::Cortar() {}
void FormXYinput::Pegar() {}

}  // namespace stagora::designer
