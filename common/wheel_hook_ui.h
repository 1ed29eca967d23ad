// Wheel scrolling for one window at a time: a hooked window's wheel events reach its
// MouseWheel with the values the wheel message of the platform carries, and then go on to the
// window as before. The designer hooks its table editor, the viewer its main window.
#pragma once

#include <concepts>

class QEvent;
class QObject;
class QWidget;

namespace stagora {

// What a hooked form offers the hook.
class WheelTarget {
 public:
  virtual ~WheelTarget() = default;
  // MouseKeys: the mouse buttons and the Shift and Ctrl keys held (kWheelKey... bits).
  // Rotation: wheel distance, 120 per notch, positive when the wheel turns away from the user.
  // X, Y: the pointer's screen position, X as its low 16 bits (0 to 65535), Y signed.
  virtual void MouseWheel(int MouseKeys, int Rotation, int X, int Y) = 0;
};

// The bits of MouseKeys.
enum WheelKey : int {
  kWheelKeyLeftButton = 0x1,
  kWheelKeyRightButton = 0x2,
  kWheelKeyShift = 0x4,
  kWheelKeyCtrl = 0x8,
  kWheelKeyMiddleButton = 0x10,
  kWheelKeyXButton1 = 0x20,
  kWheelKeyXButton2 = 0x40,
};

// Hooks window, whose wheel events go to target. While a window is hooked a further call does
// nothing (a form hooks itself at every activation). A hooked window that is destroyed frees
// the hook.
void WheelHook(QWidget* window, WheelTarget* target);

template <class Form>
  requires std::derived_from<Form, QWidget> && std::derived_from<Form, WheelTarget>
void WheelHook(Form* form) {
  WheelHook(static_cast<QWidget*>(form), static_cast<WheelTarget*>(form));
}

// Gives the hooked window back its own event handling; harmless when nothing is hooked.
void WheelUnhook();

// Seen by the hook for every event of the hooked window: calls MouseWheel for a vertical
// wheel event. Never takes the event: false, so the window still handles it itself.
bool WheelWindowProc(QObject* window, QEvent* event);

}  // namespace stagora
