#include "designer/window/print_request.h"

namespace stagora::designer {

bool ImprimirOK = false;
long NumCopias = 0;
bool Intercalar = false;
bool ImprimirBN = false;
bool VerCopias = false;
bool VerIntercalar = false;
bool VerBN = false;

plat::PrinterSurface& Printer() {
  // Kept for the whole run and never destroyed: the print system must not be torn down after
  // the application object is gone.
  static plat::PrinterSurface* const printer = new plat::PrinterSurface;
  return *printer;
}

void ResetPrintRequest() {
  ImprimirOK = false;
  NumCopias = 0;
  Intercalar = false;
  ImprimirBN = false;
  VerCopias = false;
  VerIntercalar = false;
  VerBN = false;
}

}  // namespace stagora::designer
