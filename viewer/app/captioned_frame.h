// DibujarMarco: a decorative frame with a caption tab on its top-left edge, assembled from the
// pieces of one small frame picture (corners copied, edges stretched or tiled), with the
// caption written into the tab. The print dialog draws its "Printer" and "Pages" frames with
// it onto its background.
#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>
#include <string>
#include <vector>

namespace stagora::viewer {

// The frame picture, 66 x 55 pixels, whose regions the pieces are taken from.
constexpr int kFramePictureWidth = 66;
constexpr int kFramePictureHeight = 55;
const QImage& FramePicture();

// One piece of a frame: the region of the frame picture and where it goes (pixels).
struct FramePiece {
  QRectF destination;
  QRect region;
};

// The pieces of a frame with the outer rectangle X, Y, Width, Height and a caption
// captionWidth pixels wide, in drawing order. The top and the height are taken down to even
// numbers; X and Width are used as they are.
std::vector<FramePiece> FramePieces(double X, double Y, double Width, double Height, double captionWidth);

// The caption's font (Arial bold at 10 for 15 twips per pixel) and colour.
QFont FrameCaptionFont();
QColor FrameCaptionColor();

// Draws the frame onto Target, a picture in pixels that keeps what is drawn on it. The caption
// (Windows-1252) is written at (X + 12, the even top). A piece that cannot be drawn is skipped.
void DibujarMarco(QImage& Target, double X, double Y, double Width, double Height, const std::string& Caption);

}  // namespace stagora::viewer
