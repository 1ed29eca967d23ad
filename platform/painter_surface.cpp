#include "platform/painter_surface.h"

#include <QGlyphRun>
#include <QPaintEngine>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <vector>

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

PainterSurface::PainterSurface() : textPen_(QColor(Qt::black)) {}
PainterSurface::~PainterSurface() = default;

namespace {
// The picture a painter draws on, when whole pixels may be written into it: a picture in
// memory of opaque pixels, drawn plainly (no clipping, blending or opacity) and not shared, so
// that a pixel written as it is holds what the painter would store there.
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

// The painter fills glyphs larger than its glyph cache takes (64 pixels a side, or what
// QT_MAX_CACHED_GLYPH_SIZE says) as outlines, which the font engine loads from the font file's
// FreeType face, one face shared by every size of the font. The face keeps the sub-pixel offset
// at which the last glyph picture taken from it was rendered, and an outline loaded after that is
// moved by it: a few hundredths of a pixel, enough to change the edges of a large letter
// depending on what was drawn before it (the first drawing of a page at a large zoom then differed
// from every later one, and a window's own captions could change a page drawn after them).
int LargestCachedGlyph() {
  static const int largest = [] {
    const int asked = qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE");
    return asked > 0 ? asked : 64;
  }();
  return largest;
}

// Whether the painter fills glyphs of a font of this size (pixels) as outlines.
bool FilledAsOutlines(QPainter* p, double pixelSize) {
  const double largest = LargestCachedGlyph();
  return p->paintEngine()->type() == QPaintEngine::Raster &&
         pixelSize * pixelSize * std::abs(p->deviceTransform().determinant()) >= largest * largest;
}

// Before glyphs of `font` are filled as outlines on a picture, the offset their face keeps is
// taken away: a font engine made for the face starts it without one (a short-lived copy of the
// font at another size is such an engine). Glyph pictures and paper are drawn as they were.
void ClearOutlineOffset(QPainter* p, const QRawFont& font) {
  if (!font.isValid() || !FilledAsOutlines(p, font.pixelSize())) return;
  QRawFont fresh = font;
  fresh.setPixelSize(font.pixelSize() + 1);
}

}  // namespace

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
  useLinePen(p, c, penPx, Qt::SquareCap, Qt::RoundJoin);
  p->setBrush(Qt::NoBrush);
  p->drawLines(batch_.data(), static_cast<int>(batch_.size()));
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

QRectF PainterSurface::TextArea(const CachedFont& f, double x, double y, double width, const LaidOut* laid,
                                const QPointF& origin) {
  const double h = f.height();
  const double overhang = h / 4 + kTouchMargin;
  QRectF area(x - overhang, y - overhang, width + 2 * overhang, h + 2 * overhang);
  // Glyphs reaching further than that (tall signs of a fallback font, the hook of a large
  // italic f) count whole.
  if (laid && !laid->ink.isEmpty()) area = area.united(laid->ink.translated(origin).adjusted(-kTouchMargin, -kTouchMargin, kTouchMargin, kTouchMargin));
  return area;
}

void PainterSurface::devText(double x, double y, const std::u16string& text, const FontSpec& fontSpec, Color c) {
  QPainter* p = painter();
  if (!p || text.empty()) return;
  CachedFont& f = fontFor(fontSpec);
  // Underlined or struck-through text, and text that needs more than one font, keeps the
  // painter's own way: its lines are placed across the whole text. A single character's glyph
  // run draws its lines where they belong only on a picture of one device pixel per pixel; on
  // a dense screen it would draw them at twice their place.
  const LaidOut* laid = nullptr;
  QPointF origin(x, y + f.ascent());
  const bool lined = fontSpec.underline || fontSpec.strikethru;
  if (text.size() == 1 && (!lined || p->deviceTransform().type() == QTransform::TxNone)) {
    laid = &f.glyphsOf(text[0], metricsDevice());
    // The baseline where drawText puts it: the font's ascent below the top.
    origin = QPointF(x, y + f.ascent() - laid->baseline);
    touched(TextArea(f, x, y, f.advanceOf(text[0]), laid, origin));
  } else if (!lined) {
    laid = &f.glyphsOf(text, metricsDevice());
    origin = QPointF(x, y + f.ascent() - laid->baseline);
    touched(TextArea(f, x, y, f.advanceOf(text), laid, origin));
    if (laid->runs.size() != 1) laid = nullptr;
  } else {
    const LaidOut ink{{}, 0, f.metrics().boundingRect(QString::fromStdU16String(text)), -1, {}, {}};
    touched(TextArea(f, x, y, f.advanceOf(text), &ink, origin));
  }
  if (p->font() != f.font()) p->setFont(f.font());
  useTextPen(p, c);
  if (laid) {
    for (const QGlyphRun& run : laid->runs) {
      ClearOutlineOffset(p, run.rawFont());
      p->drawGlyphRun(origin, run);
    }
  } else {
    // Text the painter lays out itself: its own font's face.
    if (FilledAsOutlines(p, fontSpec.size * f.dpi() / 72.0)) ClearOutlineOffset(p, QRawFont::fromFont(f.font()));
    p->drawText(QPointF(x, y + f.ascent()), QString::fromStdU16String(text));
  }
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
  CachedFont& f = fontFor(fontSpec);
  QPaintDevice* device = metricsDevice();
  if (p->font() != f.font()) p->setFont(f.font());
  useTextPen(p, c);
  // The glyphs of a character laid out in one face join the batch at the very positions
  // drawing it alone would give them; the painter draws the glyphs of a run one by one in
  // order, so the run draws what the single calls would. A character that needs several fonts
  // is drawn on its own, in its turn.
  // The characters of a call share one line: the area they touch is told once, as the union of
  // theirs. The painter was begun above, so the picture is as it is to be drawn on whether the
  // area is told before the glyphs are drawn or after.
  QRectF area;
  int face = -1;
  for (const CharacterPlace& place : places) {
    const LaidOut& laid = f.glyphsOf(place.ch, device);
    const QPointF origin(place.x, place.y + f.ascent() - laid.baseline);
    area = area.united(TextArea(f, place.x, place.y, f.advanceOf(place.ch), &laid, origin));
    if (laid.runs.empty()) continue;  // a blank draws nothing
    if (laid.face < 0) {
      drawGlyphBatch(p);
      for (const QGlyphRun& run : laid.runs) {
        ClearOutlineOffset(p, run.rawFont());
        p->drawGlyphRun(origin, run);
      }
      continue;
    }
    if (!batchGlyphs_.empty() && laid.face != face) drawGlyphBatch(p);
    if (batchGlyphs_.empty()) {
      glyphBatch_ = laid.runs.front();
      face = laid.face;
    }
    batchGlyphs_.insert(batchGlyphs_.end(), laid.indexes.begin(), laid.indexes.end());
    for (const QPointF& at : laid.positions) batchPositions_.push_back(origin + at);
  }
  drawGlyphBatch(p);
  touched(area);
}

void PainterSurface::drawGlyphBatch(QPainter* p) {
  if (batchGlyphs_.empty()) return;
  // The run points into the batch's own arrays while it is drawn: nothing is copied.
  glyphBatch_.setRawData(batchGlyphs_.data(), batchPositions_.data(), static_cast<int>(batchGlyphs_.size()));
  ClearOutlineOffset(p, glyphBatch_.rawFont());
  p->drawGlyphRun(QPointF(0, 0), glyphBatch_);
  glyphBatch_.setRawData(nullptr, nullptr, 0);
  batchGlyphs_.clear();
  batchPositions_.clear();
}

double PainterSurface::devTextWidth(const std::u16string& text, const FontSpec& fontSpec) {
  if (text.empty()) return 0;
  return fontFor(fontSpec).advanceOf(text);
}

FontMetrics PainterSurface::devMetrics(const FontSpec& fontSpec) { return fontFor(fontSpec).measures(); }

void PainterSurface::devPicture(const Picture& pic, double x, double y, double w, double h) {
  QPainter* p = painter();
  if (!p || pic.isNull()) return;
  p->setRenderHint(QPainter::SmoothPixmapTransform, true);
  // Without it the PDF output re-encodes every picture as a lossy JPEG, and the diagram's
  // pure reds and blues come out muddy on paper.
  p->setRenderHint(QPainter::LosslessImageRendering, true);
  touched(Around(x, y, x + w, y + h, kTouchMargin));
  p->drawImage(QRectF(x, y, w, h), pic.impl()->image);
}

}  // namespace plat
