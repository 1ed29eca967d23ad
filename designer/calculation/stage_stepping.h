// Stepping off the theoretical stages from the distillate down: across to the curve, down to
// the operating line, the enriching line until the stage that crosses xq, the stripping line
// until the stage that passes xB.
#pragma once

#include <array>

#include "designer/calculation/design_data.h"
#include "designer/calculation/equilibrium.h"
#include "designer/calculation/guarded_math.h"
#include "designer/calculation/operating_lines.h"

namespace stagora {

// At most this many stages in the whole column.
inline constexpr int kMaxStages = 495;
// The staircase arrays run from index 0 to this; points are stored from index 1.
inline constexpr int kMaxPointIndex = 1000;
// Two points a stage up to the stage that breaks the cap, and one closing point.
static_assert(2 * (kMaxStages + 1) + 1 <= kMaxPointIndex);

struct Staircase {
  // Points 1 .. NumPuntos: for each stage the corner on the operating line (odd index) and
  // the corner on the curve (even index), then the closing point on the stripping line.
  // A y below 0 is stored as 0. Index 0 stays 0.
  std::array<double, kMaxPointIndex + 1> PuntoX{};
  std::array<double, kMaxPointIndex + 1> PuntoY{};
  int NumPuntos = 0;
  double feedStage = 0;  // fractional theoretical feed stage
  double stages = 0;     // fractional number of theoretical stages
};

enum class SteppingEnd {
  kFinished,
  kTooManyStages,   // "TooMuchNTP"
  kFailedStatement  // a lookup or a value of a stage failed; the run-time error is in math
};

SteppingEnd StepStages(const DesignData& data, const OperatingLines& lines, const EquilibriumModel& equilibrium,
                       Staircase& staircase, GuardedMath& math);

}  // namespace stagora
