// File > Print: the print dialog, then the two result pages as many times as asked, collated
// or not, as one print document. Page 1 is the worked solution's plain text, page 2 the list
// of the stage points with the diagram drawn by Calcular on the printer. The pages are
// composed by the report core; this file adds the window's texts and the printer's sheets.
#include <QApplication>
#include <QLabel>

#include "common/print_dialog_ui.h"
#include "designer/print/frm_imprimir.h"
#include "designer/print/print_request.h"
#include "designer/report/printed_pages.h"
#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "platform/busy_pointer.h"
#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "platform/textfile.h"

namespace stagora::designer {
namespace {

constexpr const char* kPdfExtension = ".pdf";

}  // namespace

std::string FormMain::ProposedPdfPath() const {
  // The project's own name with ".pdf", beside the project; an unsaved design takes the
  // product's name in the folder of the last project, or at first in the user's home.
  // Put together by the names' bytes, so that a name that is no UTF-8 stays itself.
  if (!ArchivoActual.empty()) {
    return plat::JoinPath(plat::FolderPart(ArchivoActual), plat::BaseNamePart(ArchivoActual) + kPdfExtension);
  }
  const std::string folder = state_.PathArchivo.empty() ? plat::HomeFolder() : state_.PathArchivo;
  return plat::JoinPath(folder, std::string(kProductName) + kPdfExtension);
}

void FormMain::mnu_Archivo_PRINT_Click() {
  // Nothing to print on, or nothing sound to print: the user sees the error already.
  if (plat::PrinterNames().empty()) return;
  // The pages read the kept results, which lag behind a value typed without Enter and
  // outlive a cleared design: they are brought up to date from the fields first, as the
  // worked solution does, on the report's picture so that the screen stays as it is.
  Calcular(*Picture4, false);
  // The error label shows its text up to one tick of Timer1 late; a design rejected in that
  // moment is in error all the same.
  if (!LblERROR->isHidden() || !LblERROR->text().isEmpty()) return;

  // The print dialog: nothing is printed unless it is closed with its Print button.
  const std::optional<PrintRequest> request =
      ShowFrmImprimir(this, {.VerCopias = true, .VerIntercalar = true, .VerBN = true});
  if (!request) return;

  // The printer in portrait and millimetres, on paper large enough for the pages.
  plat::PrinterSurface& printer = Printer();
  printer.setOrientation(plat::PrinterSurface::Orientation::Portrait);
  printer.setScaleMode(plat::ScaleMode::Millimetres);
  if (!PaperLargeEnough(printer.scaleWidth(), printer.scaleHeight())) {
    plat::MsgBox(GetL_win("PaperTooSmall"), plat::kExclamation, kProductName);
    return;
  }

  // The PDF-file printer writes a file: its name is asked here, and a cancel prints nothing.
  if (!ChoosePrinterOutput(this, printer, GetL_win("Print_PDF_SaveAs"), ProposedPdfPath(), state_.PathPdf)) return;

  // One document for every sheet.
  {
    const plat::BusyPointer busy;
    for (const int page : SheetOrder(request->NumCopias, request->Intercalar)) {
      if (page == 1) {
        ImprimirPAG1();
      } else {
        ImprimirPAG2(*request);
      }
    }
    if (printer.endDoc() || printer.outputError().number == 0) return;
  }
  // The PDF file is a file the program writes itself: when it cannot be written, the user
  // learns it as for a project, and nothing of it is left.
  const plat::FileError& error = printer.outputError();
  plat::MsgBoxUtf8(plat::Cp1252ToUtf8(GetL_win("CantSaveFile") + ":\r\n") + plat::ShownPath(printer.outputFile()) +
                       plat::Cp1252ToUtf8("\r\nError : " + std::to_string(error.number) + " - " + error.description),
                   plat::kExclamation, kProductName);
}

void FormMain::ImprimirPAG1() {
  plat::PrinterSurface& printer = Printer();
  PrintSheet([&] { ComposePage1(printer, GetL_win("NTP_STGR"), SemiInformeParaImprimir()); },
             [&] { printer.newPage(); });
}

void FormMain::ImprimirPAG2(const PrintRequest& request) {
  plat::PrinterSurface& printer = Printer();
  PrintSheet(
      [&] {
        ComposePage2(printer, GetL_win("List_XY_Theor_Plates"), Tablas().TablaPlatos_TXT);
        // The design as it stands now, drawn in the square from 10 to 190 mm.
        Calcular(*Picture1, true, request.ImprimirBN);
      },
      [&] { printer.newPage(); });
}

}  // namespace stagora::designer
