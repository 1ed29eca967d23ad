#include "platform/painter_surface.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "platform/fonts.h"
#include "platform/picture_impl.h"

namespace plat {

QColor PainterSurface::ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

namespace {
long DevicePen(double penPx, double ratio) { return std::max(1L, std::lround(penPx * ratio)); }

// What anti-aliasing, snapping and square ends may add around a drawing's geometry.
constexpr double kTouchMargin = 2;
// The longest piece of a line that counts as one rectangle.
constexpr double kTouchPiece = 16;

QRectF Around(double x1, double y1, double x2, double y2, double margin) {
  return QRectF(QPointF(std::min(x1, x2) - margin, std::min(y1, y2) - margin),
                QPointF(std::max(x1, x2) + margin, std::max(y1, y2) + margin));
}
}  // namespace

void PainterSurface::touchLine(double x1, double y1, double x2, double y2, double penPx) {
  const double margin = penPx / 2 + kTouchMargin;
  const double length = std::hypot(x2 - x1, y2 - y1);
  const int pieces = std::max(1, static_cast<int>(std::ceil(std::min(length, 1e5) / kTouchPiece)));
  for (int i = 0; i < pieces; ++i) {
    const double a = static_cast<double>(i) / pieces, b = static_cast<double>(i + 1) / pieces;
    touched(Around(x1 + (x2 - x1) * a, y1 + (y2 - y1) * a, x1 + (x2 - x1) * b, y1 + (y2 - y1) * b, margin));
  }
}

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

struct PainterSurface::LaidOut {
  QList<QGlyphRun> runs;  // glyphs of the text, with any fallback font's
  double baseline = 0;    // below the runs' origin
  QRectF ink;             // what the glyphs cover, from the runs' origin
  // Of a text laid out in one run, what a batch of glyphs takes from it, read out once: which
  // of its font's faces (raw font and flags) the run is in, and its glyphs and their places.
  int face = -1;
  std::vector<quint32> indexes;
  std::vector<QPointF> positions;
};

namespace {
// A one-line layout of the text in the font, measured at the device's resolution, with the
// face of a single run found among (or added to) the font's faces.
PainterSurface::LaidOut LayOut(const QString& text, const QFont& font, QPaintDevice* device,
                               std::vector<QGlyphRun>& faces);
}  // namespace

struct PainterSurface::CachedFont {
  CachedFont(const FontSpec& s, QPaintDevice* device)
      : fontSpec(s),
        dpi(device->logicalDpiY()),
        font(MakeQFont(s), device),
        metrics(font, device),
        ascent(metrics.ascent()),
        height(metrics.height()) {}
  FontSpec fontSpec;
  int dpi;
  QFont font;
  QFontMetricsF metrics;
  // Read once: the font engine looks them up anew at every call, and every character drawn
  // needs them.
  double ascent;
  double height;
  // The faces the font's single-run texts came out in (a fallback font's glyphs are in a face
  // of their own): a handful, as many as the fonts that supply the characters drawn.
  std::vector<QGlyphRun> faces;
  // The font's measures, read from the font engine once: the typesetter asks for them for
  // every part of every construct.
  std::optional<FontMetrics> measures;
  std::unordered_map<char16_t, double> advances;
  std::unordered_map<char16_t, LaidOut> glyphs;
  // The same for whole texts: a picture redrawn on every pointer move prints the same legends,
  // captions and numbers each time. Bounded, so no sequence of texts makes it grow for ever.
  static constexpr std::size_t kMaxTexts = 256;
  std::unordered_map<std::u16string, LaidOut> texts;
  std::unordered_map<std::u16string, double> textAdvances;
};

struct PainterSurface::FontCache {
  // Enough for every style and size of a page; beyond it the cache starts again.
  static constexpr std::size_t kMaxFonts = 64;
  std::vector<std::unique_ptr<CachedFont>> fonts;
  CachedFont* last = nullptr;
};

struct PainterSurface::Replay {
  bool tell = false;  // whether putting it back tells touched() the area
  QRectF area;        // what it tells
  QRect pixels;       // the device pixels it may change
  QImage before;      // those pixels before it was drawn
  QImage after;       // and after
};

struct PainterSurface::Replays {
  // Bounded: a drawing seen once is kept by its key alone, its pixels only from the second
  // time on; beyond either bound the picture starts again.
  static constexpr std::size_t kMostDrawings = 4096;
  static constexpr qint64 kMostPixels = 4 << 20;
  // A picture filtered into its rectangle costs more to draw than a text or a curve: it is
  // worth keeping up to a larger size (see kMostPixelsOfOne).
  static constexpr qint64 kMostPixelsOfAPicture = 1 << 20;
  std::unordered_map<std::string, Replay> kept;
  qint64 pixels = 0;
  void clear() {
    kept.clear();
    pixels = 0;
  }
};

PainterSurface::PainterSurface()
    : replays_(std::make_unique<Replays>()), fonts_(std::make_unique<FontCache>()), textPen_(QColor(Qt::black)) {}
PainterSurface::~PainterSurface() = default;

std::size_t PainterSurface::cachedEntries() const {
  std::size_t n = fonts_->fonts.size();
  for (const auto& f : fonts_->fonts) n += f->advances.size() + f->glyphs.size() + f->texts.size() + f->textAdvances.size();
  return n + replays_->kept.size();
}

namespace {
// The picture a painter draws on, when it may be written as pixels (drawings put back, whole
// pixels filled): a picture in memory of opaque pixels, drawn plainly (no clipping, blending
// or opacity) and not shared, so that its pixels can be compared and written as they are.
QImage* PlainPicture(QPainter* p) {
  QPaintDevice* device = p->device();
  if (!device || device->devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(device);
  if (image->format() != QImage::Format_RGB32 || !image->isDetached() ||
      p->paintEngine()->type() != QPaintEngine::Raster || p->deviceTransform().type() > QTransform::TxScale ||
      p->hasClipping() || p->compositionMode() != QPainter::CompositionMode_SourceOver || p->opacity() != 1) {
    return nullptr;
  }
  return image;
}

void CopyPixels(QImage& image, const QPoint& at, const QImage& pixels) {
  const qsizetype stride = image.bytesPerLine(), ownStride = pixels.bytesPerLine();
  uchar* to = image.bits() + at.y() * stride + at.x() * 4;
  const uchar* from = pixels.constBits();
  const auto bytes = static_cast<std::size_t>(pixels.width()) * 4;
  for (int y = pixels.height(); y > 0; --y, to += stride, from += ownStride) std::memcpy(to, from, bytes);
}
}  // namespace

void PainterSurface::startReplayKey(char kind, Color c) {
  replayKey_.clear();
  replayKey_ += kind;
  addToReplayKey(c);
}

template <typename T>
void PainterSurface::addToReplayKey(const T& value) {
  static_assert(std::is_trivially_copyable_v<T>);
  replayKey_.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void PainterSurface::addToReplayKey(const std::string& text) {
  addToReplayKey(text.size());
  replayKey_ += text;
}

void PainterSurface::addToReplayKey(const std::u16string& text) {
  addToReplayKey(text.size());
  replayKey_.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
}

// The resolution the font is laid out at is the picture's own, the same for all its drawings.
void PainterSurface::addToReplayKey(const FontSpec& font) {
  addToReplayKey(font.name);
  addToReplayKey(font.size);
  addToReplayKey(static_cast<char>(font.bold | font.italic << 1 | font.underline << 2 | font.strikethru << 3));
}

bool PainterSurface::putBack(QPainter* p) {
  replayFound_ = nullptr;
  replayImage_ = PlainPicture(p);
  if (!replayImage_) return false;
  // Where the drawing lands on the device, and how it is drawn.
  const QTransform& t = p->deviceTransform();
  addToReplayKey(t.m11());
  addToReplayKey(t.m22());
  addToReplayKey(t.dx());
  addToReplayKey(t.dy());
  addToReplayKey(static_cast<int>(p->renderHints()));
  Replays& replays = *replays_;
  if (replays.pixels > Replays::kMostPixels) replays.clear();
  const auto it = replays.kept.find(replayKey_);
  if (it == replays.kept.end()) return false;
  Replay& r = it->second;
  replayFound_ = &r;
  if (r.after.isNull() || !replayImage_->rect().contains(r.pixels) || !SamePixels(*replayImage_, r.pixels, r.before)) {
    return false;
  }
  if (r.tell) touched(r.area);
  CopyPixels(*replayImage_, r.pixels.topLeft(), r.after);
  return true;
}

template <typename Draw>
void PainterSurface::drawKept(QPainter* p, const QRectF& area, const QRectF& ink, bool tell, Draw draw,
                              qint64 mostPixels) {
  if (tell) touched(area);
  QImage* image = replayImage_;
  // Kept only for a drawing wholly inside the picture (then clipping at its edges plays no part).
  const QRectF onDevice = image ? p->deviceTransform().mapRect(ink) : QRectF();
  if (!image || !(onDevice.left() >= 1 && onDevice.top() >= 1 && onDevice.right() <= image->width() - 1 &&
                  onDevice.bottom() <= image->height() - 1)) {
    draw();
    return;
  }
  const QRect pixels = onDevice.toAlignedRect().adjusted(-1, -1, 1, 1);
  if (static_cast<qint64>(pixels.width()) * pixels.height() > mostPixels) {
    draw();
    return;
  }
  Replays& replays = *replays_;
  if (!replayFound_) {
    // Seen for the first time: it may never come again.
    if (replays.kept.size() >= Replays::kMostDrawings) replays.clear();
    replays.kept.emplace(replayKey_, Replay{});
    draw();
    return;
  }
  Replay& r = *replayFound_;
  replays.pixels -= 2 * static_cast<qint64>(r.pixels.width()) * r.pixels.height();
  r.before = image->copy(pixels);
  draw();
  r.after = image->copy(pixels);
  r.tell = tell;
  r.area = area;
  r.pixels = pixels;
  replays.pixels += 2 * static_cast<qint64>(pixels.width()) * pixels.height();
}

namespace {
// The font description compared field by field, the name last: most fonts of a page differ
// in size or style only.
bool SameFont(const FontSpec& a, const FontSpec& b) {
  return a.size == b.size && a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
         a.strikethru == b.strikethru && a.name == b.name;
}
}  // namespace

PainterSurface::CachedFont& PainterSurface::fontFor(const FontSpec& fontSpec) {
  QPaintDevice* device = metricsDevice();
  const int dpi = metricsDpi();
  FontCache& cache = *fonts_;
  if (cache.last && cache.last->dpi == dpi && SameFont(cache.last->fontSpec, fontSpec)) return *cache.last;
  for (const auto& f : cache.fonts) {
    if (f->dpi == dpi && SameFont(f->fontSpec, fontSpec)) return *(cache.last = f.get());
  }
  if (cache.fonts.size() >= FontCache::kMaxFonts) cache.fonts.clear();
  cache.fonts.push_back(std::make_unique<CachedFont>(fontSpec, device));
  return *(cache.last = cache.fonts.back().get());
}

bool PainterSurface::roundCap(double penPx) const {
  // Thick lines end round. On a picture a pen of two pixels or less ends square instead: at
  // that size the two look the same, and square ends are many times faster to rasterise than
  // round ones, which matters because the diagram is redrawn on every pointer move of a drag.
  return penPx > 1 && !(penPx <= 2 && thinPensEndSquare());
}

void PainterSurface::devLine(double x1, double y1, double x2, double y2, Color c, double penPx) {
  QPainter* p = painter();
  if (!p) return;
  touchLine(x1, y1, x2, y2, penPx);
  const bool round = roundCap(penPx);
  const double ratio = p->device()->devicePixelRatio();
  const bool snapped = x1 == x2 || y1 == y2;
  const double width = snapped ? SnapPen(penPx, ratio) : penPx;
  if (snapped && !round && (width == 1 || width == 2) && !(x1 == x2 && y1 == y2) && FillsWholePixels(p)) {
    // An axis-parallel line of one or two pixels with square ends, snapped, covers a
    // rectangle of whole pixels, and the anti-aliased stroke gives each of them the full
    // colour and nothing beside them: a plain fill of the rectangle gives the same pixels
    // many times faster (fraction bars, delimiters, rules). Ends snapped onto one point are
    // left to the stroke.
    const double sx1 = Snap(x1, penPx), sy1 = Snap(y1, penPx), sx2 = Snap(x2, penPx), sy2 = Snap(y2, penPx);
    if (sx1 != sx2 || sy1 != sy2) {
      const double half = width / 2;
      const QPoint from(static_cast<int>(std::lround(std::min(sx1, sx2) - half)),
                        static_cast<int>(std::lround(std::min(sy1, sy2) - half)));
      const QPoint to(static_cast<int>(std::lround(std::max(sx1, sx2) + half)),
                      static_cast<int>(std::lround(std::max(sy1, sy2) + half)));
      FillPixels(p, QRect(from, QSize(to.x() - from.x(), to.y() - from.y())), ToQColor(c));
      return;
    }
  }
  startReplayKey('l', c);
  addToReplayKey(penPx);
  for (double v : {x1, y1, x2, y2}) addToReplayKey(v);
  if (putBack(p)) return;
  const QRectF area = Around(x1, y1, x2, y2, penPx / 2 + kTouchMargin);
  drawKept(p, area, area, false, [&] {
    useLinePen(p, c, width, round ? Qt::RoundCap : Qt::SquareCap, Qt::RoundJoin);
    p->setBrush(Qt::NoBrush);
    if (x1 == x2 && y1 == y2) {
      p->drawPoint(QPointF(Snap(x1, penPx, ratio), Snap(y1, penPx, ratio)));
    } else if (snapped) {
      // Axis-parallel segments snap to the pixel grid; slanted ones are drawn as they are.
      p->drawLine(QPointF(Snap(x1, penPx, ratio), Snap(y1, penPx, ratio)),
                  QPointF(Snap(x2, penPx, ratio), Snap(y2, penPx, ratio)));
    } else {
      p->drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
  });
}

void PainterSurface::devLines(const std::vector<Segment>& segments, Color c, double penPx) {
  QPainter* p = painter();
  if (!p) return;
  // The painter rasterises and blends each line of one call on its own, in order, exactly as
  // it would separate calls, as long as the pen has no round ends (a round-ended pen strokes
  // the lines of a call as one outline). What a single call draws differently, points and
  // axis-parallel lines on their snapped pen, still goes one by one.
  if (roundCap(penPx)) {
    Surface::devLines(segments, c, penPx);
    return;
  }
  batch_.clear();
  for (const Segment& s : segments) {
    if (s.x1 != s.x2 && s.y1 != s.y2) {
      touchLine(s.x1, s.y1, s.x2, s.y2, penPx);
      batch_.emplace_back(s.x1, s.y1, s.x2, s.y2);
      continue;
    }
    drawBatch(p, c, penPx);
    devLine(s.x1, s.y1, s.x2, s.y2, c, penPx);
  }
  drawBatch(p, c, penPx);
}

bool PainterSurface::FillsWholePixels(QPainter* p) {
  // A plain picture, drawn on without scaling: a logical pixel is a device pixel.
  return PlainPicture(p) && p->deviceTransform().type() == QTransform::TxNone;
}

void PainterSurface::useTextPen(QPainter* p, Color c) {
  const QColor colour = ToQColor(c);
  if (textPen_.color() != colour) textPen_.setColor(colour);
  if (p->pen() != textPen_) p->setPen(textPen_);
}

void PainterSurface::useLinePen(QPainter* p, Color c, double width, Qt::PenCapStyle cap, Qt::PenJoinStyle join) {
  const QColor colour = ToQColor(c);
  if (linePen_.color() != colour) linePen_.setColor(colour);
  if (linePen_.widthF() != width) linePen_.setWidthF(width);
  if (linePen_.capStyle() != cap) linePen_.setCapStyle(cap);
  if (linePen_.joinStyle() != join) linePen_.setJoinStyle(join);
  if (p->pen() != linePen_) p->setPen(linePen_);
}

void PainterSurface::drawBatch(QPainter* p, Color c, double penPx) {
  if (batch_.empty()) return;
  startReplayKey('L', c);
  addToReplayKey(penPx);
  QRectF area;
  for (const QLineF& l : batch_) {
    for (double v : {l.x1(), l.y1(), l.x2(), l.y2()}) addToReplayKey(v);
    area = area.united(Around(l.x1(), l.y1(), l.x2(), l.y2(), penPx / 2 + kTouchMargin));
  }
  if (!putBack(p)) {
    drawKept(p, area, area, false, [&] {
      useLinePen(p, c, penPx, Qt::SquareCap, Qt::RoundJoin);
      p->setBrush(Qt::NoBrush);
      p->drawLines(batch_.data(), static_cast<int>(batch_.size()));
    });
  }
  batch_.clear();
}

void PainterSurface::devRect(double x, double y, double w, double h, Color pen, double penPx, bool filled,
                             Color fill) {
  QPainter* p = painter();
  if (!p) return;
  touched(Around(x, y, x + w, y + h, penPx / 2 + kTouchMargin));
  if (filled) {
    const QRectF box(std::round(x), std::round(y), std::round(x + w) - std::round(x) + 1,
                     std::round(y + h) - std::round(y) + 1);
    if (box.width() > 0 && box.height() > 0 && box.right() < 1e6 && box.bottom() < 1e6 && box.left() > -1e6 &&
        box.top() > -1e6 && FillsWholePixels(p)) {
      FillPixels(p, box.toRect(), ToQColor(fill));
    } else {
      p->fillRect(box, ToQColor(fill));
    }
    return;
  }
  const double ratio = p->device()->devicePixelRatio();
  const double sx = Snap(x, penPx, ratio), sy = Snap(y, penPx, ratio), sw = std::round(w), sh = std::round(h);
  if ((penPx == 1 || penPx == 2) && sw >= 1 && sh >= 1 && sw < 1e6 && sh < 1e6 && FillsWholePixels(p)) {
    // Snapped, a box of a one- or two-pixel pen is the ring of whole pixels between its outer
    // and inner edges: the four bands filled give the stroke's pixels many times faster (the
    // frame of a picture). The one-pixel stroke leaves its four corners partly covered; those
    // four pixels are the painter's stroke, each drawn on that pixel alone.
    const double half = penPx / 2;
    const int left = static_cast<int>(std::lround(sx - half)), top = static_cast<int>(std::lround(sy - half));
    const int right = static_cast<int>(std::lround(sx + sw + half)), bottom = static_cast<int>(std::lround(sy + sh + half));
    const int band = static_cast<int>(penPx);
    const int corner = band == 1 ? 1 : 0;  // the corners left to the painter
    const QColor colour = ToQColor(pen);
    FillPixels(p, QRect(QPoint(left + corner, top), QPoint(right - 1 - corner, top + band - 1)), colour);
    FillPixels(p, QRect(QPoint(left + corner, bottom - band), QPoint(right - 1 - corner, bottom - 1)), colour);
    FillPixels(p, QRect(QPoint(left, top + band), QPoint(left + band - 1, bottom - band - 1)), colour);
    FillPixels(p, QRect(QPoint(right - band, top + band), QPoint(right - 1, bottom - band - 1)), colour);
    if (corner) {
      useLinePen(p, pen, penPx, Qt::SquareCap, Qt::MiterJoin);
      p->setBrush(Qt::NoBrush);
      for (const QPoint& at : {QPoint(left, top), QPoint(right - 1, top), QPoint(left, bottom - 1), QPoint(right - 1, bottom - 1)}) {
        p->setClipRect(QRect(at, QSize(1, 1)));
        p->drawRect(QRectF(sx, sy, sw, sh));
      }
      p->setClipping(false);
    }
    return;
  }
  useLinePen(p, pen, SnapPen(penPx, ratio), Qt::SquareCap, Qt::MiterJoin);
  p->setBrush(Qt::NoBrush);
  p->drawRect(QRectF(sx, sy, sw, sh));
}

void PainterSurface::FillPixels(QPainter* p, const QRect& area, const QColor& colour) {
  auto* image = static_cast<QImage*>(p->device());
  const QRect r = area.intersected(image->rect());
  if (r.isEmpty()) return;
  // What the painter stores for an opaque colour on a picture of opaque pixels.
  const QRgb pixel = 0xFF000000u | colour.rgb();
  const qsizetype stride = image->bytesPerLine();
  uchar* row = image->bits() + r.top() * stride + r.left() * 4;
  for (int y = r.height(); y > 0; --y, row += stride) std::fill_n(reinterpret_cast<QRgb*>(row), r.width(), pixel);
}

void PainterSurface::devEllipse(double cx, double cy, double rx, double ry, Color pen, double penPx, bool filled,
                                Color fill) {
  QPainter* p = painter();
  if (!p) return;
  touched(Around(cx - rx, cy - ry, cx + rx, cy + ry, penPx / 2 + kTouchMargin));
  p->setPen(QPen(ToQColor(pen), penPx));
  p->setBrush(filled ? QBrush(ToQColor(fill)) : QBrush(Qt::NoBrush));
  p->drawEllipse(QPointF(cx, cy), rx, ry);
}

namespace {
PainterSurface::LaidOut LayOut(const QString& text, const QFont& font, QPaintDevice* device,
                               std::vector<QGlyphRun>& faces) {
  QTextLayout layout{text, font, device};
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  PainterSurface::LaidOut laid{layout.glyphRuns(), line.ascent(), QRectF(), -1, {}, {}};
  for (const QGlyphRun& run : laid.runs) laid.ink = laid.ink.united(run.boundingRect());
  if (laid.runs.size() == 1) {
    const QGlyphRun& run = laid.runs.front();
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    const qsizetype n = std::min(indexes.size(), positions.size());
    laid.indexes.assign(indexes.begin(), indexes.begin() + n);
    laid.positions.assign(positions.begin(), positions.begin() + n);
    const QRawFont raw = run.rawFont();
    for (std::size_t k = 0; k < faces.size() && laid.face < 0; ++k) {
      if (faces[k].rawFont() == raw && faces[k].flags() == run.flags()) laid.face = static_cast<int>(k);
    }
    if (laid.face < 0) {
      laid.face = static_cast<int>(faces.size());
      faces.push_back(run);
    }
  }
  return laid;
}
}  // namespace

const PainterSurface::LaidOut& PainterSurface::glyphsOf(CachedFont& f, char16_t ch) {
  auto it = f.glyphs.find(ch);
  if (it == f.glyphs.end()) it = f.glyphs.emplace(ch, LayOut(QString(QChar(ch)), f.font, metricsDevice(), f.faces)).first;
  return it->second;
}

double PainterSurface::advanceOf(CachedFont& f, char16_t ch) {
  auto it = f.advances.find(ch);
  if (it == f.advances.end()) it = f.advances.emplace(ch, f.metrics.horizontalAdvance(QString(QChar(ch)))).first;
  return it->second;
}

QRectF PainterSurface::TextArea(const CachedFont& f, double x, double y, double width, const LaidOut* laid,
                                const QPointF& origin) {
  const double h = f.height;
  const double overhang = h / 4 + kTouchMargin;
  QRectF area(x - overhang, y - overhang, width + 2 * overhang, h + 2 * overhang);
  // Glyphs reaching further than that (tall signs of a fallback font) count whole.
  if (laid && !laid->ink.isEmpty()) area = area.united(laid->ink.translated(origin).adjusted(-kTouchMargin, -kTouchMargin, kTouchMargin, kTouchMargin));
  return area;
}

QRectF PainterSurface::InkArea(const LaidOut& laid, const QPointF& origin) {
  return laid.ink.translated(origin).adjusted(-kTouchMargin, -kTouchMargin, kTouchMargin, kTouchMargin);
}

void PainterSurface::devText(double x, double y, const std::u16string& text, const FontSpec& fontSpec, Color c) {
  QPainter* p = painter();
  if (!p || text.empty()) return;
  startReplayKey('T', c);
  addToReplayKey(fontSpec);
  addToReplayKey(x);
  addToReplayKey(y);
  addToReplayKey(text);
  if (putBack(p)) return;
  CachedFont& f = fontFor(fontSpec);
  // Underlined or struck-through text, and text that needs more than one font, keeps the
  // painter's own way: its lines are placed across the whole text. A single character's glyph
  // run draws its lines where they belong only on a picture of one device pixel per pixel; on
  // a dense screen it would draw them at twice their place.
  const LaidOut* laid = nullptr;
  QPointF origin(x, y + f.ascent);
  QRectF area;
  const bool lined = fontSpec.underline || fontSpec.strikethru;
  if (text.size() == 1 && (!lined || p->deviceTransform().type() == QTransform::TxNone)) {
    laid = &glyphsOf(f, text[0]);
    // The baseline where drawText puts it: the font's ascent below the top.
    origin = QPointF(x, y + f.ascent - laid->baseline);
    area = TextArea(f, x, y, advanceOf(f, text[0]), laid, origin);
  } else if (!lined) {
    auto it = f.texts.find(text);
    if (it == f.texts.end()) {
      if (f.texts.size() >= CachedFont::kMaxTexts) f.texts.clear();
      it = f.texts.emplace(text, LayOut(QString::fromStdU16String(text), f.font, metricsDevice(), f.faces)).first;
    }
    laid = &it->second;
    origin = QPointF(x, y + f.ascent - laid->baseline);
    area = TextArea(f, x, y, devTextWidth(text, fontSpec), laid, origin);
    if (laid->runs.size() != 1) laid = nullptr;
  } else {
    const LaidOut ink{{}, 0, f.metrics.boundingRect(QString::fromStdU16String(text)), -1, {}, {}};
    area = TextArea(f, x, y, devTextWidth(text, fontSpec), &ink, origin);
  }
  // The glyphs cover their ink; underlines and struck-through lines reach beyond it.
  const QRectF ink = laid && !lined && !laid->ink.isEmpty() ? InkArea(*laid, origin) : area;
  drawKept(p, area, ink, true, [&] {
    if (p->font() != f.font) p->setFont(f.font);
    useTextPen(p, c);
    if (laid) {
      for (const QGlyphRun& run : laid->runs) p->drawGlyphRun(origin, run);
    } else {
      p->drawText(QPointF(x, y + f.ascent), QString::fromStdU16String(text));
    }
  });
}

void PainterSurface::devCharacters(const std::vector<CharacterPlace>& places, const FontSpec& fontSpec, Color c) {
  QPainter* p = painter();
  if (!p || places.empty()) return;
  // Underlines and strike-through lines are drawn per call across the glyphs of the call, so
  // such text goes one character at a time as before.
  if (fontSpec.underline || fontSpec.strikethru) {
    Surface::devCharacters(places, fontSpec, c);
    return;
  }
  startReplayKey('C', c);
  addToReplayKey(fontSpec);
  for (const CharacterPlace& place : places) {
    addToReplayKey(place.x);
    addToReplayKey(place.y);
    addToReplayKey(place.ch);
  }
  if (putBack(p)) return;
  CachedFont& f = fontFor(fontSpec);
  // The characters of a call share one line: the area they touch is told once, as the union
  // of theirs.
  QRectF area, ink;
  placed_.clear();
  for (const CharacterPlace& place : places) {
    const LaidOut& laid = glyphsOf(f, place.ch);
    const QPointF origin(place.x, place.y + f.ascent - laid.baseline);
    area = area.united(TextArea(f, place.x, place.y, advanceOf(f, place.ch), &laid, origin));
    if (!laid.ink.isEmpty()) ink = ink.united(InkArea(laid, origin));
    placed_.emplace_back(&laid, origin);
  }
  drawKept(p, area, ink, true, [&] {
    if (p->font() != f.font) p->setFont(f.font);
    useTextPen(p, c);
    // The glyphs of a character laid out in one face join the batch at the very positions
    // drawing it alone would give them; the painter draws the glyphs of a run one by one in
    // order, so the run draws what the single calls would. A character that needs several
    // fonts is drawn on its own, in its turn.
    int face = -1;
    for (const auto& [laid, origin] : placed_) {
      if (laid->runs.empty()) continue;  // a blank draws nothing
      if (laid->face < 0) {
        drawGlyphBatch(p);
        for (const QGlyphRun& run : laid->runs) p->drawGlyphRun(origin, run);
        continue;
      }
      if (!batchGlyphs_.empty() && laid->face != face) drawGlyphBatch(p);
      if (batchGlyphs_.empty()) {
        glyphBatch_ = laid->runs.front();
        face = laid->face;
      }
      batchGlyphs_.insert(batchGlyphs_.end(), laid->indexes.begin(), laid->indexes.end());
      for (const QPointF& at : laid->positions) batchPositions_.push_back(origin + at);
    }
    drawGlyphBatch(p);
  });
}

void PainterSurface::drawGlyphBatch(QPainter* p) {
  if (batchGlyphs_.empty()) return;
  // The run points into the batch's own arrays while it is drawn: nothing is copied.
  glyphBatch_.setRawData(batchGlyphs_.data(), batchPositions_.data(), static_cast<int>(batchGlyphs_.size()));
  p->drawGlyphRun(QPointF(0, 0), glyphBatch_);
  glyphBatch_.setRawData(nullptr, nullptr, 0);
  batchGlyphs_.clear();
  batchPositions_.clear();
}

double PainterSurface::devTextWidth(const std::u16string& text, const FontSpec& fontSpec) {
  if (text.empty()) return 0;
  CachedFont& f = fontFor(fontSpec);
  if (text.size() == 1) return advanceOf(f, text[0]);
  auto it = f.textAdvances.find(text);
  if (it == f.textAdvances.end()) {
    if (f.textAdvances.size() >= CachedFont::kMaxTexts) f.textAdvances.clear();
    it = f.textAdvances.emplace(text, f.metrics.horizontalAdvance(QString::fromStdU16String(text))).first;
  }
  return it->second;
}

FontMetrics PainterSurface::devMetrics(const FontSpec& fontSpec) {
  CachedFont& f = fontFor(fontSpec);
  if (f.measures) return *f.measures;
  const QFontMetricsF& fm = f.metrics;
  FontMetrics m;
  m.ascent = fm.ascent();
  m.descent = fm.descent();
  m.height = fm.height();
  m.externalLeading = fm.leading() > 0 ? fm.leading() : 0;
  // The em box is the point size; what the cell holds above it is the internal leading.
  const double em = fontSpec.size * metricsDpi() / 72.0;
  m.internalLeading = std::max(0.0, m.height - em);
  m.aveCharWidth = fm.averageCharWidth();
  f.measures = m;
  return m;
}

void PainterSurface::devPicture(const Picture& pic, double x, double y, double w, double h) {
  QPainter* p = painter();
  if (!p || pic.isNull()) return;
  p->setRenderHint(QPainter::SmoothPixmapTransform, true);
  // Without it the PDF output re-encodes every picture as a lossy JPEG, and the diagram's
  // pure reds and blues come out muddy on paper.
  p->setRenderHint(QPainter::LosslessImageRendering, true);
  // Filtering a picture into its rectangle is a good part of the cost of a page, which is
  // drawn again at every zoom, page turn and repaint: the picture (by its image's key, which
  // no other image shares) drawn again at the same place on the same pixels is put back too.
  const QImage& image = pic.impl()->image;
  startReplayKey('P', 0);
  addToReplayKey(image.cacheKey());
  for (double v : {x, y, w, h}) addToReplayKey(v);
  if (putBack(p)) return;
  const QRectF target(x, y, w, h);
  drawKept(p, Around(x, y, x + w, y + h, kTouchMargin), target, true, [&] { p->drawImage(target, image); },
           Replays::kMostPixelsOfAPicture);
}

bool PainterSurface::SamePixels(const QImage& image, const QRect& area, const QImage& pixels) {
  if (pixels.size() != area.size() || pixels.format() != image.format()) return false;
  const int pixelBytes = image.depth() / 8;
  const auto bytes = static_cast<std::size_t>(area.width()) * pixelBytes;
  const qsizetype stride = image.bytesPerLine(), ownStride = pixels.bytesPerLine();
  const uchar* at = image.constBits() + area.top() * stride + area.left() * pixelBytes;
  const uchar* own = pixels.constBits();
  for (int y = area.height(); y > 0; --y, at += stride, own += ownStride) {
    if (std::memcmp(at, own, bytes) != 0) return false;
  }
  return true;
}

}  // namespace plat
