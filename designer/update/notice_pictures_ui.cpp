#include "designer/update/notice_pictures_ui.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

namespace stagora::designer {
namespace {

const QColor kOutline(70, 100, 160);
const QColor kBlue(102, 153, 255);

QPixmap Transparent(int w, int h) {
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  return pm;
}

}  // namespace

QPixmap NoticeButtonFace() {
  QPixmap pm = Transparent(kButtonFaceWidth, kButtonFaceHeight);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r(0.5, 0.5, kButtonFaceWidth - 1, kButtonFaceHeight - 1);
  QLinearGradient g(0, 0, 0, kButtonFaceHeight);
  g.setColorAt(0, QColor(252, 253, 255));
  g.setColorAt(0.5, QColor(226, 234, 248));
  g.setColorAt(1, QColor(192, 208, 236));
  p.setBrush(g);
  p.setPen(QPen(kOutline, 1));
  p.drawRoundedRect(r, 6, 6);
  return pm;
}

QPixmap NoticePicture() {
  QPixmap pm = Transparent(kNoticePictureWidth, kNoticePictureHeight);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);

  // The column: a shell with rounded heads and a few trays.
  const QRectF shell(30, 44, 42, 90);
  QLinearGradient metal(shell.left(), 0, shell.right(), 0);
  metal.setColorAt(0, QColor(200, 212, 232));
  metal.setColorAt(0.4, QColor(250, 252, 255));
  metal.setColorAt(1, QColor(160, 178, 210));
  p.setBrush(metal);
  p.setPen(QPen(kOutline, 1.5));
  p.drawRoundedRect(shell, 14, 10);
  p.setPen(QPen(kOutline, 1));
  for (int i = 1; i <= 5; ++i) {
    const double y = shell.top() + i * shell.height() / 6;
    p.drawLine(QPointF(shell.left() + 4, y), QPointF(shell.right() - 4, y));
  }

  // The arrow bringing the new version down.
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  QPolygonF arrow;
  arrow << QPointF(43, 4) << QPointF(59, 4) << QPointF(59, 20) << QPointF(70, 20) << QPointF(51, 38)
        << QPointF(32, 20) << QPointF(43, 20);
  p.drawPolygon(arrow);
  return pm;
}

}  // namespace stagora::designer
