#include "designer/calculation/stage_stepping.h"

namespace stagora {

SteppingEnd StepStages(const DesignData& d, const OperatingLines& l, const EquilibriumModel& eq, Staircase& s,
                       GuardedMath& math) {
  double n = 0;
  double x = d.xD;
  double xPrev = 0;
  double y = 0;
  s.NumPuntos = 0;

  auto store = [&](double px, double py) {
    ++s.NumPuntos;
    s.PuntoX[static_cast<std::size_t>(s.NumPuntos)] = px;
    s.PuntoY[static_cast<std::size_t>(s.NumPuntos)] = py < 0 ? 0 : py;
  };
  // One stage from x: down (or up) to the operating line, across to the curve. A stage that
  // cannot be stepped ends the stepping at once: repeating it could only run into the cap.
  auto stage = [&](double slope, double intercept) {
    xPrev = x;
    if (!math.set(y, slope * x + intercept)) return SteppingEnd::kFailedStatement;
    store(x, y);
    if (!math.set(x, eq.XdeY(y))) return SteppingEnd::kFailedStatement;
    n += 1;
    store(x, y);
    if (n > kMaxStages) return SteppingEnd::kTooManyStages;
    return SteppingEnd::kFinished;
  };

  do {
    if (const SteppingEnd end = stage(l.mE, l.bE); end != SteppingEnd::kFinished) return end;
  } while (x >= l.xq);
  // The stages before the feed stage and the part of its run at or above xq.
  math.set(s.feedStage, Sum(n - 1, Quotient(xPrev - l.xq, xPrev - x)));

  if (x > d.xB) {
    do {
      if (const SteppingEnd end = stage(l.mS, l.bS); end != SteppingEnd::kFinished) return end;
    } while (x >= d.xB);
  }
  math.set(s.stages, Sum(n - 1, Quotient(xPrev - d.xB, xPrev - x)));

  // The staircase always ends on the stripping line, even when no stripping stage was needed.
  math.set(y, l.mS * x + l.bS);
  store(x, y);
  return SteppingEnd::kFinished;
}

}  // namespace stagora
