// The device primitives of a surface drawn with a QPainter (image and printer).
#pragma once

#include <QGlyphRun>
#include <QPainter>
#include <QPen>
#include <vector>

#include "platform/glyph_cache.h"
#include "platform/surface.h"

namespace plat {

class PainterSurface : public Surface {
 public:
  PainterSurface();
  ~PainterSurface() override;

  // How many fonts, glyphs and texts the surface keeps laid out (all of them bounded).
  std::size_t cachedEntries() const { return fonts_.entries(); }

 protected:
  // The painter to draw with, begun on the device; null when the device cannot be painted.
  virtual QPainter* painter() = 0;
  // The paint device whose resolution the fonts are measured at, and that resolution (dots per
  // inch).
  virtual QPaintDevice* metricsDevice() = 0;
  virtual int metricsDpi() { return metricsDevice()->logicalDpiY(); }
  // Whether pens of up to two pixels may end square instead of round (pictures; the printer
  // keeps true round ends in its vector output).
  virtual bool thinPensEndSquare() const { return false; }

  void devLine(double x1, double y1, double x2, double y2, Color c, double penPx) override;
  void devRect(double x, double y, double w, double h, Color pen, double penPx, bool filled, Color fill) override;
  void devEllipse(double cx, double cy, double rx, double ry, Color pen, double penPx, bool filled,
                  Color fill) override;
  void devText(double x, double y, const std::u16string& text, const FontSpec& font, Color c) override;
  double devTextWidth(const std::u16string& text, const FontSpec& font) override;
  FontMetrics devMetrics(const FontSpec& font) override;
  void devPicture(const Picture& pic, double x, double y, double w, double h) override;
  void devLines(const std::vector<Segment>& segments, Color c, double penPx) override;
  void devCharacters(const std::vector<CharacterPlace>& places, const FontSpec& font, Color c) override;

  // Told the area, in device pixels of the surface, that each drawing may have changed (a
  // little more, never less), for a picture that keeps track of what it redraws.
  virtual void touched(const QRectF&) {}

  // Pens of odd whole widths sit on pixel centres so that grid lines stay one pixel sharp.
  // On a picture drawn for a dense screen (ratio device pixels per pixel) that pixel is then
  // moved onto whole device pixels, so the line stays sharp at a fractional ratio too.
  static double Snap(double v, double penPx, double ratio = 1);
  // The pen of an axis-parallel line: a whole number of device pixels.
  static double SnapPen(double penPx, double ratio);
  static QColor ToQColor(Color c);

 private:
  // The font of the description at the resolution the surface measures at.
  CachedFont& fontFor(const FontSpec& fontSpec) { return fonts_.fontFor(fontSpec, metricsDevice(), metricsDpi()); }
  // The area to tell touched() for a text of the width at (x, y): its cell, and the ink of its
  // glyphs drawn from `origin` where that reaches further.
  static QRectF TextArea(const CachedFont& f, double x, double y, double width, const LaidOut* laid,
                         const QPointF& origin);
  // The pen of a line: thick lines end round, except thin ones on a picture (see devLine).
  bool roundCap(double penPx) const;
  void drawBatch(QPainter* p, Color c, double penPx);
  // Draws the glyphs gathered by devCharacters as one run.
  void drawGlyphBatch(QPainter* p);
  // Sets the painter's pen for text, or for lines of the width and ends, in the colour: from a
  // pen kept for the purpose, so that drawing with the pen already set makes no new one.
  void useTextPen(QPainter* p, Color c);
  void useLinePen(QPainter* p, Color c, double width, Qt::PenCapStyle cap, Qt::PenJoinStyle join);
  // Whether a rectangle of whole pixels filled on the painter gives exactly the pixels the
  // rasteriser's anti-aliased stroke of the same rectangle gives (see devLine).
  static bool FillsWholePixels(QPainter* p);
  // Fills the rectangle of whole pixels with the opaque colour, as the painter's fill does, on a
  // painter that FillsWholePixels.
  static void FillPixels(QPainter* p, const QRect& area, const QColor& colour);
  // The area of a line, piece by piece so that a long slanted line does not count the whole
  // rectangle it spans.
  void touchLine(double x1, double y1, double x2, double y2, double penPx);

  GlyphCache fonts_;
  std::vector<QLineF> batch_;
  QGlyphRun glyphBatch_;
  std::vector<quint32> batchGlyphs_;
  std::vector<QPointF> batchPositions_;
  QPen textPen_;
  QPen linePen_;
};

}  // namespace plat
