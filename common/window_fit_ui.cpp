#include "common/window_fit_ui.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace stagora {
namespace {

// Room for a title bar and the borders of a window not yet shown, in the screen's pixels.
constexpr QMargins kUsualFrame(8, 32, 8, 8);

// Within [low, high], low winning where the range is empty.
int KeptWithin(int value, int low, int high) { return std::max(low, std::min(value, high)); }

const QScreen* ScreenOf(const QWidget* window) {
  const QScreen* screen = window->screen();
  return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

QMargins WindowFrame(const QWidget* window) {
  const QRect outer = window->frameGeometry();
  const QRect inner = window->geometry();
  const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                       outer.bottom() - inner.bottom());
  return frame.isNull() ? kUsualFrame : frame;
}

QSize LargestClientSize(const QWidget* window) {
  const QScreen* screen = ScreenOf(window);
  if (screen == nullptr) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  const QMargins frame = WindowFrame(window);
  const QSize area = screen->availableGeometry().size();
  return QSize(std::max(1, area.width() - frame.left() - frame.right()),
               std::max(1, area.height() - frame.top() - frame.bottom()));
}

WindowPlace FitIntoArea(WindowPlace place, QMargins frame, QRect area) {
  const int roomWidth = std::max(1, area.width() - frame.left() - frame.right());
  const int roomHeight = std::max(1, area.height() - frame.top() - frame.bottom());
  place.client = QSize(std::min(place.client.width(), roomWidth), std::min(place.client.height(), roomHeight));
  const int outerWidth = place.client.width() + frame.left() + frame.right();
  const int outerHeight = place.client.height() + frame.top() + frame.bottom();
  place.framePos = QPoint(KeptWithin(place.framePos.x(), area.left(), area.left() + area.width() - outerWidth),
                          KeptWithin(place.framePos.y(), area.top(), area.top() + area.height() - outerHeight));
  return place;
}

void FitWindowIntoScreen(QWidget* window) {
  const QScreen* screen = ScreenOf(window);
  if (screen == nullptr) return;
  const WindowPlace now{window->pos(), window->size()};
  const WindowPlace fitted = FitIntoArea(now, WindowFrame(window), screen->availableGeometry());
  if (fitted == now) return;
  if (fitted.client != now.client) {
    window->setMinimumSize(window->minimumSize().boundedTo(fitted.client));
    window->resize(fitted.client);
  }
  if (fitted.framePos != now.framePos) window->move(fitted.framePos);
}

}  // namespace stagora
