// A main window brought onto the screen it opens on. Each program's window has its designed
// size; on a small screen, or a large scale factor, that size can be larger than the screen
// and the window manager then leaves the title bar out of reach. At start each program fits
// its window into the screen's available area: a window that fits keeps its size and place.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace stagora {

// Where a window goes: its frame's top-left corner and its client size.
struct WindowPlace {
  QPoint framePos;
  QSize client;
  bool operator==(const WindowPlace&) const = default;
};

// The place of a window now at `place`, with `frame` around its client area, within `area`:
// the client no larger than the area leaves beside the frame, and the frame moved inside the
// area where it sticks out, the top-left corner (with the title bar) first.
WindowPlace FitIntoArea(WindowPlace place, QMargins frame, QRect area);

// The frame around a top-level window: the window manager's once it has told it; before
// that (the window not shown yet, or just shown) room for a usual title bar and borders.
QMargins WindowFrame(const QWidget* window);

// The largest client size that, with the window's frame, fits into the available area of
// the window's screen.
QSize LargestClientSize(const QWidget* window);

// Fits a top-level window into the available area of its screen, below its minimum size if
// need be.
void FitWindowIntoScreen(QWidget* window);

}  // namespace stagora
