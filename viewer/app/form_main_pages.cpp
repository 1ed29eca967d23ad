// Pages of the current view: placing the blocks on pages by trial layouts measured on a hidden
// page at 100 %, page 1 shown as soon as it is found, drawing the page shown, and printing a
// page on a printer sheet.
#include <QLabel>
#include <QScrollBar>
#include <map>
#include <utility>

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

// The page label: "Pag. k/n", or while pages are still being found "Pág. k/n" with the pages
// found so far.
QString PageCaption(long page, long pages, bool paginating) {
  return QString(paginating ? "P\u00e1g. %1/%2" : "Pag. %1/%2").arg(page).arg(pages);
}

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

// The blank line that keeps every page's foot free for its number. A page's text ends with a
// line break, so this is the one line after it: what pagination left room for at 100 %.
constexpr const char* kFootBlank = " ";

// Pages are found at 100 %, whatever the view's zoom, so that the pages, and how each of them
// looks at a zoom, do not depend on the zooms chosen before.
constexpr double kPagingZoom = 1.0;
constexpr int kPageWidth = 796;
constexpr int kPageHeight = 1125;

// Text does not grow in step with the zoom (letters take whole pixels), so a page filled at
// 100 % may not fit at another zoom. There it is laid out a little smaller, in steps of 2 %,
// down to 80 % (a few steps are all such a page needs); the scale depends on the page and the
// zoom only. A page that does not fit even so (a block taller than a page, which stands
// alone) is drawn at the full zoom, cut at the foot as at every zoom.
constexpr double kFitStep = 0.98;
constexpr double kSmallestFit = 0.8;

// The part of the view's zoom at which page k shows whole, with its foot line free.
double FittingScale(ViewerState& viewer, PageFit& fit, long k, const std::string& text, plat::ImageSurface& page) {
  if (viewer.Zoom == kPagingZoom) return 1.0;
  if (viewer.Zoom != fit.zoom) {
    fit.zoom = viewer.Zoom;
    fit.scales.clear();
  }
  if (const auto known = fit.scales.find(k); known != fit.scales.end()) return known->second;
  double scale = 1.0;
  for (double s = 1.0; s >= kSmallestFit; s *= kFitStep) {
    const double zoom = viewer.Zoom * s;
    if (!MeasureOnPagePicture(viewer, text + kFootBlank, zoom * kBaseTextSize, page, zoom)) {
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
  long placed = 0;
  bool lastPageWanted = false;
  {
    // Pages are being found; a pagination running meanwhile, of blocks these replace, ends at
    // its next step. End pressed for the blocks before is not meant for these.
    const Working paging(*this, Work::Paging);
    Waiting(Command::LastPage) = nullptr;
    pageFit_ = PageFit{};
    // Nothing of the view before is shown while the new pages are found.
    ShapeShadow->setBackColor(kWhite);
    Picture1->hide();
    // A trial page is only measured, on a page of its own at 100 %: its page break is all that
    // is used.
    if (!pagingPage_) {
      pagingPage_ = std::make_unique<plat::ImageSurface>(kPageWidth, kPageHeight);
      pagingPage_->setScaleMode(plat::ScaleMode::Twips);
    }
    const auto trial = [this](const std::string& text) -> long {
      if (!MeasureOnPagePicture(state_, text, kPagingZoom * kBaseTextSize, *pagingPage_, kPagingZoom)) return 0;
      return LastPageLayout(state_).BloqueCorte;
    };
    for (PageBlock& b : state_.Blocks) b.Page = 0;
    state_.PageCount = 0;
    state_.CurrentPage = 1;
    PagePlacer placer(state_.Blocks, trial);
    while (const long p = placer.PlaceNextPage()) {
      state_.PageCount = p;
      if (p == 1) {
        // Page 1 is shown as soon as its blocks are placed, the rest is found while it is read.
        VScroll1->setValue(VScroll1->Min());
        DibujarPagina();
        Picture1->show();
        ShapeShadow->setBackColor(kShadow);
      } else {
        ShowPageCaption(LbPage, PageCaption(state_.CurrentPage, p, true));
      }
      // The window answers between the pages. Whatever a click or key does meanwhile finds the
      // pages found so far; a view or document chosen starts a pagination of its own, which
      // replaces this one (the blocks are no longer those being placed), and a close ends it.
      if (!AnswerBetweenSteps(paging)) return;
    }
    placed = placer.PagesPlaced();
    // End pressed meanwhile is this pagination's to answer, below: taken before the work ends,
    // it is not left for the idle run.
    lastPageWanted = bool(std::exchange(Waiting(Command::LastPage), nullptr));
  }
  // At least one page, even for a view without blocks.
  if (state_.PageCount == 0) state_.PageCount = 1;
  if (placed == 0) {
    // A view without blocks: its one empty page.
    VScroll1->setValue(VScroll1->Min());
    Picture1->show();
    ShapeShadow->setBackColor(kShadow);
  }
  // The page shown stays as it is drawn, its label now with the page count; End pressed
  // meanwhile shows the last page, now known.
  if (lastPageWanted || placed == 0) {
    ShowLastPage();
  } else {
    ShowPageCaption(LbPage, PageCaption(state_.CurrentPage, state_.PageCount, false));
  }
}

void FormMain::ShowLastPage() {
  state_.CurrentPage = static_cast<int>(state_.PageCount);
  VScroll1->setValue(VScroll1->Min());
  DibujarPagina();
}

QFont PageLabelFont() { return ScaledFont("Arial", kPageLabelFontSize); }

void FormMain::DibujarPagina() {
  // A page asked for while another is being drawn would wipe the half-drawn one: it is drawn
  // once that one is done.
  if (!Ready(Command::DrawPage, [this] { DibujarPagina(); })) return;
  LbPage->clear();
  if (state_.PageCount == 0) return;
  ShowPageCaption(LbPage, PageCaption(state_.CurrentPage, state_.PageCount, Paginating()));
  Picture1->Cls();
  plat::ImageSurface& page = Picture1->surface();
  const std::string text = PageText(state_.Blocks, state_.CurrentPage);
  const double scale = FittingScale(state_, pageFit_, state_.CurrentPage, text, page);
  const double zoom = state_.Zoom * scale;
  if (DrawOnPagePicture(state_, text, zoom * kBaseTextSize, page, zoom)) {
    page.setFont(PageNumberFont(state_.Zoom * kPageNumberSize * ScreenTwipsPerPixelX() / 15));
    page.setForeColor(kPageNumberColor);
    // The number stands where it does on every page at this zoom, however small the text.
    PageLayoutReport margins = LastPageLayout(state_);
    for (double* m : {&margins.MargenSup, &margins.MargenInf, &margins.MargenIzq, &margins.MargenDer}) *m /= scale;
    PrintPageNumber(page, std::to_string(state_.CurrentPage), Picture1->width() * ScreenTwipsPerPixelX(),
                    Picture1->height() * ScreenTwipsPerPixelY(), margins);
  }
  Picture1->update();
}

void FormMain::ImprimirPagina(long Page, plat::PrinterSurface& printer) {
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
}

}  // namespace stagora::viewer
