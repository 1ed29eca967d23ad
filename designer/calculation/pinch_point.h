// Where the q-line meets the equilibrium curve, and the minimum reflux that follows from it:
// the enriching line through (xD, xD) and that pinch point.
#pragma once

#include <string_view>

#include "designer/calculation/design_data.h"
#include "designer/calculation/equilibrium.h"
#include "designer/calculation/guarded_math.h"
#include "designer/calculation/operating_lines.h"

namespace stagora {

struct PinchPoint {
  double xm = 0;
  double ym = 0;
};

// The pinch point: in closed form with alpha, by searching the lookup tables in table mode.
// Returns "CantCalcMinRefluxRatio_2degree", "CantCalcMinRefluxRatio_1degree" or "".
std::string_view FindPinchPoint(const DesignData& data, const OperatingLines& lines,
                                const EquilibriumModel& equilibrium, PinchPoint& pinch, GuardedMath& math);

struct MinimumReflux {
  double PendienteMin = 0;  // slope of the enriching line at minimum reflux
  double Rmin = 0;
};

// Returns "SlopeEnrich_1", "RefluxRatio_belowMin", "MinRefluxRatioNegative" or "".
// PendienteMin is set before any of these checks.
std::string_view ComputeMinimumReflux(const DesignData& data, const PinchPoint& pinch, MinimumReflux& reflux,
                                      GuardedMath& math);

}  // namespace stagora
