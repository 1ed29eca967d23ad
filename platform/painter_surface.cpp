#include "platform/painter_surface.h"

#include <QFontMetricsF>
#include <cmath>

#include "platform/fonts.h"
#include "platform/picture_impl.h"

namespace plat {

QColor PainterSurface::ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

double PainterSurface::Snap(double v, double penPx) {
  const long w = std::lround(penPx);
  return (w % 2 == 1) ? std::floor(v) + 0.5 : std::round(v);
}

const QFont& PainterSurface::fontFor(const FontSpec& spec) {
  if (!haveFont_ || !(spec == cachedSpec_)) {
    cachedFont_ = QFont(MakeQFont(spec), metricsDevice());
    cachedSpec_ = spec;
    haveFont_ = true;
  }
  return cachedFont_;
}

void PainterSurface::devLine(double x1, double y1, double x2, double y2, Color c, double penPx) {
  QPainter* p = painter();
  if (!p) return;
  QPen pen(ToQColor(c), penPx, Qt::SolidLine, penPx > 1 ? Qt::RoundCap : Qt::SquareCap, Qt::RoundJoin);
  p->setPen(pen);
  p->setBrush(Qt::NoBrush);
  if (x1 == x2 && y1 == y2) {
    p->drawPoint(QPointF(Snap(x1, penPx), Snap(y1, penPx)));
    return;
  }
  // Axis-parallel segments snap to the pixel grid; slanted ones are drawn as they are.
  if (x1 == x2 || y1 == y2) {
    p->drawLine(QPointF(Snap(x1, penPx), Snap(y1, penPx)), QPointF(Snap(x2, penPx), Snap(y2, penPx)));
  } else {
    p->drawLine(QPointF(x1, y1), QPointF(x2, y2));
  }
}

void PainterSurface::devRect(double x, double y, double w, double h, Color pen, double penPx, bool filled,
                             Color fill) {
  QPainter* p = painter();
  if (!p) return;
  if (filled) {
    p->fillRect(QRectF(std::round(x), std::round(y), std::round(x + w) - std::round(x) + 1,
                       std::round(y + h) - std::round(y) + 1),
                ToQColor(fill));
    return;
  }
  p->setPen(QPen(ToQColor(pen), penPx, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p->setBrush(Qt::NoBrush);
  p->drawRect(QRectF(Snap(x, penPx), Snap(y, penPx), std::round(w), std::round(h)));
}

void PainterSurface::devEllipse(double cx, double cy, double rx, double ry, Color pen, double penPx, bool filled,
                                Color fill) {
  QPainter* p = painter();
  if (!p) return;
  p->setPen(QPen(ToQColor(pen), penPx));
  p->setBrush(filled ? QBrush(ToQColor(fill)) : QBrush(Qt::NoBrush));
  p->drawEllipse(QPointF(cx, cy), rx, ry);
}

void PainterSurface::devText(double x, double y, const std::u16string& text, const FontSpec& spec, Color c) {
  QPainter* p = painter();
  if (!p || text.empty()) return;
  const QFont& f = fontFor(spec);
  p->setFont(f);
  p->setPen(ToQColor(c));
  QFontMetricsF fm(f, metricsDevice());
  p->drawText(QPointF(x, y + fm.ascent()), QString::fromStdU16String(text));
}

double PainterSurface::devTextWidth(const std::u16string& text, const FontSpec& spec) {
  if (text.empty()) return 0;
  QFontMetricsF fm(fontFor(spec), metricsDevice());
  return fm.horizontalAdvance(QString::fromStdU16String(text));
}

FontMetrics PainterSurface::devMetrics(const FontSpec& spec) {
  QFontMetricsF fm(fontFor(spec), metricsDevice());
  FontMetrics m;
  m.ascent = fm.ascent();
  m.descent = fm.descent();
  m.height = fm.height();
  m.externalLeading = fm.leading() > 0 ? fm.leading() : 0;
  // The em box is the point size; what the cell holds above it is the internal leading.
  const double em = spec.size * metricsDevice()->logicalDpiY() / 72.0;
  m.internalLeading = std::max(0.0, m.height - em);
  m.aveCharWidth = fm.averageCharWidth();
  return m;
}

void PainterSurface::devPicture(const Picture& pic, double x, double y, double w, double h) {
  QPainter* p = painter();
  if (!p || pic.isNull()) return;
  p->setRenderHint(QPainter::SmoothPixmapTransform, true);
  p->drawImage(QRectF(x, y, w, h), pic.impl()->image);
}

}  // namespace plat
