// The face drawn under a caption on the programs' picture buttons: a rounded panel, light at
// the top and deeper blue at the bottom, with a white inner edge.
#pragma once

#include <QPixmap>

namespace stagora {

// The size in pixels of the face of every picture button of both programs.
inline constexpr int kButtonFaceWidth = 141;
inline constexpr int kButtonFaceHeight = 34;

// A face of width x height pixels holding devicePixelRatio image pixels per pixel.
QPixmap ButtonFace(int width, int height, double devicePixelRatio = 1);

}  // namespace stagora
