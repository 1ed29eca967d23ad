// A surface that draws nothing and writes down every operation with its coordinates in
// device pixels, for tests and the fuzzer. Text is measured either with a fixed,
// font-independent model (no font system needed) or with the real fonts.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace plat {

class RealFontMeasure;

struct RecordedOp {
  enum Kind { Clear, Line, Rect, FilledRect, Ellipse, Text, Image } kind;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // device pixels; a rect as its two corners
  Color color = 0;
  double pen = 1;
  std::u16string text;
  FontSpec font;
  bool filled = false;  // ellipses: filled with `fill`
  Color fill = 0;
};

class RecordingSurface : public Surface {
 public:
  enum class Metrics { Model, RealFonts };
  RecordingSurface(double widthPx, double heightPx, double twipsPerPixel = 15.0, Metrics metrics = Metrics::Model);
  ~RecordingSurface() override;

  double deviceWidth() const override { return width_; }
  double deviceHeight() const override { return height_; }
  double twipsPerPixelX() const override { return tpp_; }
  double twipsPerPixelY() const override { return tpp_; }

  const std::vector<RecordedOp>& ops() const { return ops_; }
  void clearLog() { ops_.clear(); }

  // The fixed model: an em of size * dpi / 72 pixels, every character half an em wide,
  // ascent 0.9 em, descent 0.25 em.
  static FontMetrics ModelMetrics(const FontSpec& font, double twipsPerPixel);

 protected:
  void devClear(Color back) override;
  void devLine(double x1, double y1, double x2, double y2, Color c, double penPx) override;
  void devRect(double x, double y, double w, double h, Color pen, double penPx, bool filled, Color fill) override;
  void devEllipse(double cx, double cy, double rx, double ry, Color pen, double penPx, bool filled,
                  Color fill) override;
  void devText(double x, double y, const std::u16string& text, const FontSpec& font, Color c) override;
  double devTextWidth(const std::u16string& text, const FontSpec& font) override;
  FontMetrics devMetrics(const FontSpec& font) override;
  void devPicture(const Picture& pic, double x, double y, double w, double h) override;

 private:
  double width_;
  double height_;
  double tpp_;
  std::unique_ptr<RealFontMeasure> realFonts_;  // with Metrics::RealFonts; the model without
  std::vector<RecordedOp> ops_;
};

}  // namespace plat
