// The face drawn under a caption on the programs' picture buttons: a rounded panel, light at
// the top and deeper blue at the bottom, with a white inner edge.
#pragma once

#include <QPixmap>

namespace stagora {

// A face of width x height pixels holding devicePixelRatio image pixels per pixel.
QPixmap ButtonFace(int width, int height, double devicePixelRatio = 1);

}  // namespace stagora
