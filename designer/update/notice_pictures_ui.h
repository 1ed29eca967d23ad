// The new-version notice's pictures, drawn in code at the pixel sizes its layout expects.
#pragma once

#include <QPixmap>

#include "common/button_face_ui.h"

namespace stagora::designer {

inline constexpr int kNoticePictureWidth = 102;
inline constexpr int kNoticePictureHeight = 140;

// The face under a button's caption.
QPixmap NoticeButtonFace();
// The picture beside the versions: a column with a new part coming down to it.
QPixmap NoticePicture();

}  // namespace stagora::designer
