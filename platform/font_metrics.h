// Text measured with the real fonts at a given resolution, without a device to draw on.
#pragma once

#include <string>

#include "platform/surface.h"

namespace plat {

double RealTextWidth(const std::u16string& text, const FontSpec& font, double twipsPerPixel);
FontMetrics RealMetrics(const FontSpec& font, double twipsPerPixel);

}  // namespace plat
