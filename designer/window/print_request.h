// The printer the designer prints on, and the print request: what the print dialog hands to
// the print command (accepted or not, copies, collation, black and white) and the switches
// with which the command says which of the dialog's options to show.
#pragma once

#include "platform/printer.h"

namespace stagora::designer {

// The one printer object of the program, created on first use (the system's default printer,
// or the PDF-file printer when there is none). The print dialog's printer list makes another
// one current by renaming it.
plat::PrinterSurface& Printer();

// True when the dialog was closed with its Print button and a valid count of copies.
extern bool ImprimirOK;
// Copies of the two pages, 1 to 1999 whenever ImprimirOK is True.
extern long NumCopias;
// Whole sets one after another (True) or each page's copies together (False).
extern bool Intercalar;
// True when the user asked for black-and-white printing: the printed diagram draws every
// coloured element in black.
extern bool ImprimirBN;

// Set by the print command before it opens the dialog: show the copies controls, the collate
// option, the black-and-white option.
extern bool VerCopias;
extern bool VerIntercalar;
extern bool VerBN;

// Back to the values of a program that has just started (all False or 0).
void ResetPrintRequest();

}  // namespace stagora::designer
