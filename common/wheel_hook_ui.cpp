#include "common/wheel_hook_ui.h"

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cstdint>

namespace stagora {
namespace {

// The platform carries the wheel distance and the position in 16-bit fields.
constexpr int kWordMask = 0xFFFF;
constexpr int kWordMin = -32768;
constexpr int kWordMax = 32767;

// The hook: an event filter that lives as a child of the hooked window, so it goes when the
// window goes, and that knows the form the wheel goes to.
class WheelFilter final : public QObject {
 public:
  WheelFilter(QWidget* window, WheelTarget* form) : QObject(window), form_(form) {}
  bool eventFilter(QObject* watched, QEvent* event) override { return WheelWindowProc(watched, event); }
  WheelTarget* form() const { return form_; }

 private:
  WheelTarget* form_;
};

WheelFilter* FilterOf(const QObject* window) {
  for (QObject* child : window->children()) {
    if (auto* filter = dynamic_cast<WheelFilter*>(child)) return filter;
  }
  return nullptr;
}

// The hook there is, on whichever window holds it; nullptr while nothing is hooked.
WheelFilter* Hook() {
  for (const QWidget* widget : QApplication::allWidgets()) {
    if (WheelFilter* filter = FilterOf(widget)) return filter;
  }
  return nullptr;
}

int MouseKeysOf(const QWheelEvent& e) {
  int keys = 0;
  const Qt::MouseButtons b = e.buttons();
  if (b & Qt::LeftButton) keys |= kWheelKeyLeftButton;
  if (b & Qt::RightButton) keys |= kWheelKeyRightButton;
  if (b & Qt::MiddleButton) keys |= kWheelKeyMiddleButton;
  if (b & Qt::XButton1) keys |= kWheelKeyXButton1;
  if (b & Qt::XButton2) keys |= kWheelKeyXButton2;
  const Qt::KeyboardModifiers m = e.modifiers();
  if (m & Qt::ShiftModifier) keys |= kWheelKeyShift;
  if (m & Qt::ControlModifier) keys |= kWheelKeyCtrl;
  return keys;
}

int SignedWord(int v) { return std::clamp(v, kWordMin, kWordMax); }

}  // namespace

void WheelHook(QWidget* window, WheelTarget* target) {
  if (!window || !target || Hook()) return;
  window->installEventFilter(new WheelFilter(window, target));
}

void WheelUnhook() {
  if (WheelFilter* filter = Hook()) {
    if (auto* window = qobject_cast<QWidget*>(filter->parent())) window->removeEventFilter(filter);
    delete filter;
  }
}

bool WheelWindowProc(QObject* window, QEvent* event) {
  if (event->type() != QEvent::Wheel || window == nullptr) return false;
  const WheelFilter* hook = FilterOf(window);
  if (hook == nullptr) return false;
  const auto* wheel = static_cast<QWheelEvent*>(event);
  // Only the vertical wheel has a wheel message of its own; a sideways scroll has none.
  const int delta = wheel->angleDelta().y();
  if (delta == 0) return false;
  const QPoint at = wheel->globalPosition().toPoint();
  hook->form()->MouseWheel(MouseKeysOf(*wheel), SignedWord(delta), at.x() & kWordMask, SignedWord(at.y()));
  return false;
}

}  // namespace stagora
