#include "viewer/app/viewer_printer.h"

namespace stagora::viewer {

plat::PrinterSurface& Printer() {
  // Never destroyed: the print system must not be torn down after the application object.
  static plat::PrinterSurface* const printer = new plat::PrinterSurface;
  return *printer;
}

}  // namespace stagora::viewer
