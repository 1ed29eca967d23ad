#include "platform/recording_surface.h"

#include "platform/font_metrics.h"

namespace plat {
namespace {

RecordedOp Op(RecordedOp::Kind kind, double x1, double y1, double x2, double y2, Color c, double pen = 1) {
  RecordedOp op{};
  op.kind = kind;
  op.x1 = x1;
  op.y1 = y1;
  op.x2 = x2;
  op.y2 = y2;
  op.color = c;
  op.pen = pen;
  return op;
}

}  // namespace

RecordingSurface::RecordingSurface(double widthPx, double heightPx, double twipsPerPixel, Metrics metrics)
    : width_(widthPx),
      height_(heightPx),
      tpp_(twipsPerPixel > 0 ? twipsPerPixel : 15.0),
      realFonts_(metrics == Metrics::RealFonts ? std::make_unique<RealFontMeasure>(tpp_) : nullptr) {}

RecordingSurface::~RecordingSurface() = default;

FontMetrics RecordingSurface::ModelMetrics(const FontSpec& font, double twipsPerPixel) {
  const double em = font.size * (1440.0 / twipsPerPixel) / 72.0;
  FontMetrics m;
  m.ascent = 0.9 * em;
  m.descent = 0.25 * em;
  m.height = m.ascent + m.descent;
  m.internalLeading = m.height - em;
  m.aveCharWidth = 0.5 * em;
  return m;
}

void RecordingSurface::devClear(Color back) { ops_.push_back(Op(RecordedOp::Clear, 0, 0, width_, height_, back)); }

void RecordingSurface::devLine(double x1, double y1, double x2, double y2, Color c, double penPx) {
  ops_.push_back(Op(RecordedOp::Line, x1, y1, x2, y2, c, penPx));
}

void RecordingSurface::devRect(double x, double y, double w, double h, Color pen, double penPx, bool filled,
                               Color fill) {
  ops_.push_back(
      Op(filled ? RecordedOp::FilledRect : RecordedOp::Rect, x, y, x + w, y + h, filled ? fill : pen, penPx));
}

void RecordingSurface::devEllipse(double cx, double cy, double rx, double ry, Color pen, double penPx, bool filled,
                                  Color fill) {
  RecordedOp op = Op(RecordedOp::Ellipse, cx - rx, cy - ry, cx + rx, cy + ry, pen, penPx);
  op.filled = filled;
  op.fill = fill;
  ops_.push_back(op);
}

void RecordingSurface::devText(double x, double y, const std::u16string& text, const FontSpec& font, Color c) {
  RecordedOp op = Op(RecordedOp::Text, x, y, x + devTextWidth(text, font), y + devMetrics(font).height, c);
  op.text = text;
  op.font = font;
  ops_.push_back(op);
}

double RecordingSurface::devTextWidth(const std::u16string& text, const FontSpec& font) {
  if (realFonts_) return realFonts_->textWidth(text, font);
  return static_cast<double>(text.size()) * ModelMetrics(font, tpp_).aveCharWidth;
}

FontMetrics RecordingSurface::devMetrics(const FontSpec& font) {
  if (realFonts_) return realFonts_->metrics(font);
  return ModelMetrics(font, tpp_);
}

void RecordingSurface::devPicture(const Picture&, double x, double y, double w, double h) {
  ops_.push_back(Op(RecordedOp::Image, x, y, x + w, y + h, 0));
}

}  // namespace plat
