// Where the input panel's slider knobs sit for the values in their fields, and which thermal
// state of the feed q names. Pure arithmetic, so the window and the tests share it.
#pragma once

#include <array>
#include <optional>

namespace stagora::designer {

// The knobs, indexed as the panel's knob and track families.
inline constexpr int kKnobAlpha = 0;
inline constexpr int kKnobQ = 1;
inline constexpr int kKnobZF = 2;
inline constexpr int kKnobXD = 3;
inline constexpr int kKnobR = 4;
inline constexpr int kKnobE = 5;
inline constexpr int kKnobXB = 6;
inline constexpr int kKnobCount = 7;

// The order the knobs are placed in.
inline constexpr std::array<int, kKnobCount> kKnobPlacementOrder = {kKnobXD, kKnobXB, kKnobZF, kKnobAlpha,
                                                                    kKnobE,  kKnobR,  kKnobQ};

// The data as read from the fields, before any value is put in place of an unusable one.
struct KnobValues {
  double alpha = 0;
  double q = 0;
  double zF = 0;
  double xD = 0;
  double xB = 0;
  double R = 0;
  double Rmin = 0;
  double E = 0;
};

// A track's left and right ends in the panel's pixels.
struct KnobTrack {
  double X1 = 0;
  double X2 = 0;
};

// The centre of a knob on its track: the value's place, held to the track's ends. Nothing when
// the value has no place, which happens when a range has shrunk to nothing (the xB range
// when zF is 0.002, for instance).
std::optional<double> KnobCentre(int knob, const KnobValues& values, KnobTrack track);

// The knob's left edge for a knob of the given width, in single precision as the panel keeps
// positions; nothing when the centre has no place.
std::optional<float> KnobLeft(int knob, const KnobValues& values, KnobTrack track, double knobWidth);

enum class FeedState { SuperheatedVapour, SaturatedVapour, LiquidAndVapour, SaturatedLiquid, SubcooledLiquid };

// The thermal state of a feed with this q; q = 1 only when it is exactly 1. Nothing for NaN.
std::optional<FeedState> FeedStateOf(double q);

}  // namespace stagora::designer
