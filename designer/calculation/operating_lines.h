// The straight lines of the construction: the enriching operating line through (xD, xD), the
// q-line through (zF, zF), their intersection, and the stripping operating line from (xB, xB)
// to that intersection.
#pragma once

#include <string_view>

#include "designer/calculation/design_data.h"
#include "designer/calculation/guarded_math.h"

namespace stagora {

// The slope that stands for the vertical q-line (q = 1). It is carried wherever a slope is
// and recognised only bit for bit: a nearly vertical q-line keeps its large finite slope.
inline constexpr double kVerticalSlope = 1E+99;
bool IsVerticalSlope(double m);

// y = m x + b for each line; (xq, yq) where the lines meet. bQ stays 0 for the vertical
// q-line.
struct OperatingLines {
  double mE = 0, bE = 0;  // enriching
  double mQ = 0, bQ = 0;  // q-line
  double xq = 0, yq = 0;  // intersection
  double mS = 0, bS = 0;  // stripping
};

// Computes the lines from validated data; returns "UnknowError" (q + R = 0),
// "OperLinesInterBelowBott" (xq <= xB) or "".
std::string_view ComputeOperatingLines(const DesignData& data, OperatingLines& lines, GuardedMath& math);

}  // namespace stagora
