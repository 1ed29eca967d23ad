// The viewer's own pictures, drawn at start-up: the toolbar's background, the nine toolbar
// buttons' faces, the page buttons' faces and the window icon.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace stagora::viewer {

// 65 x 55, stretched over the toolbar strip.
QPixmap ToolbarBackground();
// 60 x 53: button `index` (0 open, 1 save, 2 print, 3-6 the four views, 7 zoom, 8 help), in
// its normal or its pressed look. The lower 15 pixels stay free for the caption.
QPixmap ToolButtonFace(int index, bool pressed);
// 19 x 20: the previous-page (left) or next-page button.
QPixmap PageButtonFace(bool left, bool pressed);
QIcon WindowIcon();

}  // namespace stagora::viewer
