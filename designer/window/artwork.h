// The main window's pictures, drawn in code at the pixel sizes the layout expects, at the
// screen's device pixel ratio (device pixels per pixel) so that a scaled screen shows them
// sharp.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "common/button_face_ui.h"

namespace stagora::designer {

inline constexpr int kKnobWidth = 15;
inline constexpr int kKnobHeight = 14;
inline constexpr int kColumnWidth = 160;
inline constexpr int kColumnHeight = 384;

// The face under a label button's caption.
QPixmap ButtonFacePicture(double devicePixelRatio = 1);
// The slider knob; it hangs one pixel below its track and points up at it.
QPixmap KnobPicture(double devicePixelRatio = 1);
// The column with condenser, reboiler and the feed, reflux, distillate and bottoms streams,
// drawn so that the captions "L     D", "F" and "B" placed over it sit beside their streams.
QPixmap ColumnPicture(double devicePixelRatio = 1);
// The window icon, for screens of one and of two device pixels per pixel.
QIcon WindowIcon();

}  // namespace stagora::designer
