// The seven design data: read from the texts of the input fields and checked in a fixed
// order, the first fault winning.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace stagora {

// Language keys of the calculation's errors, in the order in which they can occur.
namespace calc_key {
inline constexpr std::string_view kInvalidData = "InvalidData";
inline constexpr std::string_view kNegativeRefluxRatio = "NegativeRefluxRatio";
inline constexpr std::string_view kXFeedOutRange = "X_feed_out_range";
inline constexpr std::string_view kXDistOutRange = "X_dist_out_range";
inline constexpr std::string_view kXBottOutRange = "X_bott_out_range";
inline constexpr std::string_view kAlphaOutRange = "AlphaOutRange";
inline constexpr std::string_view kXbottGtXfeed = "Xbott_gt_Xfeed";
inline constexpr std::string_view kXfeedGtXdist = "Xfeed_gt_Xdist";
inline constexpr std::string_view kOverallEfficOutRange = "Overall_effic_outRange";
inline constexpr std::string_view kUnknowError = "UnknowError";
inline constexpr std::string_view kOperLinesInterBelowBott = "OperLinesInterBelowBott";
inline constexpr std::string_view kCantCalcMinReflux2Degree = "CantCalcMinRefluxRatio_2degree";
inline constexpr std::string_view kCantCalcMinReflux1Degree = "CantCalcMinRefluxRatio_1degree";
inline constexpr std::string_view kSlopeEnrich1 = "SlopeEnrich_1";
inline constexpr std::string_view kRefluxRatioBelowMin = "RefluxRatio_belowMin";
inline constexpr std::string_view kMinRefluxRatioNegative = "MinRefluxRatioNegative";
inline constexpr std::string_view kTooMuchNTP = "TooMuchNTP";
// All of them: the texts the main window's error label may have to show.
inline constexpr std::array kAll = {
    kInvalidData,      kNegativeRefluxRatio,    kXFeedOutRange,        kXDistOutRange,
    kXBottOutRange,    kAlphaOutRange,          kXbottGtXfeed,         kXfeedGtXdist,
    kOverallEfficOutRange,     kUnknowError,    kOperLinesInterBelowBott,
    kCantCalcMinReflux2Degree, kCantCalcMinReflux1Degree, kSlopeEnrich1,
    kRefluxRatioBelowMin,      kMinRefluxRatioNegative,   kTooMuchNTP,
};
}  // namespace calc_key

// The texts of the design fields as typed, in either decimal symbol.
struct DesignFields {
  std::string Text1;   // alpha, relative volatility
  std::string Text2;   // q, liquid fraction of the feed
  std::string Text3;   // zF, feed
  std::string Text4;   // xD, distillate
  std::string Text5;   // xB, bottoms
  std::string Text6;   // R, reflux ratio
  std::string Text15;  // E, overall efficiency
};

// The main window's fields Text1 to Text17 by number, named for what each holds: the seven
// design data above, the results the calculation writes, and the two component names.
namespace field {
inline constexpr int kAlpha = 1;              // alpha, relative volatility
inline constexpr int kThermalQ = 2;           // q, liquid fraction of the feed
inline constexpr int kXFeed = 3;              // zF, feed
inline constexpr int kXDistillate = 4;        // xD, distillate
inline constexpr int kXBottoms = 5;           // xB, bottoms
inline constexpr int kRefluxRatio = 6;        // R, reflux ratio
inline constexpr int kMinRefluxRatio = 7;     // Rmin, the minimum reflux ratio (result)
inline constexpr int kQLine = 8;              // the q-line's equation (result, never shown)
inline constexpr int kEnrichingLine = 9;      // the enriching line's equation (result, never shown)
inline constexpr int kStrippingLine = 10;     // the stripping line's equation (result, never shown)
inline constexpr int kLinesMeet = 11;         // (xq, yq), where the lines meet (result, never shown)
inline constexpr int kPinchPoint = 12;        // (xm, ym), the pinch point (result, never shown)
inline constexpr int kFeedPlate = 13;         // the feed plate in real plates (result)
inline constexpr int kRealPlates = 14;        // the number of real plates (result)
inline constexpr int kEfficiency = 15;        // E, overall efficiency
inline constexpr int kMoreVolatileName = 16;  // the more volatile component's name
inline constexpr int kLessVolatileName = 17;  // the less volatile component's name
}  // namespace field

struct DesignData {
  double alpha = 0;
  double q = 0;
  double zF = 0;
  double xD = 0;
  double xB = 0;
  double R = 0;
  double E = 0;
};

// Each field through ValNUM: a text that is no number reads as 0.
DesignData ReadDesignData(const DesignFields& fields);

// "InvalidData" when a value is not a finite number, else "".
std::string_view CheckReadData(const DesignData& data);

// The first validation key the data fail, or "" when they pass.
std::string_view ValidateDesign(const DesignData& data);

}  // namespace stagora
