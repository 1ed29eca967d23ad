#include "designer/window/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

#include "common/button_face_ui.h"

namespace stagora::designer {
namespace {

const QColor kSteel(60, 80, 130);

// A picture of w x h pixels holding that many device pixels per pixel; a painter on it draws
// in pixels.
QPixmap Transparent(int w, int h, double ratio) {
  QPixmap pm(qRound(w * ratio), qRound(h * ratio));
  pm.setDevicePixelRatio(ratio);
  pm.fill(Qt::transparent);
  return pm;
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QPointF d = to - from;
  const double len = std::hypot(d.x(), d.y());
  if (len <= 0) return;
  const QPointF u = d / len;
  const QPointF n(-u.y(), u.x());
  constexpr double kHead = 6;
  QPolygonF head;
  head << to << to - u * kHead + n * kHead * 0.5 << to - u * kHead - n * kHead * 0.5;
  p.save();
  p.setBrush(p.pen().color());
  p.drawPolygon(head);
  p.restore();
}

}  // namespace

QPixmap ButtonFacePicture(double devicePixelRatio) {
  return ButtonFace(kButtonFaceWidth, kButtonFaceHeight, devicePixelRatio);
}

QPixmap KnobPicture(double devicePixelRatio) {
  QPixmap pm = Transparent(kKnobWidth, kKnobHeight, devicePixelRatio);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QPolygonF shape;
  shape << QPointF(7.5, 0.5) << QPointF(14.5, 6) << QPointF(14.5, 13.5) << QPointF(0.5, 13.5) << QPointF(0.5, 6);
  QLinearGradient g(0, 0, kKnobWidth, kKnobHeight);
  g.setColorAt(0, QColor(150, 180, 235));
  g.setColorAt(1, QColor(45, 75, 145));
  p.setBrush(g);
  p.setPen(QPen(QColor(30, 50, 110), 1));
  p.drawPolygon(shape);
  p.setPen(QPen(QColor(230, 238, 255), 1));
  for (double x : {5.0, 7.5, 10.0}) p.drawLine(QPointF(x, 7), QPointF(x, 11));
  return pm;
}

QPixmap ColumnPicture(double devicePixelRatio) {
  QPixmap pm = Transparent(kColumnWidth, kColumnHeight, devicePixelRatio);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);

  // Shell with its trays.
  const QRectF shell(34, 48, 62, 270);
  QLinearGradient g(shell.left(), 0, shell.right(), 0);
  g.setColorAt(0, QColor(196, 210, 234));
  g.setColorAt(0.45, QColor(240, 245, 252));
  g.setColorAt(1, QColor(176, 194, 226));
  p.setBrush(g);
  p.setPen(QPen(kSteel, 1.5));
  p.drawRoundedRect(shell, 14, 14);
  p.setPen(QPen(QColor(110, 130, 175), 1));
  bool fromLeft = true;
  for (int y = 72; y <= 298; y += 16) {
    if (fromLeft) {
      p.drawLine(QPointF(35, y), QPointF(82, y));
      p.drawLine(QPointF(82, y), QPointF(82, y + 7));
    } else {
      p.drawLine(QPointF(48, y), QPointF(95, y));
      p.drawLine(QPointF(48, y), QPointF(48, y + 7));
    }
    fromLeft = !fromLeft;
  }

  QPen pipe(kSteel, 2);
  pipe.setCapStyle(Qt::FlatCap);
  p.setPen(pipe);
  p.setBrush(Qt::NoBrush);

  // Overhead vapour, condenser and reflux drum.
  p.drawLine(QPointF(65, 48), QPointF(65, 18));
  p.drawLine(QPointF(65, 18), QPointF(114, 18));
  p.drawLine(QPointF(124, 28), QPointF(124, 46));
  p.setBrush(QColor(220, 232, 250));
  p.drawEllipse(QPointF(124, 18), 10, 10);
  p.drawArc(QRectF(117, 11, 14, 14), 200 * 16, 140 * 16);
  p.drawRoundedRect(QRectF(106, 46, 44, 16), 8, 8);
  p.setBrush(Qt::NoBrush);

  // Reflux L back into the column, distillate D out.
  p.drawLine(QPointF(112, 62), QPointF(112, 82));
  Arrow(p, QPointF(112, 82), QPointF(97, 82));
  Arrow(p, QPointF(130, 62), QPointF(130, 90));

  // Feed F from the left.
  Arrow(p, QPointF(16, 198), QPointF(33, 198));

  // Reboiler with its vapour return, bottoms B out.
  p.drawLine(QPointF(65, 318), QPointF(65, 330));
  p.setBrush(QColor(220, 232, 250));
  p.drawRoundedRect(QRectF(44, 330, 42, 28), 9, 9);
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(86, 336), QPointF(104, 336));
  p.drawLine(QPointF(104, 336), QPointF(104, 300));
  Arrow(p, QPointF(104, 300), QPointF(97, 300));
  Arrow(p, QPointF(86, 352), QPointF(156, 352));
  return pm;
}

namespace {

QPixmap IconPicture(double ratio) {
  constexpr int kSize = 32;
  QPixmap pm = Transparent(kSize, kSize, ratio);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.drawRect(QRectF(2.5, 2.5, 27, 27));
  p.setPen(QPen(QColor(150, 150, 150), 1));
  p.drawLine(QPointF(3, 29), QPointF(29, 3));
  p.setPen(QPen(QColor(0, 0, 200), 1.5));
  QPainterPath curve(QPointF(3, 29));
  curve.cubicTo(QPointF(4, 12), QPointF(12, 5), QPointF(29, 3));
  p.drawPath(curve);
  p.setPen(QPen(QColor(192, 0, 0), 1.5));
  QPolygonF stairs;
  stairs << QPointF(25, 25) << QPointF(25, 8) << QPointF(17, 8) << QPointF(17, 14) << QPointF(9, 14) << QPointF(9, 22);
  p.drawPolyline(stairs);
  return pm;
}

}  // namespace

QIcon WindowIcon() {
  QIcon icon;
  for (double ratio : {1.0, 2.0}) icon.addPixmap(IconPicture(ratio));
  return icon;
}

}  // namespace stagora::designer
