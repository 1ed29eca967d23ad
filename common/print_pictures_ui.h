// The print dialogs' pictures, drawn in code at the pixel sizes their layouts expect.
#pragma once

#include <QPixmap>

namespace stagora {

inline constexpr int kUncollatedWidth = 111;
inline constexpr int kUncollatedHeight = 34;
inline constexpr int kCollatedWidth = 93;
inline constexpr int kCollatedHeight = 43;

// The face under a Print or Cancel caption.
QPixmap PrintButtonFace();
// Each page's copies together: 1 1, 2 2, 3 3.
QPixmap UncollatedPicture();
// Whole sets one after another: 1 2 3, 1 2 3.
QPixmap CollatedPicture();

}  // namespace stagora
