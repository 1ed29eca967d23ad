// File > Print: the print dialog, then the chosen pages of the current view as many times as
// asked, collated or not, as one print document. The screen shows each page as it is printed;
// afterwards the view is back at its zoom and page.

#include "common/print_dialog_ui.h"
#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "platform/textfile.h"
#include "viewer/app/form_main.h"
#include "viewer/app/frm_imprimir.h"
#include "viewer/app/viewer_printer.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {
namespace {

constexpr const char* kPdfExtension = ".pdf";

}  // namespace

std::string FormMain::ProposedPdfPath() const {
  // The document's own name with ".pdf", beside the document; a document handed over by the
  // designer lies in the scratch folder, which is no place for the user's files: it goes to
  // the folder of the documents opened last, or at first to the user's home.
  // Put together by the names' bytes, so that a name that is no UTF-8 stays itself.
  const std::string name = plat::BaseNamePart(state_.DocPath) + kPdfExtension;
  std::string folder = plat::FolderPart(state_.DocPath);
  if (state_.DocPath.empty() || plat::SameFolder(folder, state_.ScratchFolder())) {
    folder = LastFolder.empty() ? plat::HomeFolder() : LastFolder;
  }
  return plat::JoinPath(folder, name);
}

void FormMain::mnu_File_Print_Click() {
  // The dialog offers the view's pages: it opens once they are all found, once however often
  // it was asked meanwhile.
  if (!Ready(Command::Print, [this] { mnu_File_Print_Click(); })) return;
  // Nothing to print on, or nothing to print.
  if (plat::PrinterNames().empty() || state_.BlockCount() == 0) return;
  // The view as shown, brought back when the printing is done.
  const double shownZoom = state_.Zoom;
  const int shownPage = state_.CurrentPage;
  // The dialog may have chosen another printer, accepted or not.
  const std::optional<PrintRequest> request = ShowFrmImprimir(this, {state_.PageCount, shownPage});
  RenewPrintToolTip();
  // Cancelled: nothing is printed.
  if (!request) return;

  // The dialog accepts no request that names no page of the view; nothing to ask for then.
  const std::vector<long> pages =
      ChosenPages(state_.PageCount, request->PrintPageRule, request->PrintPages, shownPage);
  if (pages.empty()) return;

  plat::PrinterSurface& printer = Printer();
  // The PDF-file printer writes a file: its name is asked here, and a cancel prints nothing.
  if (!ChoosePrinterOutput(this, printer, GetL_win("Print_PDF_SaveAs"), ProposedPdfPath(),
                           state_.PathPdf)) return;
  // A PDF reader shows the document's name as the file's title.
  printer.setDocName(plat::ShownPath(plat::NamePart(state_.DocPath)));

  // From here on the sheets are sent: a close asked meanwhile closes the window after them.
  bool printed = false;
  {
    const Working printing(*this, Work::Printing);
    // Collated: whole sets one after another; otherwise each page's copies together.
    const long outer = request->PrintCollate ? request->PrintCopies : 1;
    const long inner = request->PrintCollate ? 1 : request->PrintCopies;
    // Paper is drawn at 100 % by the engine bridge; the view's zoom stays as it is all along,
    // so that a repaint or layout that runs between the printed lines still sees it.
    for (long copy = 0; copy < outer; ++copy) {
      for (const long p : pages) {
        state_.CurrentPage = static_cast<int>(p);
        state_.Zoom = shownZoom;
        Form_Resize();
        for (long sheet = 0; sheet < inner; ++sheet) {
          DibujarPagina();
          ImprimirPagina(p, printer);
        }
      }
    }
    // The print document ended.
    printed = printer.endDoc();
    // The view as it was before.
    state_.CurrentPage = shownPage;
    state_.Zoom = shownZoom;
    Form_Resize();
    DibujarPagina();
  }
  // The PDF file is a file the viewer writes itself: when it cannot be written, the user
  // learns it as for a document, with the file's path, and nothing of it is left.
  if (!printed && printer.outputError().number != 0) {
    const plat::FileError& error = printer.outputError();
    ShowCantSaveFile(printer.outputFile(), error.number, plat::Cp1252ToUtf8(error.description));
  }
}

}  // namespace stagora::viewer
