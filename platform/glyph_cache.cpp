#include "platform/glyph_cache.h"

#include <QPaintDevice>
#include <QTextLayout>
#include <algorithm>

#include "platform/fonts.h"

namespace plat {

CachedFont::CachedFont(const FontSpec& fontSpec, QPaintDevice* device, int dpi)
    : fontSpec_(fontSpec),
      dpi_(dpi),
      font_(MakeQFont(fontSpec), device),
      metrics_(font_, device),
      ascent_(metrics_.ascent()),
      height_(metrics_.height()) {}

LaidOut CachedFont::layOut(const QString& text, QPaintDevice* device) {
  QTextLayout layout{text, font_, device};
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  LaidOut laid{layout.glyphRuns(), line.ascent(), QRectF(), -1, {}, {}};
  for (const QGlyphRun& run : laid.runs) laid.ink = laid.ink.united(run.boundingRect());
  if (laid.runs.size() == 1) {
    const QGlyphRun& run = laid.runs.front();
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    const qsizetype n = std::min(indexes.size(), positions.size());
    laid.indexes.assign(indexes.begin(), indexes.begin() + n);
    laid.positions.assign(positions.begin(), positions.begin() + n);
    const QRawFont raw = run.rawFont();
    for (std::size_t k = 0; k < faces_.size() && laid.face < 0; ++k) {
      if (faces_[k].rawFont() == raw && faces_[k].flags() == run.flags()) laid.face = static_cast<int>(k);
    }
    if (laid.face < 0) {
      laid.face = static_cast<int>(faces_.size());
      faces_.push_back(run);
    }
  }
  return laid;
}

const LaidOut& CachedFont::glyphsOf(char16_t ch, QPaintDevice* device) {
  auto it = glyphs_.find(ch);
  if (it == glyphs_.end()) it = glyphs_.emplace(ch, layOut(QString(QChar(ch)), device)).first;
  return it->second;
}

double CachedFont::advanceOf(char16_t ch) {
  auto it = advances_.find(ch);
  if (it == advances_.end()) it = advances_.emplace(ch, metrics_.horizontalAdvance(QString(QChar(ch)))).first;
  return it->second;
}

const LaidOut& CachedFont::glyphsOf(const std::u16string& text, QPaintDevice* device) {
  auto it = texts_.find(text);
  if (it == texts_.end()) {
    if (texts_.size() >= kMaxTexts) texts_.clear();
    it = texts_.emplace(text, layOut(QString::fromStdU16String(text), device)).first;
  }
  return it->second;
}

double CachedFont::advanceOf(const std::u16string& text) {
  if (text.size() == 1) return advanceOf(text[0]);
  auto it = textAdvances_.find(text);
  if (it == textAdvances_.end()) {
    if (textAdvances_.size() >= kMaxTexts) textAdvances_.clear();
    it = textAdvances_.emplace(text, metrics_.horizontalAdvance(QString::fromStdU16String(text))).first;
  }
  return it->second;
}

const FontMetrics& CachedFont::measures() {
  if (measures_) return *measures_;
  FontMetrics m;
  m.ascent = metrics_.ascent();
  m.descent = metrics_.descent();
  m.height = metrics_.height();
  m.externalLeading = metrics_.leading() > 0 ? metrics_.leading() : 0;
  // The em box is the point size; what the cell holds above it is the internal leading.
  const double em = fontSpec_.size * dpi_ / 72.0;
  m.internalLeading = std::max(0.0, m.height - em);
  m.aveCharWidth = metrics_.averageCharWidth();
  return *(measures_ = m);
}

namespace {
// The font description compared field by field, the name last: most fonts of a page differ
// in size or style only.
bool SameFont(const FontSpec& a, const FontSpec& b) {
  return a.size == b.size && a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
         a.strikethru == b.strikethru && a.name == b.name;
}
}  // namespace

CachedFont& GlyphCache::fontFor(const FontSpec& fontSpec, QPaintDevice* device, int dpi) {
  if (last_ && last_->dpi() == dpi && SameFont(last_->spec(), fontSpec)) return *last_;
  for (const auto& f : fonts_) {
    if (f->dpi() == dpi && SameFont(f->spec(), fontSpec)) return *(last_ = f.get());
  }
  if (fonts_.size() >= kMaxFonts) fonts_.clear();
  fonts_.push_back(std::make_unique<CachedFont>(fontSpec, device, dpi));
  return *(last_ = fonts_.back().get());
}

std::size_t GlyphCache::entries() const {
  std::size_t n = fonts_.size();
  for (const auto& f : fonts_) n += f->entries();
  return n;
}

}  // namespace plat
