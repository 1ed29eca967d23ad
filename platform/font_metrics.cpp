#include "platform/font_metrics.h"

#include <QFontMetricsF>
#include <QImage>
#include <cmath>
#include <map>

#include "platform/fonts.h"

namespace plat {
namespace {

// A tiny image per resolution serves as the device the fonts are measured at.
QImage& DeviceFor(double twipsPerPixel) {
  static std::map<long, QImage> devices;
  const long key = std::lround(twipsPerPixel * 1000);
  auto it = devices.find(key);
  if (it == devices.end()) {
    QImage img(1, 1, QImage::Format_RGB32);
    const int dpm = static_cast<int>(std::lround(1440.0 / twipsPerPixel / 0.0254));
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    it = devices.emplace(key, img).first;
  }
  return it->second;
}

}  // namespace

double RealTextWidth(const std::u16string& text, const FontSpec& font, double twipsPerPixel) {
  QImage& dev = DeviceFor(twipsPerPixel);
  QFontMetricsF fm(QFont(MakeQFont(font), &dev), &dev);
  return fm.horizontalAdvance(QString::fromStdU16String(text));
}

FontMetrics RealMetrics(const FontSpec& font, double twipsPerPixel) {
  QImage& dev = DeviceFor(twipsPerPixel);
  QFontMetricsF fm(QFont(MakeQFont(font), &dev), &dev);
  FontMetrics m;
  m.ascent = fm.ascent();
  m.descent = fm.descent();
  m.height = fm.height();
  m.externalLeading = std::max(0.0, fm.leading());
  m.internalLeading = std::max(0.0, m.height - font.size * (1440.0 / twipsPerPixel) / 72.0);
  m.aveCharWidth = fm.averageCharWidth();
  return m;
}

}  // namespace plat
