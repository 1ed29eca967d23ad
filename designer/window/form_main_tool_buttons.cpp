// The tool buttons: each a caption label over a face picture. The label takes the mouse; a
// press shifts face and caption one pixel right and down, the release puts them back, and a
// click (left button pressed and released on the caption) runs the button's action once.
#include <QLabel>
#include <QMouseEvent>

#include "designer/window/controls.h"
#include "designer/window/form_main.h"

namespace stagora::designer {
namespace {

constexpr int kCaptionDrop = 6;  // a caption's top below its face's top
constexpr int kPressShift = 1;

// Hands the captions' mouse events to the button handlers. It keeps the captions it watches:
// while the window is taken down the window is no longer one to ask.
class ToolButtonEvents : public QObject {
 public:
  explicit ToolButtonEvents(FormMain* form) : QObject(form), form_(form), captions_(form->LabelB) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease) {
      return false;
    }
    const int index = IndexOf(watched);
    if (index < 0) return false;
    switch (type) {
      case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // Any button shows the pressed look; only the left one can make a click.
        clickArmed_[index] = mouse->button() == Qt::LeftButton;
        form_->LabelB_MouseDown(index);
        return true;
      }
      case QEvent::MouseButtonDblClick:
        // The second press of a double-click is no second click: the action runs once.
        clickArmed_[index] = false;
        return true;
      case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click = clickArmed_[index] && mouse->button() == Qt::LeftButton &&
                           captions_[index]->rect().contains(mouse->position().toPoint());
        clickArmed_[index] = false;
        // Back at rest before the action runs, also before a modal window opens.
        form_->LabelB_MouseUp(index);
        if (click) form_->LabelB_Click(index);
        return true;
      }
      default:
        return false;
    }
  }

 private:
  int IndexOf(const QObject* watched) const {
    for (int i = 0; i < 4; ++i) {
      if (captions_[i] == watched) return i;
    }
    return -1;
  }

  FormMain* form_;
  std::array<QLabel*, 4> captions_;
  std::array<bool, 4> clickArmed_{};
};

}  // namespace

void FormMain::ConnectToolButtons() {
  auto* events = new ToolButtonEvents(this);
  for (QLabel* caption : LabelB) caption->installEventFilter(events);
}

void FormMain::LabelB_MouseDown(int Index) {
  Image1[Index]->move(BotonLeft[Index] + kPressShift, BotonTop[Index] + kPressShift);
  LabelB[Index]->move(BotonLeft[Index] + kPressShift, BotonTop[Index] + kCaptionDrop + kPressShift);
}

void FormMain::LabelB_MouseUp(int Index) {
  Image1[Index]->move(BotonLeft[Index], BotonTop[Index]);
  LabelB[Index]->move(BotonLeft[Index], BotonTop[Index] + kCaptionDrop);
}

void FormMain::LabelB_Click(int Index) {
  switch (Index) {
    case 0:
      Calcular(*Picture1, false);
      break;
    case 1:
      Borrar();
      break;
    case 2:
      CrearINFORME_HTFC();
      break;
    case 3:
      EditarTABLA_ELV();
      break;
    default:
      break;
  }
}

}  // namespace stagora::designer
