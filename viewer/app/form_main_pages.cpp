// Pages of the current view: placing the blocks on pages by trial layouts measured on the hidden
// page picture, drawing the page shown, and printing a page on a printer sheet.
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QScrollBar>
#include <map>

#include "platform/image_surface.h"
#include "platform/printer.h"
#include "viewer/app/controls.h"
#include "viewer/app/engine_bridge.h"
#include "viewer/app/form_main.h"
#include "viewer/app/viewer_state.h"
#include "viewer/document/pagination.h"

namespace stagora::viewer {
namespace {

constexpr double kBaseTextSize = 12;
constexpr double kPageNumberSize = 11;
constexpr double kPageLabelFontSize = 11;
// The page label keeps its place between the page buttons; from a thousand pages on its
// caption is set smaller, down to this size, to be read whole there.
constexpr double kSmallestPageLabelFontSize = 6;
const plat::Color kShadow = plat::Rgb(64, 64, 64);
const plat::Color kWhite = plat::Rgb(255, 255, 255);
const plat::Color kPageNumberColor = plat::Rgb(128, 128, 128);
const plat::Color kBlack = plat::Rgb(0, 0, 0);

// The progress of pagination: "Pág. 1/" and the pages found so far.
QString ProgressCaption(long pages) { return QString("P\u00e1g. 1/%1").arg(pages); }

void ShowPageCaption(QLabel* label, const QString& caption) {
  SetTextWithinWidth(label, caption, PageLabelFont(), kSmallestPageLabelFontSize);
}

// The page number s centred between the margins, its foot on the bottom margin of a page W
// by H twips.
void PrintPageNumber(plat::Surface& target, const std::string& s, double W, double H, const PageLayoutReport& m) {
  target.setCurrentX((W - m.MargenDer - m.MargenIzq) / 2 + m.MargenIzq - target.textWidth(s) / 2);
  target.setCurrentY(H - m.MargenInf - target.textHeight(s));
  target.print(s);
}

plat::FontSpec PageNumberFont(double size) {
  plat::FontSpec f;
  f.name = "Times New Roman";
  f.size = size;
  return f;
}

// The blank line that keeps every page's foot free for its number (as pagination tries it).
constexpr const char* kFootLine = " &LF";

// Text does not grow in step with the zoom (letters take whole pixels), so a page filled at
// the zoom it was paginated at may not fit at another one. There it is laid out a little
// smaller, in steps of 2 %, down to 80 % (a few steps are all such a page needs). A page that does not fit
// even so (a block taller than a page, which stands alone) is drawn at the full zoom, cut
// at the foot as at every zoom.
constexpr double kFitStep = 0.98;
constexpr double kSmallestFit = 0.8;

// The part of the view's zoom at which page k shows whole, with its foot line free.
double FittingScale(ViewerState& viewer, PageFit& fit, long k, const std::string& text, plat::ImageSurface& page) {
  if (viewer.Zoom == fit.paginatedAt) return 1.0;
  if (viewer.Zoom != fit.zoom) {
    fit.zoom = viewer.Zoom;
    fit.scales.clear();
  }
  if (const auto known = fit.scales.find(k); known != fit.scales.end()) return known->second;
  double scale = 1.0;
  for (double s = 1.0; s >= kSmallestFit; s *= kFitStep) {
    if (!MeasureOnPagePicture(viewer, text + kFootLine, viewer.Zoom * s * kBaseTextSize, page, s)) {
      return 1.0;  // try again later
    }
    if (LastPageLayout(viewer).BloqueCorte > 0) {
      scale = s;
      break;
    }
  }
  fit.scales[k] = scale;
  return scale;
}

}  // namespace

void FormMain::PAGINAR() {
  // Pages are being found: a document dropped meanwhile waits (OpenDRAGDROPFiles_Command).
  paginating_ = true;
  // The trial pages are not seen.
  ShapeShadow->setBackColor(kWhite);
  Picture1->hide();
  // A trial page is only measured: its page break is all that is used.
  const auto trial = [this](const std::string& text) -> long {
    // The window is not to be used while its pages are found; behind the start-up splash it
    // cannot be reached, and the splash still answers its click or key.
    QCoreApplication::processEvents(isVisible() ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    if (!MeasureOnPagePicture(state_, text, state_.Zoom * kBaseTextSize, Picture1->surface())) return 0;
    return LastPageLayout(state_).BloqueCorte;
  };
  const auto progress = [this](long pages) { ShowPageCaption(LbPage, ProgressCaption(pages)); };
  for (PageBlock& b : state_.Blocks) b.Page = 0;
  state_.PageCount = PlaceBlocksOnPages(state_.Blocks, trial, progress);
  pageFit_ = PageFit{state_.Zoom, 0, {}};
  paginating_ = false;
  // The first page of the found ones shown, with the page count.
  ShowPageCaption(LbPage, ProgressCaption(state_.PageCount));
  VScroll1->setValue(VScroll1->Min());
  PageChanging = true;
  state_.CurrentPage = 1;
  DibujarPagina();
  Picture1->show();
  ShapeShadow->setBackColor(kShadow);
  PageChanging = false;
}

QFont PageLabelFont() { return ScaledFont("Arial", kPageLabelFontSize); }

void FormMain::DibujarPagina() {
  // A page asked for while another is being drawn would wipe the half-drawn one.
  if (EngineBusy(state_)) return;
  LbPage->clear();
  if (state_.PageCount == 0) return;
  SetWaitPointer(true);
  ShowPageCaption(LbPage, QString("Pag. %1/%2").arg(state_.CurrentPage).arg(state_.PageCount));
  Picture1->Cls();
  plat::ImageSurface& page = Picture1->surface();
  const std::string text = PageText(state_.Blocks, state_.CurrentPage);
  const double scale = FittingScale(state_, pageFit_, state_.CurrentPage, text, page);
  if (DrawOnPagePicture(state_, text, state_.Zoom * scale * kBaseTextSize, page, scale)) {
    page.setFont(PageNumberFont(state_.Zoom * kPageNumberSize * ScreenTwipsPerPixelX() / 15));
    page.setForeColor(kPageNumberColor);
    // The number stands where it does on every page at this zoom, however small the text.
    PageLayoutReport margins = LastPageLayout(state_);
    for (double* m : {&margins.MargenSup, &margins.MargenInf, &margins.MargenIzq, &margins.MargenDer}) *m /= scale;
    PrintPageNumber(page, std::to_string(state_.CurrentPage), Picture1->width() * ScreenTwipsPerPixelX(),
                    Picture1->height() * ScreenTwipsPerPixelY(), margins);
  }
  Picture1->update();
  SetWaitPointer(false);
}

void FormMain::ImprimirPagina(long Page, plat::PrinterSurface& printer) {
  SetWaitPointer(true);
  printer.setOrientation(plat::PrinterSurface::Orientation::Portrait);
  const std::string text = PageText(state_.Blocks, Page);
  printer.setScaleMode(plat::ScaleMode::Twips);
  printer.setFillStyle(plat::kFillSolid);
  if (DrawOnPrinter(state_, text, kBaseTextSize, printer)) {
    printer.setFont(PageNumberFont(kPageNumberSize));
    printer.setForeColor(kBlack);
    PrintPageNumber(printer, std::to_string(Page), printer.scaleWidth(), printer.scaleHeight(), LastPageLayout(state_));
  }
  printer.newPage();
  SetWaitPointer(false);
}

}  // namespace stagora::viewer
