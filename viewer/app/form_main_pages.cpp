// Pages of the current view on the page picture: placing the blocks on pages, drawing the
// page shown, fitting the page to the window's width, and the wheel. Placing blocks by trial
// rendering, page turning and the fixed zooms come with the work on pagination and zoom;
// until then every block lies on page 1, which the engine fills as far as it reaches.
#include <QAction>
#include <QLabel>
#include <QScrollBar>

#include "platform/image_surface.h"
#include "viewer/app/controls.h"
#include "viewer/app/engine_bridge.h"
#include "viewer/app/form_main.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {
namespace {

constexpr double kBaseTextSize = 12;
constexpr double kPageNumberSize = 11;
constexpr int kPageWidth = 796;
constexpr double kMinFitZoom = 0.5;
const plat::Color kShadow = plat::Rgb(64, 64, 64);
const plat::Color kPageNumberColor = plat::Rgb(128, 128, 128);

// The text of page k: its blocks in order, joined.
std::string PageText(long k) {
  std::string text;
  for (const PageBlock& b : Blocks) {
    if (b.Page > k) break;
    if (b.Page == k) text += b.Text;
  }
  return text;
}

}  // namespace

void FormMain::PAGINAR() {
  for (PageBlock& b : Blocks) b.Page = 1;
  PageCount = 1;
  LbPage->setText(QString("P\u00e1g. 1/%1").arg(PageCount));
  VScroll1->setValue(VScroll1->Min());
  PageChanging = true;
  CurrentPage = 1;
  DibujarPagina();
  Picture1->show();
  ShapeShadow->setBackColor(kShadow);
  PageChanging = false;
}

void DibujarPagina() {
  // A page asked for while another is being drawn would wipe the half-drawn one.
  if (EngineBusy()) return;
  FormMain& form = TheFormMain();
  form.LbPage->clear();
  if (PageCount == 0) return;
  SetWaitPointer(true);
  form.LbPage->setText(QString("Pag. %1/%2").arg(CurrentPage).arg(PageCount));
  form.Picture1->Cls();
  plat::ImageSurface& page = form.Picture1->surface();
  const std::string text = PageText(CurrentPage);
  if (DrawOnPagePicture(text, Zoom * kBaseTextSize, page)) {
    // The page number, centred between the margins on the bottom margin.
    const PageLayoutReport layout = LastPageLayout();
    page.setFont(plat::FontSpec{"Times New Roman", Zoom * kPageNumberSize * ScreenTwipsPerPixelX() / 15});
    page.setForeColor(kPageNumberColor);
    const std::string s = std::to_string(CurrentPage);
    const double W = form.Picture1->width() * ScreenTwipsPerPixelX();
    const double H = form.Picture1->height() * ScreenTwipsPerPixelY();
    page.setCurrentX((W - layout.MargenDer - layout.MargenIzq) / 2 + layout.MargenIzq - page.textWidth(s) / 2);
    page.setCurrentY(H - layout.MargenInf - page.textHeight(s));
    page.print(s);
  }
  form.Picture1->update();
  SetWaitPointer(false);
}

void FormMain::mnu_zoomANCHO_Click() {
  ResizeBusy = 0;
  for (QAction* a : {mnu_zoom50, mnu_zoom75, mnu_zoom100, mnu_zoom150, mnu_zoom200}) a->setChecked(false);
  mnu_zoomANCHO->setChecked(true);
  FitWidthPending = false;
  Zoom = (width() - Picture3->width() - 28) / static_cast<double>(kPageWidth);
  if (Zoom < kMinFitZoom) Zoom = kMinFitZoom;
  Form_Resize();
  DibujarPagina();
  // Laid out and drawn twice: the first layout may change the width the second one sees.
  ++ZoomRepeatCount;
  if (ZoomRepeatCount <= 1) {
    mnu_zoomANCHO_Click();
  } else {
    ZoomRepeatCount = 0;
  }
}

void FormMain::MouseWheel(int MouseKeys, int Rotation, int Xpos, int Ypos) {
  (void)MouseKeys;
  (void)Xpos;
  (void)Ypos;
  if (VScroll1->widget()->isHidden()) return;
  const int s = (VScroll1->Max() > VScroll1->Min()) - (VScroll1->Max() < VScroll1->Min());
  const int min = VScroll1->Min(), max = VScroll1->Max();
  int v;
  if (Rotation > 0) {
    v = VScroll1->Value() - s * VScroll1->SmallChange;
    if ((s == 1 && v < min) || (s != 1 && v > min)) v = min;
  } else {
    v = VScroll1->Value() + s * VScroll1->SmallChange;
    if ((s == 1 && v > max) || (s != 1 && v < max)) v = max;
  }
  VScroll1->setValue(v);
}

}  // namespace stagora::viewer
