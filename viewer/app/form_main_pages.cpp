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

// The zoom the pages were found at, and the scale each page found fits with at `zoom`.
struct PageFit {
  double paginatedAt = 0;
  double zoom = 0;
  std::map<long, double> scales;
};
PageFit& Fit() {
  static PageFit fit;
  return fit;
}

// The part of the view's zoom at which page k shows whole, with its foot line free.
double FittingScale(long k, const std::string& text, plat::ImageSurface& page) {
  PageFit& fit = Fit();
  if (Zoom == fit.paginatedAt) return 1.0;
  if (Zoom != fit.zoom) {
    fit.zoom = Zoom;
    fit.scales.clear();
  }
  if (const auto known = fit.scales.find(k); known != fit.scales.end()) return known->second;
  double scale = 1.0;
  for (double s = 1.0; s >= kSmallestFit; s *= kFitStep) {
    if (!MeasureOnPagePicture(text + kFootLine, Zoom * s * kBaseTextSize, page, s)) return 1.0;  // try again later
    if (LastPageLayout().BloqueCorte > 0) {
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
  // 2. The trial pages are not seen.
  ShapeShadow->setBackColor(kWhite);
  Picture1->hide();
  // 3-5. A trial page is only measured: its page break is all that is used.
  const auto trial = [this](const std::string& text) -> long {
    // The window is not to be used while its pages are found; behind the start-up splash it
    // cannot be reached, and the splash still answers its click or key.
    QCoreApplication::processEvents(isVisible() ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    if (!MeasureOnPagePicture(text, Zoom * kBaseTextSize, Picture1->surface())) return 0;
    return LastPageLayout().BloqueCorte;
  };
  const auto progress = [this](long pages) { ShowPageCaption(LbPage, ProgressCaption(pages)); };
  for (PageBlock& b : Blocks) b.Page = 0;
  PageCount = PlaceBlocksOnPages(Blocks, trial, progress);
  Fit() = PageFit{Zoom, 0, {}};
  paginating_ = false;
  // 6-8.
  ShowPageCaption(LbPage, ProgressCaption(PageCount));
  VScroll1->setValue(VScroll1->Min());
  PageChanging = true;
  CurrentPage = 1;
  DibujarPagina();
  Picture1->show();
  ShapeShadow->setBackColor(kShadow);
  PageChanging = false;
}

QFont PageLabelFont() { return ScaledFont("Arial", kPageLabelFontSize); }

void DibujarPagina() {
  // A page asked for while another is being drawn would wipe the half-drawn one.
  if (EngineBusy()) return;
  FormMain& form = TheFormMain();
  form.LbPage->clear();
  if (PageCount == 0) return;
  SetWaitPointer(true);
  ShowPageCaption(form.LbPage, QString("Pag. %1/%2").arg(CurrentPage).arg(PageCount));
  form.Picture1->Cls();
  plat::ImageSurface& page = form.Picture1->surface();
  const std::string text = PageText(Blocks, CurrentPage);
  const double scale = FittingScale(CurrentPage, text, page);
  if (DrawOnPagePicture(text, Zoom * scale * kBaseTextSize, page, scale)) {
    page.setFont(PageNumberFont(Zoom * kPageNumberSize * ScreenTwipsPerPixelX() / 15));
    page.setForeColor(kPageNumberColor);
    // The number stands where it does on every page at this zoom, however small the text.
    PageLayoutReport margins = LastPageLayout();
    for (double* m : {&margins.MargenSup, &margins.MargenInf, &margins.MargenIzq, &margins.MargenDer}) *m /= scale;
    PrintPageNumber(page, std::to_string(CurrentPage), form.Picture1->width() * ScreenTwipsPerPixelX(),
                    form.Picture1->height() * ScreenTwipsPerPixelY(), margins);
  }
  form.Picture1->update();
  SetWaitPointer(false);
}

void ImprimirPagina(long Page, plat::PrinterSurface& printer) {
  SetWaitPointer(true);
  printer.setOrientation(plat::PrinterSurface::Orientation::Portrait);
  const std::string text = PageText(Blocks, Page);
  printer.setScaleMode(plat::ScaleMode::Twips);
  printer.setFillStyle(plat::kFillSolid);
  if (DrawOnPrinter(text, kBaseTextSize, printer)) {
    printer.setFont(PageNumberFont(kPageNumberSize));
    printer.setForeColor(kBlack);
    PrintPageNumber(printer, std::to_string(Page), printer.scaleWidth(), printer.scaleHeight(), LastPageLayout());
  }
  printer.newPage();
  SetWaitPointer(false);
}

}  // namespace stagora::viewer
