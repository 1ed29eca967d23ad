// The device primitives of a surface drawn with a QPainter (image and printer).
#pragma once

#include <QGlyphRun>
#include <QPainter>
#include <QPen>
#include <memory>
#include <vector>

#include "platform/surface.h"

namespace plat {

class PainterSurface : public Surface {
 public:
  PainterSurface();
  ~PainterSurface() override;

  // How many fonts, glyphs and texts the surface keeps laid out (all of them bounded).
  std::size_t cachedEntries() const;

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
  // The fonts met so far with their metrics, and per font the advance and the laid-out
  // glyphs of each single character: text set one character at a time (the typesetting
  // engine's way) is then shaped once per character, not on every call.
  struct FontCache;
  struct CachedFont;

 public:
  struct LaidOut;  // the glyphs of a text laid out in one font

 private:
  CachedFont& fontFor(const FontSpec& fontSpec);
  // The glyphs of one character in the font, laid out once.
  const LaidOut& glyphsOf(CachedFont& f, char16_t ch);
  double advanceOf(CachedFont& f, char16_t ch);
  // The area to tell touched() for a text of the width at (x, y): its cell, and the ink of its
  // glyphs drawn from `origin` where that reaches further.
  static QRectF TextArea(const CachedFont& f, double x, double y, double width, const LaidOut* laid,
                         const QPointF& origin);
  // What glyphs laid out and drawn from `origin` cover, with a margin for their anti-aliasing.
  static QRectF InkArea(const LaidOut& laid, const QPointF& origin);
  // The pen of a line: thick lines end round, except thin ones on a picture (see devLine).
  bool roundCap(double penPx) const;
  void drawBatch(QPainter* p, Color c, double penPx);
  // Whether `area` of the image holds exactly `pixels`.
  static bool SamePixels(const QImage& image, const QRect& area, const QImage& pixels);
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

  // Drawings kept with the pixels they gave. A page redrawn at the same zoom, and a diagram
  // redrawn on every pointer move, draw most of their texts and curves again at the very
  // places and on the very pixels as before; the rasteriser then gives the very pixels it gave,
  // so they are put back instead of drawn. What a drawing is, is told in `replayKey_` (cleared
  // by startReplayKey, then appended to) before asking putBack.
  struct Replay;
  struct Replays;
  void startReplayKey(char kind, Color c);
  template <typename T>
  void addToReplayKey(const T& value);
  void addToReplayKey(const std::string& text);
  void addToReplayKey(const std::u16string& text);
  void addToReplayKey(const FontSpec& font);
  // Whether the drawing told in the key was kept on exactly the pixels the picture now holds
  // where it draws; if so they are now the pixels it gave, and the area it covers was told
  // touched(). Else the drawing is to be drawn by drawKept.
  bool putBack(QPainter* p);
  // Draws, and keeps the drawing with its pixels once it comes a second time; `ink` is a
  // little more than what the drawing covers, never less. With `tell`, touched() is told
  // `area` first, also when the drawing is put back.
  // A drawing larger than `mostPixels` is drawn each time: copying it would cost about what
  // drawing it does.
  static constexpr qint64 kMostPixelsOfOne = 1 << 16;
  template <typename Draw>
  void drawKept(QPainter* p, const QRectF& area, const QRectF& ink, bool tell, Draw draw,
                qint64 mostPixels = kMostPixelsOfOne);
  std::unique_ptr<Replays> replays_;
  std::string replayKey_;
  Replay* replayFound_ = nullptr;  // the entry putBack found for the key, not put back
  QImage* replayImage_ = nullptr;  // the picture putBack found it may put drawings back on

  std::unique_ptr<FontCache> fonts_;
  std::vector<QLineF> batch_;
  QGlyphRun glyphBatch_;
  std::vector<std::pair<const LaidOut*, QPointF>> placed_;  // devCharacters' characters, laid out
  std::vector<quint32> batchGlyphs_;
  std::vector<QPointF> batchPositions_;
  QPen textPen_;
  QPen linePen_;
};

}  // namespace plat
