// The printer the designer prints on, and the print request: which options the print dialog
// shows, and what it hands back to the print command when it closes with its Print button.
#pragma once

#include "platform/printer.h"

namespace stagora::designer {

// The one printer object of the program, created on first use (the system's default printer,
// or the PDF-file printer when there is none). The print dialog's printer list makes another
// one current by renaming it.
plat::PrinterSurface& Printer();

// The options the print dialog shows: the copies controls, the collate option, the
// black-and-white option.
struct PrintOptions {
  bool VerCopias = true;
  bool VerIntercalar = true;
  bool VerBN = true;
};

// What the dialog hands back when it was closed with its Print button and a valid count of
// copies.
struct PrintRequest {
  // Copies of the two pages, 1 to 1999.
  long NumCopias = 1;
  // Whole sets one after another (True) or each page's copies together (False).
  bool Intercalar = true;
  // Black-and-white printing: the printed diagram draws every coloured element in black.
  bool ImprimirBN = false;
};

}  // namespace stagora::designer
