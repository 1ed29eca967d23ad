// The viewer's current printer: the one the print dialog's printer list chooses and the print
// command prints on, for the whole run.
#pragma once

#include "platform/printer.h"

namespace stagora::viewer {

// Created on first use: the system's default printer, or the PDF-file printer when there is
// none.
plat::PrinterSurface& Printer();

}  // namespace stagora::viewer
