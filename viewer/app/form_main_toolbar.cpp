// The toolbar's nine buttons: the shown ones side by side from the left, the current view's
// button pressed. What a click on a button does comes with the work on the toolbar.
#include <QLabel>

#include "viewer/app/artwork.h"
#include "viewer/app/controls.h"
#include "viewer/app/form_main.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {
namespace {

constexpr int kFirstButtonLeft = 20;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 53;
constexpr int kFirstViewButton = 4;  // ViewMode + this is the button of the view
constexpr double kCaptionFontSize = 8;

}  // namespace

void FormMain::ActualizarBotones() {
  int x = 0;
  for (int i = 0; i < kToolButtons; ++i) {
    if (ToolButtonVisible[i]) {
      PicToolB[i]->setGeometry(x + kFirstButtonLeft, 0, kButtonWidth, kButtonHeight);
      x += kButtonWidth;
      LblBut[i]->setGeometry(0, 39, 60, 15);
      LblBut[i]->setFont(ScaledFont("Arial", kCaptionFontSize));
      const bool pressed = ViewMode >= kViewStatement && ViewMode <= kViewResolution2 && i == ViewMode + kFirstViewButton;
      PicToolB[i]->setPicture(ToolButtonFace(i, pressed));
    }
    PicToolB[i]->setVisible(ToolButtonVisible[i]);
  }
}

}  // namespace stagora::viewer
