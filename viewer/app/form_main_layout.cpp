// The main window's layout: the page picture centred in the grey ground while it fits, held
// at its resting place with a scroll bar while it does not, and its shadow behind it. A
// change of the window state (normal, minimised, maximised) lays the window out once more a
// moment later.
#include <QScrollBar>
#include <QTimer>

#include "viewer/app/controls.h"
#include "viewer/app/form_main.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {
namespace {

constexpr int kPageWidth = 796;
constexpr int kPageHeight = 1125;
constexpr int kPageLeft = 8;
constexpr int kPageTopGap = 5;
constexpr int kShadowOffset = 2;
constexpr int kHScrollLeft = 144;
constexpr int kHScrollTop = 2;

Qt::WindowStates StateOf(Qt::WindowStates s) { return s & (Qt::WindowMinimized | Qt::WindowMaximized); }

}  // namespace

void FormMain::Form_Resize() {
  if (!loaded_) return;
  // The page at the zoom.
  Picture1->resize(RoundToInteger(kPageWidth * state_.Zoom), RoundToInteger(kPageHeight * state_.Zoom));
  // The window's top-left corner stays on the screen.
  if (x() < 0 || y() < 0) move(std::max(0, x()), std::max(0, y()));
  // Laying out moves and sizes only what lies inside the window, so no layout starts inside
  // this one.
  Layout(true);
  if (isVisible()) Picture1->setFocus();
  // A window state changed meanwhile is laid out once more by Timer1, once it has settled.
  if (StateOf(windowState()) != StateOf(LastWindowState)) {
    Timer1->start();
    LastWindowState = windowState();
  }
}

void FormMain::Timer1_Timer() {
  Timer1->stop();
  Layout(false);
  if (isVisible()) Picture1->setFocus();
}

void FormMain::Layout(bool withExtraSteps) {
  const int W = width();
  QScrollBar* hbar = HScroll1->widget();
  QScrollBar* vbar = VScroll1->widget();

  // 1. Horizontal.
  const int room = W - Picture3->width() - 8;
  if (room > Picture1->width()) {
    Picture1->move(RoundToInteger((room - Picture1->width()) / 2.0), Picture1->y());
    hbar->hide();
  } else {
    Picture1->move(kPageLeft, Picture1->y());
    HScroll1->setMin(Picture1->x());
    HScroll1->setMax(W - 8 - Picture1->width() - 26);
    HScroll1->setValue(Picture1->x());
    hbar->resize(std::max(0, W - 29 - hbar->x()), hbar->height());
    hbar->show();
    if (withExtraSteps) hbar->move(kHScrollLeft, kHScrollTop);
  }

  // 2. Vertical.
  const int A = Picture2->y() - tbToolbar1->y() - tbToolbar1->height() - 8;
  if (A > Picture1->height()) {
    Picture1->move(Picture1->x(), tbToolbar1->height() + kPageTopGap + RoundToInteger((A - Picture1->height()) / 2.0));
    vbar->hide();
  } else {
    Picture1->move(Picture1->x(), tbToolbar1->height() + kPageTopGap);
    VScroll1->setMin(Picture1->y());
    VScroll1->setMax(Client->height() - 30 - Picture1->height());
    VScroll1->setValue(Picture1->y());
    vbar->resize(vbar->width(), Picture3->height());
    vbar->show();
  }

  // 3. The shadow.
  ShapeShadow->setGeometry(Picture1->x() + kShadowOffset, Picture1->y() + kShadowOffset, Picture1->width(),
                           Picture1->height());

  // 4. The toolbar's background covers the strip however wide the window grows.
  if (withExtraSteps) {
    int backWidth = ScreenWidthPixels();
    if (backWidth < tbToolbar1->width()) backWidth = tbToolbar1->width();
    ImgBack->resize(backWidth, ImgBack->height());
  }
}

}  // namespace stagora::viewer
