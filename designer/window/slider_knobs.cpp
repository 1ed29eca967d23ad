// Where the slider knobs sit on their tracks and which thermal state q names: the arithmetic
// behind ReajustarCursores, free of widgets.
#include "designer/window/slider_knobs.h"

#include <cmath>

namespace stagora::designer {
namespace {

// Value ranges of the tracks, left end to right end.
constexpr double kAlphaLow = 1.01;
constexpr double kAlphaHigh = 20;
constexpr double kQLow = -1.5;
constexpr double kQHigh = 2.5;
constexpr double kEfficiencyLow = 0.01;
constexpr double kEfficiencyHigh = 1;
constexpr double kFractionHigh = 0.999;   // the xD track's right end
constexpr double kFractionLow = 0.001;    // the xB track's left end
constexpr double kFractionGap = 0.001;    // kept free beside the neighbouring mole fractions

// Stand-ins for mole fractions that are not strictly between 0 and 1.
constexpr double kDistillateStandIn = 0.81;
constexpr double kBottomsStandIn = 0.17;

// The R track runs linearly in (R / Rmin)^(2/3), from this value at its left end over this
// many units to its right end; the knob drag uses the same scale backwards.
constexpr double kRefluxScaleOrigin = 1.001;
constexpr double kRefluxScaleSpan = 10;
constexpr double kRefluxExponent = 2.0 / 3.0;

bool StrictFraction(double x) { return x > 0 && x < 1; }

struct ValueOnTrack {
  double value;
  double low;
  double high;
};

// The values as the knobs use them: unusable mole fractions, alpha and E replaced. zF and q
// are used as read; the xD and xB ranges take zF as read too.
ValueOnTrack LinearKnob(int knob, const KnobValues& raw) {
  const double xD = StrictFraction(raw.xD) ? raw.xD : kDistillateStandIn;
  const double xB = StrictFraction(raw.xB) ? raw.xB : kBottomsStandIn;
  const double alpha = raw.alpha < kAlphaLow ? kAlphaLow : raw.alpha;
  const double E = (raw.E <= 0 || raw.E > 1) ? 1 : raw.E;
  switch (knob) {
    case kKnobAlpha:
      return {alpha, kAlphaLow, kAlphaHigh};
    case kKnobQ:
      return {raw.q, kQLow, kQHigh};
    case kKnobZF:
      return {raw.zF, xB + kFractionGap, xD - kFractionGap};
    case kKnobXD:
      return {xD, raw.zF + kFractionGap, kFractionHigh};
    case kKnobE:
      return {E, kEfficiencyLow, kEfficiencyHigh};
    default:  // kKnobXB
      return {xB, kFractionLow, raw.zF - kFractionGap};
  }
}

// Percent of the R track: 0 at its left end, 100 at its right end.
double RefluxPercent(const KnobValues& raw) {
  const double Rmin = raw.Rmin <= 0 ? 1 : raw.Rmin;
  const double ratio = raw.R / Rmin;
  // No power of a negative ratio: R at or below 0 counts as the scale's zero.
  const double u = ratio > 0 ? std::pow(ratio, kRefluxExponent) : 0;
  return (u - kRefluxScaleOrigin) * kRefluxScaleSpan;
}

}  // namespace

std::optional<double> KnobCentre(int knob, const KnobValues& values, KnobTrack track) {
  if (knob < 0 || knob >= kKnobCount) return std::nullopt;
  double c;
  if (knob == kKnobR) {
    c = track.X1 + (track.X2 - track.X1) * RefluxPercent(values) / 100;
  } else {
    const ValueOnTrack v = LinearKnob(knob, values);
    const double step = (v.high - v.low) / (track.X2 - track.X1);  // value per pixel
    c = track.X1 + (v.value - v.low) / step;
  }
  // An empty range divides by a zero step; such a place is no place, and the knob is better
  // left where it stands than sent to an arbitrary end.
  if (!std::isfinite(c)) return std::nullopt;
  if (c < track.X1) c = track.X1;
  if (c > track.X2) c = track.X2;
  return c;
}

std::optional<float> KnobLeft(int knob, const KnobValues& values, KnobTrack track, double knobWidth) {
  const std::optional<double> c = KnobCentre(knob, values, track);
  if (!c) return std::nullopt;
  return static_cast<float>(static_cast<float>(*c) - knobWidth / 2);
}

std::optional<FeedState> FeedStateOf(double q) {
  if (q < 0) return FeedState::SuperheatedVapour;
  if (q == 0) return FeedState::SaturatedVapour;
  if (q > 0 && q < 1) return FeedState::LiquidAndVapour;
  if (q == 1) return FeedState::SaturatedLiquid;
  if (q > 1) return FeedState::SubcooledLiquid;
  return std::nullopt;
}

}  // namespace stagora::designer
