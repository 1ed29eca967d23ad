// Moving about the document: the zoom commands, the two scroll bars, the wheel, the page
// buttons and the keys. None of them places blocks on pages again; every change of page or
// zoom redraws the page with DibujarPagina.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

#include "viewer/app/artwork.h"
#include "viewer/app/controls.h"
#include "viewer/app/form_main.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {
namespace {

constexpr int kPageWidth = 796;
constexpr double kMinFitZoom = 0.5;
constexpr int kShadowOffset = 2;
const plat::Color kShadow = plat::Rgb(64, 64, 64);
const plat::Color kWhite = plat::Rgb(255, 255, 255);

// The page buttons at rest and pressed, in pixels of the page bar.
const QPoint kLPageRest(5, 2);
const QPoint kRPageRest(120, 2);
const QPoint kPressedShift(1, 1);

// The classic key codes the window's keys are handled by.
constexpr int kKeyPageUp = 33;
constexpr int kKeyPageDown = 34;
constexpr int kKeyEnd = 35;
constexpr int kKeyHome = 36;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;

int ClassicKeyCode(int qtKey) {
  switch (qtKey) {
    case Qt::Key_PageUp: return kKeyPageUp;
    case Qt::Key_PageDown: return kKeyPageDown;
    case Qt::Key_End: return kKeyEnd;
    case Qt::Key_Home: return kKeyHome;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Up: return kKeyUp;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Down: return kKeyDown;
    default: return 0;
  }
}

// The window sees its keys before the control that has the focus (a scroll bar would take
// the arrows for itself otherwise). Keys in the menus stay the menus'.
class KeyPreview : public QObject {
 public:
  explicit KeyPreview(FormMain* form) : QObject(form), form_(form) { qApp->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != form_ || qobject_cast<QMenuBar*>(w) || qobject_cast<QMenu*>(w)) return false;
    // A key the focus widget does not take travels up to its parents: see it once.
    QWidget* focus = QApplication::focusWidget();
    if (focus ? w != focus : w != form_) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    int code = ClassicKeyCode(key->key());
    if (code == 0) return false;
    form_->Form_KeyDown(code, 0);
    return code == 0;
  }

 private:
  FormMain* form_;
};

// Pressed look of an image button: `down` on a mouse press, `up` on its release (before the
// button's click).
class PressFilter : public QObject {
 public:
  PressFilter(QWidget* button, std::function<void()> down, std::function<void()> up)
      : QObject(button), down_(std::move(down)), up_(std::move(up)) {
    button->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) down_();
    if (event->type() == QEvent::MouseButtonRelease) up_();
    return false;
  }

 private:
  std::function<void()> down_, up_;
};

}  // namespace

void FormMain::ConnectZoomCommands() {
  // While the thumb is dragged the bar scrolls; otherwise it changes.
  VScroll1->onChange = [this] {
    if (VScroll1->widget()->isSliderDown()) {
      VScroll1_Scroll();
    } else {
      VScroll1_Change();
    }
  };
  HScroll1->onChange = [this] {
    if (HScroll1->widget()->isSliderDown()) {
      HScroll1_Scroll();
    } else {
      HScroll1_Change();
    }
  };
  ImgLPage->onClick = [this] { ImgLPage_Click(); };
  ImgRPage->onClick = [this] { ImgRPage_Click(); };
  new PressFilter(ImgLPage, [this] { ImgLPage_MouseDown(); }, [this] { ImgLPage_MouseUp(); });
  new PressFilter(ImgRPage, [this] { ImgRPage_MouseDown(); }, [this] { ImgRPage_MouseUp(); });
  new KeyPreview(this);
}

// --- Zoom -----------------------------------------------------------------------------------

void FormMain::FixedZoom(double value, QAction* item) {
  if (!Ready(Command::Zoom, [this, value, item] { FixedZoom(value, item); })) return;
  for (QAction* a : {mnu_zoom50, mnu_zoom75, mnu_zoom100, mnu_zoom150, mnu_zoom200, mnu_zoomANCHO}) {
    a->setChecked(a == item);
  }
  state_.Zoom = value;
  // Laid out and drawn twice: the first layout may show or hide a scroll bar, which the
  // second one sees.
  for (int pass = 0; pass < 2; ++pass) {
    Form_Resize();
    DibujarPagina();
  }
}

void FormMain::mnu_zoom50_Click() { FixedZoom(0.5, mnu_zoom50); }
void FormMain::mnu_zoom75_Click() { FixedZoom(0.75, mnu_zoom75); }
void FormMain::mnu_zoom100_Click() { FixedZoom(1.0, mnu_zoom100); }
void FormMain::mnu_zoom150_Click() { FixedZoom(1.5, mnu_zoom150); }
void FormMain::mnu_zoom200_Click() { FixedZoom(2.0, mnu_zoom200); }

void FormMain::mnu_zoomANCHO_Click() {
  if (!Ready(Command::Zoom, [this] { mnu_zoomANCHO_Click(); })) return;
  for (QAction* a : {mnu_zoom50, mnu_zoom75, mnu_zoom100, mnu_zoom150, mnu_zoom200}) a->setChecked(false);
  mnu_zoomANCHO->setChecked(true);
  FitWidthPending = false;
  // Laid out and drawn twice: the first layout may change the width the second one sees.
  for (int pass = 0; pass < 2; ++pass) {
    state_.Zoom = (width() - Picture3->width() - 28) / static_cast<double>(kPageWidth);
    if (state_.Zoom < kMinFitZoom) state_.Zoom = kMinFitZoom;
    Form_Resize();
    DibujarPagina();
  }
}

// --- Scroll bars and the wheel -------------------------------------------------------------

void FormMain::VScroll1_Change() {
  if (VScroll1->widget()->isHidden()) return;
  VScroll1_Scroll();
}

void FormMain::VScroll1_Scroll() {
  Picture1->move(Picture1->x(), VScroll1->Value());
  ShapeShadow->move(ShapeShadow->x(), VScroll1->Value() + kShadowOffset);
}

void FormMain::HScroll1_Change() {
  if (HScroll1->widget()->isHidden()) return;
  HScroll1_Scroll();
}

void FormMain::HScroll1_Scroll() {
  Picture1->move(HScroll1->Value(), Picture1->y());
  ShapeShadow->move(HScroll1->Value() + kShadowOffset, ShapeShadow->y());
}

void FormMain::MouseWheel(int MouseKeys, int Rotation, int Xpos, int Ypos) {
  (void)MouseKeys;
  (void)Xpos;
  (void)Ypos;
  if (VScroll1->widget()->isHidden()) return;
  // Only the direction counts: one notch or a fast spin moves the page by one small step.
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

// --- Page turning ----------------------------------------------------------------------------

void FormMain::ShowTurnedPage() {
  ShapeShadow->setBackColor(kWhite);
  Picture1->hide();
  DibujarPagina();
  ShapeShadow->setBackColor(kShadow);
  Picture1->show();
  Picture1->setFocus();
}

void FormMain::ImgRPage_Click() {
  if (!Ready(Command::TurnPage, nullptr) || state_.PageCount == 0 || state_.CurrentPage >= state_.PageCount) {
    QApplication::beep();
    return;
  }
  ++state_.CurrentPage;
  // The new page is shown from its top.
  VScroll1->setValue(VScroll1->Min());
  ShowTurnedPage();
}

void FormMain::ImgLPage_Click() {
  if (!Ready(Command::TurnPage, nullptr) || state_.PageCount == 0 || state_.CurrentPage <= 1) {
    QApplication::beep();
    return;
  }
  --state_.CurrentPage;
  VScroll1->setValue(VScroll1->Min());
  ShowTurnedPage();
}

void FormMain::ImgLPage_MouseDown() {
  ImgLPage->move(kLPageRest + kPressedShift);
  ImgLPage->setPicture(PageButtonFace(true, true));
}

void FormMain::ImgLPage_MouseUp() {
  ImgLPage->move(kLPageRest);
  ImgLPage->setPicture(PageButtonFace(true, false));
}

void FormMain::ImgRPage_MouseDown() {
  ImgRPage->move(kRPageRest + kPressedShift);
  ImgRPage->setPicture(PageButtonFace(false, true));
}

void FormMain::ImgRPage_MouseUp() {
  ImgRPage->move(kRPageRest);
  ImgRPage->setPicture(PageButtonFace(false, false));
}

// --- Keys ----------------------------------------------------------------------------------

void FormMain::Form_KeyDown(int& KeyCode, int Shift) {
  (void)Shift;
  // A sheet being drawn lets the engine run window events: no page change in between, and the
  // key passes on.
  if (!Ready(Command::TurnPage, nullptr)) return;
  ScrollBarControl& h = *HScroll1;
  ScrollBarControl& v = *VScroll1;
  switch (KeyCode) {
    case kKeyPageUp: ImgLPage_Click(); break;
    case kKeyPageDown: ImgRPage_Click(); break;
    case kKeyEnd:
      // The last page is not known yet while pages are being found: it is shown when it is
      // (the pagination takes the waiting command when it ends).
      if (!Ready(Command::LastPage, [this] { ShowLastPage(); })) break;
      // Without pages there is nothing to go to; the page number stays as it is.
      if (state_.PageCount > 0) state_.CurrentPage = static_cast<int>(state_.PageCount - 1);
      ImgRPage_Click();
      break;
    case kKeyHome:
      // Home after End, while pages are found: page 1 stays.
      Waiting(Command::LastPage) = nullptr;
      if (state_.PageCount > 0) state_.CurrentPage = 2;
      ImgLPage_Click();
      break;
    case kKeyLeft:
      if (!h.widget()->isHidden()) h.setValue(std::min(h.Value() + h.SmallChange, h.Min()));
      break;
    case kKeyRight:
      if (!h.widget()->isHidden()) h.setValue(std::max(h.Value() - h.SmallChange, h.Max()));
      break;
    case kKeyUp:
      if (v.widget()->isHidden() || v.Value() == v.Min()) {
        ImgLPage_Click();
      } else {
        v.setValue(std::min(v.Value() + v.SmallChange, v.Min()));
      }
      break;
    case kKeyDown:
      if (v.widget()->isHidden() || v.Value() == v.Max()) {
        ImgRPage_Click();
      } else {
        v.setValue(std::max(v.Value() - v.SmallChange, v.Max()));
      }
      break;
    default:
      return;
  }
  KeyCode = 0;
}

}  // namespace stagora::viewer
