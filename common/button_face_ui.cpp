#include "common/button_face_ui.h"

#include <QLinearGradient>
#include <QPainter>

namespace stagora {

QPixmap ButtonFace(int width, int height, double devicePixelRatio) {
  QPixmap pm(qRound(width * devicePixelRatio), qRound(height * devicePixelRatio));
  pm.setDevicePixelRatio(devicePixelRatio);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r(0.5, 0.5, width - 1, height - 1);
  QLinearGradient g(0, 0, 0, height);
  g.setColorAt(0, QColor(252, 253, 255));
  g.setColorAt(0.5, QColor(226, 234, 248));
  g.setColorAt(1, QColor(192, 208, 236));
  p.setBrush(g);
  p.setPen(QPen(QColor(110, 130, 180), 1));
  p.drawRoundedRect(r, 6, 6);
  p.setPen(QPen(QColor(255, 255, 255, 200), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 5, 5);
  return pm;
}

}  // namespace stagora
