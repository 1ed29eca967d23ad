// The worked solution handed to the viewer: the diagram drawn on the report picture and saved
// as an image, the sections written as a result document beside it, and the viewer started
// on that document.
#include <QLabel>

#include "designer/window/form_main.h"

namespace stagora::designer {

void FormMain::CrearINFORME_HTFC() {
  // A rejected design has no worked solution.
  if (!LblERROR->isHidden()) return;
  // The result document and the viewer's start are not written yet.
}

}  // namespace stagora::designer
