// The tool buttons: each a caption label over a face picture. The label takes the mouse; a
// press shifts face and caption one pixel right and down, the release puts them back, and a
// click (left button pressed and released on the caption) runs the button's action once.
// The captions also take the focus with Tab, show it with a dotted frame on the face, and
// are pressed with Space or Enter as with the mouse.
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "designer/window/controls.h"
#include "designer/window/form_main.h"

namespace stagora::designer {
namespace {

constexpr int kCaptionDrop = 6;  // a caption's top below its face's top
constexpr int kPressShift = 1;
// The focus frame, inside the face's edge: from the caption's left and right, and from the
// caption's top down to this far above the face's bottom.
constexpr int kFocusInsetX = 6;
constexpr int kFocusInsetBottom = 5;

bool IsPressKey(const QKeyEvent* key) {
  return key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// The dotted frame of the button that has the focus, in the caption's colour, over the
// caption and inside the face.
void PaintFocusFrame(QLabel* caption, const QWidget* face) {
  const int faceBottom = face->y() + face->height() - caption->y();
  QPainter painter(caption);
  painter.setPen(QPen(caption->palette().color(QPalette::WindowText), 1, Qt::DotLine));
  painter.drawRect(kFocusInsetX, 0, caption->width() - 2 * kFocusInsetX - 1, faceBottom - kFocusInsetBottom - 1);
}

// Hands the captions' mouse and key events to the button handlers and paints the focus frame.
// It keeps the captions and faces it watches: while the window is taken down the window is no
// longer one to ask.
class ToolButtonEvents : public QObject {
 public:
  explicit ToolButtonEvents(FormMain* form)
      : QObject(form), form_(form), captions_(form->LabelB), faces_(form->Image1) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease && type != QEvent::KeyPress && type != QEvent::KeyRelease &&
        type != QEvent::Paint) {
      return false;
    }
    const int index = IndexOf(watched);
    if (index < 0) return false;
    switch (type) {
      case QEvent::Paint: {
        QLabel* caption = captions_[index];
        if (!caption->hasFocus()) return false;
        // The caption first, as ever; the frame over it.
        static_cast<QObject*>(caption)->event(event);
        PaintFocusFrame(caption, faces_[index]);
        return true;
      }
      case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!IsPressKey(key)) return false;
        // A held key repeats its press, never its action.
        if (!key->isAutoRepeat()) {
          keyArmed_[index] = key->key();
          form_->LabelB_MouseDown(index);
        }
        return true;
      }
      case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!IsPressKey(key)) return false;
        if (key->isAutoRepeat() || keyArmed_[index] != key->key()) return true;
        keyArmed_[index] = 0;
        // Back at rest before the action runs, as after a click.
        form_->LabelB_MouseUp(index);
        form_->LabelB_Click(index);
        return true;
      }
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
  std::array<ImageControl*, 4> faces_;
  std::array<bool, 4> clickArmed_{};
  std::array<int, 4> keyArmed_{};  // the key that pressed the button and whose release clicks it
};

}  // namespace

void FormMain::ConnectToolButtons() {
  auto* events = new ToolButtonEvents(this);
  for (QLabel* caption : LabelB) {
    caption->installEventFilter(events);
    // Tab reaches the buttons; a click leaves the focus where it was.
    caption->setFocusPolicy(Qt::TabFocus);
  }
  // The table button stands in for the alpha field in table mode, the other three follow the
  // panel's last field.
  QWidget::setTabOrder(Text[field::kAlpha], LabelB[3]);
  QWidget::setTabOrder(LabelB[3], Text[field::kThermalQ]);
  QWidget::setTabOrder(Text[field::kXBottoms], LabelB[0]);
  QWidget::setTabOrder(LabelB[0], LabelB[1]);
  QWidget::setTabOrder(LabelB[1], LabelB[2]);
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
