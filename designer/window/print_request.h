// The printer the designer prints on, and the print request's choice of black-and-white
// printing, which the print dialog writes and every printed diagram reads.
#pragma once

#include "platform/printer.h"

namespace stagora::designer {

// The one printer object of the program, created on first use (the system's default printer,
// or the PDF-file printer when there is none).
plat::PrinterSurface& Printer();

// True when the user asked for black-and-white printing: the printed diagram draws every
// coloured element in black.
extern bool ImprimirBN;

}  // namespace stagora::designer
