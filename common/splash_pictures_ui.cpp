#include "common/splash_pictures_ui.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <utility>

#include "common/controls_ui.h"
#include "common/splash_look.h"
#include "platform/fonts.h"

namespace stagora {
namespace {

// A picture of w x h pixels holding that many device pixels per pixel; a painter on it draws
// in pixels.
QPixmap Blank(int w, int h, double ratio) {
  QPixmap pm(qRound(w * ratio), qRound(h * ratio));
  pm.setDevicePixelRatio(ratio);
  pm.fill(Qt::transparent);
  return pm;
}

// Fills the picture from one band's colour at the top to the next band's at the bottom, so
// that the seams with the bands do not show.
void Blend(QPainter& p, int w, int h, const QColor& from, const QColor& to) {
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, from);
  g.setColorAt(1, to);
  p.fillRect(QRectF(0, 0, w, h), g);
}

// An x-y diagram squeezed into the strip: the equilibrium curve, the diagonal and the stages
// stepped off between them, from the top right down to the bottom left. Each line is drawn
// in white over a shadow of the scheme's dark colour, so it shows on both ends of the blend.
void StagesMotif(QPainter& p, int w, int h, const QColor& dark) {
  constexpr double kAlpha = 4;
  constexpr double kMargin = 6;
  auto curveY = [](double x) { return kAlpha * x / (1 + (kAlpha - 1) * x); };
  auto toPoint = [w, h](double x, double y) {
    return QPointF(kMargin + x * (w - 2 * kMargin), h - kMargin - y * (h - 2 * kMargin));
  };
  QPainterPath curve;
  for (int i = 0; i <= 200; ++i) {
    const double x = i / 200.0;
    if (i == 0) curve.moveTo(toPoint(x, curveY(x)));
    else curve.lineTo(toPoint(x, curveY(x)));
  }
  QPainterPath diagonal;
  diagonal.moveTo(toPoint(0, 0));
  diagonal.lineTo(toPoint(1, 1));
  QPainterPath steps;
  double x = 0.97;
  steps.moveTo(toPoint(x, x));
  for (int n = 0; n < 12 && x > 0.02; ++n) {
    const double xe = x / (kAlpha - (kAlpha - 1) * x);  // the liquid in equilibrium with vapour x
    steps.lineTo(toPoint(xe, x));
    steps.lineTo(toPoint(xe, xe));
    x = xe;
  }
  QColor shadow = dark;
  shadow.setAlpha(70);
  for (const auto& [path, width] : {std::pair{curve, 1.8}, std::pair{diagonal, 1.0}, std::pair{steps, 1.3}}) {
    p.setPen(QPen(shadow, width));
    p.drawPath(path.translated(0, 1));
    p.setPen(QPen(QColor(255, 255, 255, 170), width));
    p.drawPath(path);
  }
}

// Trays of a column seen from the side, lightly drawn across the strip.
void TraysMotif(QPainter& p, int w, int h, const QColor& ink) {
  QColor line = ink;
  line.setAlpha(70);
  p.setPen(QPen(line, 1));
  for (int i = 0; i < 6; ++i) {
    const double y = 10 + i * (h - 20) / 5.0;
    const double indent = 30 + 12 * std::sin(i * 0.9);
    p.drawLine(QPointF(indent, y), QPointF(w - indent - 40, y));
  }
}

}  // namespace

QPixmap SplashLogoPicture(double devicePixelRatio) {
  constexpr int w = kSplashLogoWidth;
  constexpr int h = kSplashLogoHeight;
  QPixmap pm = Blank(w, h, devicePixelRatio);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink(70, 78, 96);
  // The emblem: a column with its trays, a drop falling from the top one.
  const QRectF column(6, 6, 22, 46);
  p.setPen(QPen(ink, 2));
  p.setBrush(QColor(255, 255, 255, 160));
  p.drawRoundedRect(column, 8, 8);
  p.setPen(QPen(ink, 1.2));
  for (int i = 1; i <= 4; ++i) {
    const double y = column.top() + i * column.height() / 5;
    p.drawLine(QPointF(column.left() + 4, y), QPointF(column.right() - 4, y));
  }
  p.setBrush(ink);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(column.center().x(), column.top() + 5), 2, 2);
  // The name beside it.
  QFont name(plat::ResolveFontFamily("Arial"));
  name.setPixelSize(22);
  name.setBold(true);
  name.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  p.setFont(name);
  p.setPen(ink);
  p.drawText(QRectF(36, 6, w - 38, 28), Qt::AlignLeft | Qt::AlignVCenter, "NORVATH");
  QFont tag(plat::ResolveFontFamily("Arial"));
  tag.setPixelSize(10);
  p.setFont(tag);
  p.setPen(QColor(96, 104, 120));
  p.drawText(QRectF(37, 34, w - 38, 16), Qt::AlignLeft | Qt::AlignVCenter, "engineering software");
  return pm;
}

QPixmap SplashUpperStripPicture(int pictureIndex, double devicePixelRatio) {
  constexpr int w = kSplashStripWidth;
  constexpr int h = kSplashUpperStripHeight;
  const SplashScheme s = SchemeAt(pictureIndex);
  QPixmap pm = Blank(w, h, devicePixelRatio);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  Blend(p, w, h, ToQColor(s.topBand), ToQColor(s.middleBand));
  StagesMotif(p, w, h, ToQColor(s.topBand));
  return pm;
}

QPixmap SplashLowerStripPicture(int pictureIndex, double devicePixelRatio) {
  constexpr int w = kSplashStripWidth;
  constexpr int h = kSplashLowerStripHeight;
  const SplashScheme s = SchemeAt(pictureIndex);
  QPixmap pm = Blank(w, h, devicePixelRatio);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  Blend(p, w, h, ToQColor(s.middleBand), ToQColor(kSplashBottomBand));
  TraysMotif(p, w, h, ToQColor(s.topBand));
  return pm;
}

}  // namespace stagora
