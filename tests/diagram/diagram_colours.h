// The diagram's colours as the tests expect them, written out rather than taken from the
// drawing code, so that a changed colour there is seen here.
#pragma once

#include "platform/surface.h"

namespace stagora::diagram_colours {

using plat::Color;
using plat::Rgb;

constexpr Color kGrid = Rgb(220, 220, 220);
constexpr Color kGreyCurve = Rgb(96, 96, 96);  // the curve and the diagonal on screen
constexpr Color kEnriching = Rgb(200, 0, 0);
constexpr Color kStripping = Rgb(96, 96, 240);
constexpr Color kQLine = Rgb(0, 160, 0);
constexpr Color kScreenStairs = Rgb(200, 160, 0);
constexpr Color kPrinterStairs = Rgb(180, 120, 0);

}  // namespace stagora::diagram_colours
