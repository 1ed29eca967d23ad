// The device primitives of a surface drawn with a QPainter (image and printer).
#pragma once

#include <QPainter>
#include <memory>

#include "platform/surface.h"

namespace plat {

class PainterSurface : public Surface {
 protected:
  // The painter to draw with, begun on the device; null when the device cannot be painted.
  virtual QPainter* painter() = 0;
  // The paint device whose resolution the fonts are measured at.
  virtual QPaintDevice* metricsDevice() = 0;

  void devLine(double x1, double y1, double x2, double y2, Color c, double penPx) override;
  void devRect(double x, double y, double w, double h, Color pen, double penPx, bool filled, Color fill) override;
  void devEllipse(double cx, double cy, double rx, double ry, Color pen, double penPx, bool filled,
                  Color fill) override;
  void devText(double x, double y, const std::u16string& text, const FontSpec& font, Color c) override;
  double devTextWidth(const std::u16string& text, const FontSpec& font) override;
  FontMetrics devMetrics(const FontSpec& font) override;
  void devPicture(const Picture& pic, double x, double y, double w, double h) override;

  // Pens of odd whole widths sit on pixel centres so that grid lines stay one pixel sharp.
  static double Snap(double v, double penPx);
  static QColor ToQColor(Color c);

 private:
  const QFont& fontFor(const FontSpec& spec);
  FontSpec cachedSpec_;
  QFont cachedFont_;
  bool haveFont_ = false;
};

}  // namespace plat
