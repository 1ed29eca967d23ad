#include "designer/print/print_request.h"

namespace stagora::designer {

plat::PrinterSurface& Printer() {
  // Kept for the whole run and never destroyed: the print system must not be torn down after
  // the application object is gone.
  static plat::PrinterSurface* const printer = new plat::PrinterSurface;
  return *printer;
}

}  // namespace stagora::designer
