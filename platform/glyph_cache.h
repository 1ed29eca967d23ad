// The fonts a painter surface has drawn and measured with, and what it laid out in them: text
// set one character at a time (the typesetting engine's way) is then shaped once per
// character, not on every call, and the legends and numbers a picture prints again on every
// redraw are shaped once too. Only measures and glyphs are kept, never drawn pixels.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/surface.h"

class QPaintDevice;

namespace plat {

// The glyphs of a text laid out in one font, on one line.
struct LaidOut {
  QList<QGlyphRun> runs;  // glyphs of the text, with any fallback font's
  double baseline = 0;    // below the runs' origin
  QRectF ink;             // what the glyphs cover, from the runs' origin
  // Of a text laid out in one run, what a batch of glyphs takes from it, read out once: which
  // of its font's faces (raw font and flags) the run is in, and its glyphs and their places.
  int face = -1;
  std::vector<quint32> indexes;
  std::vector<QPointF> positions;
};

// One font at one device resolution, with its measures and what was laid out in it.
class CachedFont {
 public:
  // Measured on the device, whose resolution is `dpi` dots per inch.
  CachedFont(const FontSpec& fontSpec, QPaintDevice* device, int dpi);

  const FontSpec& spec() const { return fontSpec_; }
  int dpi() const { return dpi_; }
  const QFont& font() const { return font_; }
  const QFontMetricsF& metrics() const { return metrics_; }
  double ascent() const { return ascent_; }
  double height() const { return height_; }

  // The glyphs of one character, laid out once.
  const LaidOut& glyphsOf(char16_t ch, QPaintDevice* device);
  double advanceOf(char16_t ch);
  // The glyphs of a whole text, and its advance (kept for a bounded number of texts).
  const LaidOut& glyphsOf(const std::u16string& text, QPaintDevice* device);
  double advanceOf(const std::u16string& text);
  // The font's measures as a surface tells them.
  const FontMetrics& measures();

  std::size_t entries() const { return advances_.size() + glyphs_.size() + texts_.size() + textAdvances_.size(); }

 private:
  // A one-line layout of the text, with the face of a single run found among (or added to)
  // the font's faces.
  LaidOut layOut(const QString& text, QPaintDevice* device);

  FontSpec fontSpec_;
  int dpi_;
  QFont font_;
  QFontMetricsF metrics_;
  // Read once: the font engine looks them up anew at every call, and every character drawn
  // needs them.
  double ascent_;
  double height_;
  // The faces the font's single-run texts came out in (a fallback font's glyphs are in a face
  // of their own): a handful, as many as the fonts that supply the characters drawn.
  std::vector<QGlyphRun> faces_;
  // The font's measures, read from the font engine once: the typesetter asks for them for
  // every part of every construct.
  std::optional<FontMetrics> measures_;
  std::unordered_map<char16_t, double> advances_;
  std::unordered_map<char16_t, LaidOut> glyphs_;
  // The same for whole texts: a picture redrawn on every pointer move prints the same legends,
  // captions and numbers each time. Bounded, so no sequence of texts makes it grow for ever.
  static constexpr std::size_t kMaxTexts = 256;
  std::unordered_map<std::u16string, LaidOut> texts_;
  std::unordered_map<std::u16string, double> textAdvances_;
};

// The fonts met so far, each at the resolution it was measured at.
class GlyphCache {
 public:
  // The font of the description at the device's resolution (`dpi`), made on first use.
  CachedFont& fontFor(const FontSpec& fontSpec, QPaintDevice* device, int dpi);
  // How many fonts, glyphs and texts are kept (all of them bounded).
  std::size_t entries() const;

 private:
  // Enough for every style and size of a page; beyond it the cache starts again.
  static constexpr std::size_t kMaxFonts = 64;
  std::vector<std::unique_ptr<CachedFont>> fonts_;
  CachedFont* last_ = nullptr;
};

}  // namespace plat
