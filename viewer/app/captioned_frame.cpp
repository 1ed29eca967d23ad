#include "viewer/app/captioned_frame.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "viewer/app/controls.h"

namespace stagora::viewer {
namespace {

constexpr double kCaptionFontSize = 10;
const QColor kCaptionColour(64, 64, 128);
const QColor kFrameLine(96, 96, 168);
const QColor kTabFill(226, 234, 255);

// Where the lines run inside the frame picture: the tab's top, the frame's top edge (which
// closes the tab), the left and right edges and the bottom edge.
constexpr int kTabTop = 0;
constexpr int kTopLine = 20;
constexpr int kLeftLine = 2;
constexpr int kRightLine = 54 + 9;
constexpr int kBottomLine = 43 + 9;
constexpr int kTabSlopeStart = 23;  // the tab's right end slopes down to the top edge

// The pieces' regions in the frame picture: left, top, width, height.
const QRect kTabLeft(0, 0, 13, 26);
const QRect kTabMiddle(13, 0, 8, 26);
const QRect kTabRight(23, 0, 14, 26);
const QRect kTopEdge(38, 0, 12, 26);
const QRect kTopRight(54, 0, 12, 26);
const QRect kLeftEdge(0, 26, 13, 6);
const QRect kRightEdge(54, 26, 12, 6);
const QRect kBottomLeft(0, 43, 13, 12);
const QRect kBottomEdge(13, 43, 12, 12);
const QRect kBottomRight(54, 43, 12, 12);

constexpr int kEdgeTile = 6;

QImage DrawFramePicture() {
  QImage img(kFramePictureWidth, kFramePictureHeight, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QPen line(kFrameLine, 1);

  // The tab: rounded at its top-left, its right end sloping down onto the top edge.
  QPainterPath tab;
  tab.moveTo(kLeftLine + 0.5, kTopLine + 0.5);
  tab.lineTo(kLeftLine + 0.5, kTabTop + 4.5);
  tab.quadTo(kLeftLine + 0.5, kTabTop + 0.5, kLeftLine + 4.5, kTabTop + 0.5);
  tab.lineTo(kTabSlopeStart + 0.5, kTabTop + 0.5);
  tab.cubicTo(kTabSlopeStart + 7.5, kTabTop + 0.5, kTabSlopeStart + 5.5, kTopLine + 0.5, kTabSlopeStart + 13.5,
              kTopLine + 0.5);
  tab.closeSubpath();
  p.setPen(line);
  p.setBrush(kTabFill);
  p.drawPath(tab);

  p.setBrush(Qt::NoBrush);
  // The top edge, and the top-right corner turning down into the right edge.
  p.drawLine(QPointF(kTopEdge.left(), kTopLine + 0.5), QPointF(kTopEdge.right() + 1, kTopLine + 0.5));
  QPainterPath topRight;
  topRight.moveTo(kTopRight.left(), kTopLine + 0.5);
  topRight.lineTo(kRightLine - 3.5, kTopLine + 0.5);
  topRight.quadTo(kRightLine + 0.5, kTopLine + 0.5, kRightLine + 0.5, kTopLine + 4.5);
  topRight.lineTo(kRightLine + 0.5, kTopRight.bottom() + 1);
  p.drawPath(topRight);
  // The left and right edges below the tab's row.
  p.drawLine(QPointF(kLeftLine + 0.5, kLeftEdge.top()), QPointF(kLeftLine + 0.5, kLeftEdge.bottom() + 1));
  p.drawLine(QPointF(kRightLine + 0.5, kRightEdge.top()), QPointF(kRightLine + 0.5, kRightEdge.bottom() + 1));
  // The bottom corners and edge.
  QPainterPath bottomLeft;
  bottomLeft.moveTo(kLeftLine + 0.5, kBottomLeft.top());
  bottomLeft.lineTo(kLeftLine + 0.5, kBottomLine - 3.5);
  bottomLeft.quadTo(kLeftLine + 0.5, kBottomLine + 0.5, kLeftLine + 4.5, kBottomLine + 0.5);
  bottomLeft.lineTo(kBottomLeft.right() + 1, kBottomLine + 0.5);
  p.drawPath(bottomLeft);
  p.drawLine(QPointF(kBottomEdge.left(), kBottomLine + 0.5), QPointF(kBottomEdge.right() + 1, kBottomLine + 0.5));
  QPainterPath bottomRight;
  bottomRight.moveTo(kRightLine + 0.5, kBottomRight.top());
  bottomRight.lineTo(kRightLine + 0.5, kBottomLine - 3.5);
  bottomRight.quadTo(kRightLine + 0.5, kBottomLine + 0.5, kRightLine - 3.5, kBottomLine + 0.5);
  bottomRight.lineTo(kBottomRight.left(), kBottomLine + 0.5);
  p.drawPath(bottomRight);
  return img;
}

}  // namespace

const QImage& FramePicture() {
  static const QImage picture = DrawFramePicture();
  return picture;
}

std::vector<FramePiece> FramePieces(double X, double Y, double Width, double Height, double captionWidth) {
  const double Ye = 2 * std::floor(Y / 2);
  const double He = 2 * std::floor(Height / 2);
  const double tw = captionWidth;
  std::vector<FramePiece> pieces = {
      {QRectF(X, Ye, 13, 26), kTabLeft},
      {QRectF(X + 13, Ye, tw + 10, 26), kTabMiddle},
      {QRectF(X + tw + 20, Ye, 14, 26), kTabRight},
      {QRectF(X + tw + 34, Ye, Width - tw - 46, 26), kTopEdge},
      {QRectF(X + Width - 12, Ye, 12, 26), kTopRight},
  };
  for (double t = 26; t <= He - 12; t += kEdgeTile) pieces.push_back({QRectF(X, Ye + t, 13, 6), kLeftEdge});
  for (double t = 26; t <= He - 12; t += kEdgeTile) {
    pieces.push_back({QRectF(X + Width - 12, Ye + t, 12, 6), kRightEdge});
  }
  pieces.push_back({QRectF(X, Ye + He - 13, 13, 12), kBottomLeft});
  pieces.push_back({QRectF(X + 13, Ye + He - 13, Width - 25, 12), kBottomEdge});
  pieces.push_back({QRectF(X + Width - 12, Ye + He - 13, 12, 12), kBottomRight});
  return pieces;
}

QFont FrameCaptionFont() { return ScaledFont("Arial", kCaptionFontSize, true); }
QColor FrameCaptionColor() { return kCaptionColour; }

void DibujarMarco(QImage& Target, double X, double Y, double Width, double Height, const std::string& Caption) {
  QPainter p(&Target);
  if (!p.isActive()) return;
  const QFont font = FrameCaptionFont();
  const QString caption = QText(Caption);
  const double tw = QFontMetricsF(font, &Target).horizontalAdvance(caption);
  // Pieces are copied pixel for pixel, as a picture copy would: no smoothing of stretched edges.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  for (const FramePiece& piece : FramePieces(X, Y, Width, Height, tw)) {
    // A piece with no room left (a caption wider than the frame) is skipped.
    if (piece.destination.width() <= 0 || piece.destination.height() <= 0) continue;
    p.drawImage(piece.destination, FramePicture(), piece.region);
  }
  p.setFont(font);
  p.setPen(kCaptionColour);
  const double Ye = 2 * std::floor(Y / 2);
  p.drawText(QRectF(X + 12, Ye, tw + 1, QFontMetricsF(font, &Target).height()), Qt::AlignLeft | Qt::AlignTop,
             caption);
}

}  // namespace stagora::viewer
