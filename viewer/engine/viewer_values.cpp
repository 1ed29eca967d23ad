#include "viewer/engine/viewer_values.h"

#include <algorithm>
#include <cmath>

namespace stagora::engine {
namespace {
constexpr double kDefaultTwipsPerPixel = 15.0;
}

double ViewerValues::ScreenTwipsPerPixelX() const {
  return DestinoPantalla ? DestinoPantalla->twipsPerPixelX() : kDefaultTwipsPerPixel;
}

double ViewerValues::ScreenTwipsPerPixelY() const {
  return DestinoPantalla ? DestinoPantalla->twipsPerPixelY() : kDefaultTwipsPerPixel;
}

double ViewerValues::AscentOf(plat::Surface& target) const {
  const double tpp = IsScreenTarget(target) ? ScreenTwipsPerPixelY() : target.twipsPerPixelY();
  return target.metrics().ascent * tpp;
}

int ViewerValues::PenPixels(const plat::Surface& target, double twips) const {
  const double tpp = IsPrinterTarget(target) ? target.twipsPerPixelX() : ScreenTwipsPerPixelX();
  const double px = twips / tpp;
  constexpr double kWidestPen = 10000;
  if (!(px >= 1)) return 1;  // also NaN
  return static_cast<int>(std::lround(std::min(px, kWidestPen)));
}

}  // namespace stagora::engine
