#include "platform/painter_surface.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "platform/fonts.h"
#include "platform/picture_impl.h"

namespace plat {

QColor PainterSurface::ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

namespace {
long DevicePen(double penPx, double ratio) { return std::max(1L, std::lround(penPx * ratio)); }
}  // namespace

double PainterSurface::Snap(double v, double penPx, double ratio) {
  const long w = std::lround(penPx);
  const double snapped = (w % 2 == 1) ? std::floor(v) + 0.5 : std::round(v);
  if (ratio == 1) return snapped;
  const double device = snapped * ratio;
  return ((DevicePen(penPx, ratio) % 2 == 1) ? std::floor(device) + 0.5 : std::round(device)) / ratio;
}

double PainterSurface::SnapPen(double penPx, double ratio) {
  return ratio == 1 ? penPx : static_cast<double>(DevicePen(penPx, ratio)) / ratio;
}

struct PainterSurface::CachedFont {
  CachedFont(const FontSpec& s, QPaintDevice* device)
      : fontSpec(s), dpi(device->logicalDpiY()), font(MakeQFont(s), device), metrics(font, device) {}
  FontSpec fontSpec;
  int dpi;
  QFont font;
  QFontMetricsF metrics;
  std::unordered_map<char16_t, double> advances;
  struct LaidOut {
    QList<QGlyphRun> runs;  // glyphs of the character, with any fallback font's
    double baseline = 0;    // below the runs' origin
  };
  std::unordered_map<char16_t, LaidOut> glyphs;
};

struct PainterSurface::FontCache {
  // Enough for every style and size of a page; beyond it the cache starts again.
  static constexpr std::size_t kMaxFonts = 64;
  std::vector<std::unique_ptr<CachedFont>> fonts;
  CachedFont* last = nullptr;
};

PainterSurface::PainterSurface() : fonts_(std::make_unique<FontCache>()) {}
PainterSurface::~PainterSurface() = default;

PainterSurface::CachedFont& PainterSurface::fontFor(const FontSpec& fontSpec) {
  QPaintDevice* device = metricsDevice();
  const int dpi = device->logicalDpiY();
  FontCache& cache = *fonts_;
  if (cache.last && cache.last->dpi == dpi && cache.last->fontSpec == fontSpec) return *cache.last;
  for (const auto& f : cache.fonts) {
    if (f->dpi == dpi && f->fontSpec == fontSpec) return *(cache.last = f.get());
  }
  if (cache.fonts.size() >= FontCache::kMaxFonts) cache.fonts.clear();
  cache.fonts.push_back(std::make_unique<CachedFont>(fontSpec, device));
  return *(cache.last = cache.fonts.back().get());
}

void PainterSurface::devLine(double x1, double y1, double x2, double y2, Color c, double penPx) {
  QPainter* p = painter();
  if (!p) return;
  // Thick lines end round. On a picture a pen of two pixels or less ends square instead: at
  // that size the two look the same, and square ends are many times faster to rasterise than
  // round ones, which matters because the diagram is redrawn on every pointer move of a drag.
  const bool round = penPx > 1 && !(penPx <= 2 && thinPensEndSquare());
  const double ratio = p->device()->devicePixelRatio();
  const bool snapped = x1 == x2 || y1 == y2;
  p->setPen(QPen(ToQColor(c), snapped ? SnapPen(penPx, ratio) : penPx, Qt::SolidLine,
                 round ? Qt::RoundCap : Qt::SquareCap, Qt::RoundJoin));
  p->setBrush(Qt::NoBrush);
  if (x1 == x2 && y1 == y2) {
    p->drawPoint(QPointF(Snap(x1, penPx, ratio), Snap(y1, penPx, ratio)));
    return;
  }
  // Axis-parallel segments snap to the pixel grid; slanted ones are drawn as they are.
  if (snapped) {
    p->drawLine(QPointF(Snap(x1, penPx, ratio), Snap(y1, penPx, ratio)),
                QPointF(Snap(x2, penPx, ratio), Snap(y2, penPx, ratio)));
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
  const double ratio = p->device()->devicePixelRatio();
  p->setPen(QPen(ToQColor(pen), SnapPen(penPx, ratio), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p->setBrush(Qt::NoBrush);
  p->drawRect(QRectF(Snap(x, penPx, ratio), Snap(y, penPx, ratio), std::round(w), std::round(h)));
}

void PainterSurface::devEllipse(double cx, double cy, double rx, double ry, Color pen, double penPx, bool filled,
                                Color fill) {
  QPainter* p = painter();
  if (!p) return;
  p->setPen(QPen(ToQColor(pen), penPx));
  p->setBrush(filled ? QBrush(ToQColor(fill)) : QBrush(Qt::NoBrush));
  p->drawEllipse(QPointF(cx, cy), rx, ry);
}

void PainterSurface::devText(double x, double y, const std::u16string& text, const FontSpec& fontSpec, Color c) {
  QPainter* p = painter();
  if (!p || text.empty()) return;
  CachedFont& f = fontFor(fontSpec);
  if (p->font() != f.font) p->setFont(f.font);
  p->setPen(ToQColor(c));
  if (text.size() == 1) {
    auto it = f.glyphs.find(text[0]);
    if (it == f.glyphs.end()) {
      QTextLayout layout{QString(QChar(text[0])), f.font, metricsDevice()};
      layout.beginLayout();
      const QTextLine line = layout.createLine();
      layout.endLayout();
      it = f.glyphs.emplace(text[0], CachedFont::LaidOut{layout.glyphRuns(), line.ascent()}).first;
    }
    // The baseline where drawText puts it: the font's ascent below the top.
    const QPointF origin(x, y + f.metrics.ascent() - it->second.baseline);
    for (const QGlyphRun& run : it->second.runs) p->drawGlyphRun(origin, run);
    return;
  }
  p->drawText(QPointF(x, y + f.metrics.ascent()), QString::fromStdU16String(text));
}

double PainterSurface::devTextWidth(const std::u16string& text, const FontSpec& fontSpec) {
  if (text.empty()) return 0;
  CachedFont& f = fontFor(fontSpec);
  if (text.size() == 1) {
    auto it = f.advances.find(text[0]);
    if (it == f.advances.end()) {
      it = f.advances.emplace(text[0], f.metrics.horizontalAdvance(QString(QChar(text[0])))).first;
    }
    return it->second;
  }
  return f.metrics.horizontalAdvance(QString::fromStdU16String(text));
}

FontMetrics PainterSurface::devMetrics(const FontSpec& fontSpec) {
  const QFontMetricsF& fm = fontFor(fontSpec).metrics;
  FontMetrics m;
  m.ascent = fm.ascent();
  m.descent = fm.descent();
  m.height = fm.height();
  m.externalLeading = fm.leading() > 0 ? fm.leading() : 0;
  // The em box is the point size; what the cell holds above it is the internal leading.
  const double em = fontSpec.size * metricsDevice()->logicalDpiY() / 72.0;
  m.internalLeading = std::max(0.0, m.height - em);
  m.aveCharWidth = fm.averageCharWidth();
  return m;
}

void PainterSurface::devPicture(const Picture& pic, double x, double y, double w, double h) {
  QPainter* p = painter();
  if (!p || pic.isNull()) return;
  p->setRenderHint(QPainter::SmoothPixmapTransform, true);
  // Without it the PDF output re-encodes every picture as a lossy JPEG, and the diagram's
  // pure reds and blues come out muddy on paper.
  p->setRenderHint(QPainter::LosslessImageRendering, true);
  p->drawImage(QRectF(x, y, w, h), pic.impl()->image);
}

}  // namespace plat
