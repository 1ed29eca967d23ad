#include "platform/font_metrics.h"

#include <QFontMetricsF>
#include <QImage>
#include <cmath>

#include "platform/fonts.h"

namespace plat {

RealFontMeasure::RealFontMeasure(double twipsPerPixel)
    : twipsPerPixel_(twipsPerPixel), device_(1, 1, QImage::Format_RGB32) {
  const int dpm = static_cast<int>(std::lround(1440.0 / twipsPerPixel / 0.0254));
  device_.setDotsPerMeterX(dpm);
  device_.setDotsPerMeterY(dpm);
}

double RealFontMeasure::textWidth(const std::u16string& text, const FontSpec& font) const {
  QFontMetricsF fm(QFont(MakeQFont(font), &device_), &device_);
  return fm.horizontalAdvance(QString::fromStdU16String(text));
}

FontMetrics RealFontMeasure::metrics(const FontSpec& font) const {
  QFontMetricsF fm(QFont(MakeQFont(font), &device_), &device_);
  FontMetrics m;
  m.ascent = fm.ascent();
  m.descent = fm.descent();
  m.height = fm.height();
  m.externalLeading = std::max(0.0, fm.leading());
  m.internalLeading = std::max(0.0, m.height - font.size * (1440.0 / twipsPerPixel_) / 72.0);
  m.aveCharWidth = fm.averageCharWidth();
  return m;
}

}  // namespace plat
