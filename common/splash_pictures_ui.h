// The splash window's pictures, drawn in code at the sizes its layout is built on, at a
// device pixel ratio so that a scaled screen shows them sharp.
#pragma once

#include <QPixmap>

namespace stagora {

// The maker's logo, 158 x 58, on a transparent ground.
QPixmap SplashLogoPicture(double devicePixelRatio = 1);
// The strip between the top and the middle band, 519 x 65, in the colours of the scheme with
// that picture index (0 to 3).
QPixmap SplashUpperStripPicture(int pictureIndex, double devicePixelRatio = 1);
// The strip between the middle and the bottom band, 519 x 75.
QPixmap SplashLowerStripPicture(int pictureIndex, double devicePixelRatio = 1);

}  // namespace stagora
