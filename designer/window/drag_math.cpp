#include "designer/window/drag_math.h"

#include <cmath>

namespace stagora::designer {
namespace {

// The knob scales, left end of the track to right end (p in percent).
constexpr double kAlphaLow = 1.01;
constexpr double kAlphaPercentPerUnit = 5.265929437;  // 100 / 18.99, as the scale was drawn
constexpr double kQAtMiddle = 0.5;
constexpr double kQPercentPerUnit = 25;
constexpr double kQSnap = 0.05;  // q this close to 0 or 1 is written as 0 or 1
constexpr double kRefluxScaleOrigin = 1.001;
constexpr double kRefluxPercentPerUnit = 10;
constexpr double kRefluxSnap = 0.15;  // R this little above a whole number is written as it
constexpr double kEfficiencyLow = 0.01;
constexpr double kEfficiencySpan = 0.99;
constexpr double kFractionLow = 0.001;
constexpr double kFractionHigh = 0.999;
constexpr double kFractionGap = 0.001;  // kept free beside the neighbouring mole fractions
constexpr double kFeedStandIn = 0.5;    // zF, when the field holds no mole fraction
constexpr int kValueDecimals = 2;
constexpr int kFractionDecimals = 3;

// The diagram points.
constexpr float kBoundInset = 1;       // pixels a dragged point stops inside a bound
constexpr double kAboveDiagonal = 0.01;
constexpr double kVerticalSlope = 1E+99;  // the slope that stands for a vertical line
constexpr double kSteepestQLine = 50;
constexpr double kSnapQ = 0.03;
constexpr double kQOfUnitSlope = 5;
constexpr double kROfUnitSlope = 500;

// The curve.
constexpr double kNearCurvePixels = 5;

bool StrictFraction(double x) { return x > 0 && x < 1; }

double Slope(double dy, double dx) { return dx == 0 ? kVerticalSlope : dy / dx; }

}  // namespace

double RoundHalfUp(double v, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::floor(v * scale + 0.5) / scale;
}

float HeldKnobLeft(float left, double knobWidth, KnobTrack track) {
  const float half = static_cast<float>(knobWidth / 2);
  if (left + half < static_cast<float>(track.X1)) left = static_cast<float>(track.X1) - half;
  if (left + half > static_cast<float>(track.X2)) left = static_cast<float>(track.X2) - half;
  return left;
}

double KnobPercent(double left, double knobWidth, KnobTrack track) {
  return (left - track.X1 + knobWidth / 2) / (track.X2 - track.X1) * 100;
}

double KnobDragValue(int knob, double p, const KnobDragFields& fields) {
  const double zF = StrictFraction(fields.zF) ? fields.zF : kFeedStandIn;
  switch (knob) {
    case kKnobAlpha:
      return RoundHalfUp(kAlphaLow + p / kAlphaPercentPerUnit, kValueDecimals);
    case kKnobQ: {
      double q = RoundHalfUp((p - 50) / kQPercentPerUnit + kQAtMiddle, kValueDecimals);
      if (std::abs(q - 1) < kQSnap) q = 1;
      if (std::abs(q) < kQSnap) q = 0;
      return q;
    }
    case kKnobZF: {
      const double xD = StrictFraction(fields.xD) ? fields.xD : kFractionHigh;
      const double xB = StrictFraction(fields.xB) ? fields.xB : kFractionLow;
      return RoundHalfUp((xD - xB - 2 * kFractionGap) * p / 100 + xB + kFractionGap, kFractionDecimals);
    }
    case kKnobXD:
      return RoundHalfUp((kFractionHigh - zF - kFractionGap) * p / 100 + zF + kFractionGap, kFractionDecimals);
    case kKnobR: {
      const double Rmin = fields.Rmin == 0 ? 1 : fields.Rmin;
      const double v = p / kRefluxPercentPerUnit + kRefluxScaleOrigin;
      double R = RoundHalfUp(v * std::sqrt(v) * Rmin, kValueDecimals);
      if (R - std::floor(R) < kRefluxSnap) R = std::floor(R + 0.5);
      return R;
    }
    case kKnobE: {
      double E = RoundHalfUp(kEfficiencyLow + kEfficiencySpan * p / 100, kValueDecimals);
      if (E <= 0) E = kEfficiencyLow;
      if (E > 1) E = 1;
      return E;
    }
    case kKnobXB:
      return RoundHalfUp((zF - 2 * kFractionGap) * p / 100 + kFractionLow, kFractionDecimals);
    default:
      return 0;
  }
}

PointBounds PointDragBounds(double zF, double xD, double xB) {
  PointBounds b;
  if (StrictFraction(zF)) b.zF = zF;
  if (StrictFraction(xD)) b.xD = xD;
  if (StrictFraction(xB)) b.xB = xB;
  return b;
}

float HeldPointCentreX(int label, float c, const PlotFrame& f, const PointBounds& b) {
  const auto at = [&f](double v) { return static_cast<float>(f.M + v * f.W); };
  const float left = at(0);
  const float right = at(1);
  // Each rule in turn; a later one overrides an earlier one.
  const auto notBelow = [&c](float bound) {
    if (c < bound) c = bound + kBoundInset;
  };
  const auto notAbove = [&c](float bound) {
    if (c > bound) c = bound - kBoundInset;
  };
  switch (label) {
    case kDragBottoms:
      notBelow(left);
      notAbove(at(b.zF));
      break;
    case kDragDistillate:
      notAbove(right);
      notBelow(at(b.zF));
      notBelow(left);
      break;
    case kDragFeed:
      notAbove(right);
      notBelow(left);
      notBelow(at(b.xB));
      notAbove(at(b.xD));
      break;
    default:  // the q point
      notAbove(right);
      notBelow(left);
      break;
  }
  return c;
}

float HeldPointCentreY(float d, const PlotFrame& f) {
  const float bottom = static_cast<float>(f.B);
  const float top = static_cast<float>(f.B - f.H);
  if (d > bottom) d = bottom - kBoundInset;
  if (d < top) d = top + kBoundInset;
  return d;
}

double DiagonalPointValue(int label, double v) {
  if (label == kDragDistillate && v >= 1) v = kFractionHigh;
  double r = RoundHalfUp(v, kFractionDecimals);
  if (r >= 1) r = kFractionHigh;
  if (r <= 0) r = kFractionLow;
  return r;
}

double IntersectionHeight(double xq, double yq) { return yq <= xq ? xq + kAboveDiagonal : yq; }

FeedAndReflux FeedAndRefluxAt(double xq, double yq, double zF, double xD) {
  FeedAndReflux out;
  double m = Slope(yq - zF, xq - zF);
  if (std::abs(m) > kSteepestQLine) m = kVerticalSlope;
  out.q = m == 1 ? kQOfUnitSlope : m / (m - 1);
  if (std::abs(out.q) < kSnapQ) out.q = 0;
  if (std::abs(out.q - 1) < kSnapQ) out.q = 1;
  const double m2 = Slope(yq - xD, xq - xD);
  out.R = m2 == 1 ? kROfUnitSlope : m2 / (1 - m2);
  return out;
}

bool InsideDiagram(double x, double y) { return x > 0 && x < 1 && y > 0 && y < 1; }

double VolatilityCurveY(double alpha, double x) { return alpha * x / (1 - (1 - alpha) * x); }

bool NearCurve(const PlotFrame& frame, double curveY, double pointerY) {
  return std::abs(frame.Y(curveY) - pointerY) <= kNearCurvePixels;
}

double AlphaThroughPoint(double x, double y) {
  if (y <= x) return kAlphaLow;
  return y * (1 - x) / (x * (1 - y));
}

}  // namespace stagora::designer
