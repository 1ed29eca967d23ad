#include "common/wheel_hook_ui.h"

#include <QPointer>
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

class WheelFilter final : public QObject {
 public:
  explicit WheelFilter(QWidget* window) : QObject(window) {}
  bool eventFilter(QObject* watched, QEvent* event) override { return WheelWindowProc(watched, event); }
};

struct HookState {
  bool hooked = false;
  QPointer<QWidget> window;
  WheelTarget* form = nullptr;
  // Lives as a child of the hooked window, so it goes when the window goes.
  QPointer<WheelFilter> filter;
};

HookState& State() {
  static HookState state;
  return state;
}

void Release() {
  HookState& s = State();
  s.hooked = false;
  s.form = nullptr;
  s.window = nullptr;
  s.filter = nullptr;
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
  HookState& s = State();
  if (s.hooked || !window || !target) return;
  s.hooked = true;
  s.window = window;
  s.form = target;
  s.filter = new WheelFilter(window);
  window->installEventFilter(s.filter);
  // Nothing keeps a widget alive for the hook: a window gone without unhooking frees it.
  QObject::connect(s.filter, &QObject::destroyed, [] { Release(); });
}

void WheelUnhook() {
  HookState& s = State();
  if (s.filter) {
    WheelFilter* filter = s.filter;
    if (s.window) s.window->removeEventFilter(filter);
    delete filter;  // its destroyed signal releases the hook
  }
  Release();
}

bool WheelWindowProc(QObject* window, QEvent* event) {
  HookState& s = State();
  if (event->type() != QEvent::Wheel || !s.hooked || !s.form || window != s.window) return false;
  const auto* wheel = static_cast<QWheelEvent*>(event);
  // Only the vertical wheel has a wheel message of its own; a sideways scroll has none.
  const int delta = wheel->angleDelta().y();
  if (delta == 0) return false;
  const QPoint at = wheel->globalPosition().toPoint();
  s.form->MouseWheel(MouseKeysOf(*wheel), SignedWord(delta), at.x() & kWordMask, SignedWord(at.y()));
  return false;
}

}  // namespace stagora
