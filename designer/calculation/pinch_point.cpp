#include "designer/calculation/pinch_point.h"

#include <cmath>

namespace stagora {

namespace {

// A difference larger than any the searches meet.
constexpr double kNoMatch = 1000;
// The coarse searches walk the whole diagram, the fine ones a small window around the coarse
// result with the local volatility there.
constexpr double kCoarseFrom = 0.0001;
constexpr double kCoarseTo = 0.9999;
constexpr double kCoarseStep = 0.01;
constexpr double kFineHalfWidth = 0.015;
constexpr double kFineStep = 0.0001;
// From this slope on the q-line is too steep to search along x alone.
constexpr double kSteepSlope = 5;
constexpr double kGrid = kLookupSteps;

// The searches step their variable by repeated addition, the bounds fixed at the start, as
// the designer has always done; the exact points visited matter for the result.
template <typename Body>
void Sweep(double from, double to, double step, Body body) {
  for (double v = from; v <= to; v += step) body(v);
}

// v rounded half up to the lookup grid.
double ToGrid(double v) { return std::floor(v * kGrid + 0.5) / kGrid; }

Outcome LocalVolatility(double x, double y) { return Quotient(Quotient((1 - x) * y, x), 1 - y); }

std::string_view VolatilityPinch(const DesignData& d, const OperatingLines& l, PinchPoint& p, GuardedMath& math) {
  const double alpha = d.alpha;
  if (!IsVerticalSlope(l.mQ)) {
    // The q-line meets y = alpha x / ((alpha - 1) x + 1) where a x^2 + b x + c = 0.
    double a = 0, b = 0, c = 0;
    math.set(a, (alpha - 1) * d.q);
    math.set(b, (1 - alpha) * d.zF + d.q - (d.q - 1) * alpha);
    math.set(c, -d.zF);
    if (a != 0) {
      double disc = 0;
      math.set(disc, b * b - 4 * a * c);
      if (disc < 0) return calc_key::kCantCalcMinReflux2Degree;
      const double root = std::sqrt(disc);
      auto inside = [&] { return p.xm > 0 && p.xm < 1; };
      math.set(p.xm, Quotient(Quotient(-b + root, 2), a));
      if (!inside()) {
        math.set(p.xm, Quotient(Quotient(-b - root, 2), a));
        if (!inside()) return calc_key::kCantCalcMinReflux2Degree;
      }
    } else {
      if (b == 0) return calc_key::kCantCalcMinReflux1Degree;
      math.set(p.xm, Quotient(-c, b));
    }
  }
  math.set(p.ym, VolatilityYdeX(alpha, p.xm));
  return {};
}

void TablePinch(const OperatingLines& l, const EquilibriumModel& eq, PinchPoint& p, GuardedMath& math) {
  if (IsVerticalSlope(l.mQ)) {
    math.set(p.ym, eq.YdeX(p.xm));
    return;
  }
  double best = kNoMatch;
  double diff = 0;
  double onLine = 0;
  double onCurve = 0;
  double alphaL = 0;

  // Along x: the grid point of the table nearest the q-line ...
  Sweep(kCoarseFrom, kCoarseTo, kCoarseStep, [&](double x) {
    math.set(onLine, l.mQ * x + l.bQ);
    math.set(diff, Distance(onLine, eq.YdeX(x)));
    if (diff < best) {
      p.xm = x;
      p.ym = onLine;
      best = diff;
    }
  });
  math.set(p.xm, ToGrid(p.xm));
  math.set(p.ym, eq.YdeX(p.xm));
  // ... refined with the local volatility of the table there.
  math.set(alphaL, LocalVolatility(p.xm, p.ym));
  best = kNoMatch;
  Sweep(p.xm - kFineHalfWidth, p.xm + kFineHalfWidth, kFineStep, [&](double x) {
    if (x < 0) return;
    math.set(onCurve, VolatilityYdeX(alphaL, x));
    math.set(diff, std::fabs(l.mQ * x + l.bQ - onCurve));
    if (diff < best) {
      p.xm = x;
      p.ym = onCurve;
      best = diff;
    }
  });

  if (std::fabs(l.mQ) < kSteepSlope) return;
  // A steep q-line crosses the curve where x barely changes: search again along y.
  math.set(p.xm, ToGrid(p.xm));
  math.set(p.ym, eq.YdeX(p.xm));
  best = kNoMatch;
  Sweep(kCoarseFrom, kCoarseTo, kCoarseStep, [&](double y) {
    math.set(onLine, Quotient(y - l.bQ, l.mQ));
    math.set(diff, Distance(onLine, eq.XdeY(y)));
    if (diff < best) {
      p.ym = y;
      p.xm = onLine;
      best = diff;
    }
  });
  if (p.xm == 0 || p.xm == 1 || p.ym == 0 || p.ym == 1) return;
  math.set(p.ym, ToGrid(p.ym));
  math.set(p.xm, eq.XdeY(p.ym));
  math.set(alphaL, LocalVolatility(p.xm, p.ym));
  best = kNoMatch;
  Sweep(p.ym - kFineHalfWidth, p.ym + kFineHalfWidth, kFineStep, [&](double y) {
    math.set(onLine, Quotient(y - l.bQ, l.mQ));
    math.set(onCurve, VolatilityXdeY(alphaL, y));
    math.set(diff, std::fabs(onLine - onCurve));
    if (diff < best) {
      p.xm = onCurve;
      p.ym = y;
      best = diff;
    }
  });
}

}  // namespace

std::string_view FindPinchPoint(const DesignData& d, const OperatingLines& l, const EquilibriumModel& eq,
                                PinchPoint& p, GuardedMath& math) {
  if (IsVerticalSlope(l.mQ)) p.xm = d.zF;
  if (!eq.UsarTabla()) return VolatilityPinch(d, l, p, math);
  TablePinch(l, eq, p, math);
  return {};
}

std::string_view ComputeMinimumReflux(const DesignData& d, const PinchPoint& p, MinimumReflux& r, GuardedMath& math) {
  math.set(r.PendienteMin, Quotient(d.xD - p.ym, d.xD - p.xm));
  if (r.PendienteMin == 1) return calc_key::kSlopeEnrich1;
  math.set(r.Rmin, Quotient(r.PendienteMin, 1 - r.PendienteMin));
  if (d.R <= r.Rmin) return calc_key::kRefluxRatioBelowMin;
  if (r.Rmin <= 0) return calc_key::kMinRefluxRatioNegative;
  return {};
}

}  // namespace stagora
