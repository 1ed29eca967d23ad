// Text measured with the real fonts at a given resolution, without a device to draw on.
#pragma once

#include <QImage>
#include <string>

#include "platform/surface.h"

namespace plat {

class RealFontMeasure {
 public:
  explicit RealFontMeasure(double twipsPerPixel);
  double textWidth(const std::u16string& text, const FontSpec& font) const;
  FontMetrics metrics(const FontSpec& font) const;

 private:
  double twipsPerPixel_;
  // A tiny image of the resolution serves as the device the fonts are measured at.
  QImage device_;
};

}  // namespace plat
