// The texts of the result fields of the main window (Text7 to Text14) and the equation of a
// straight line, from a finished design calculation. Numbers are written with FormatNUM in
// the decimal symbol the design was calculated with.
#pragma once

#include <string>

#include "designer/calculation/design_calculation.h"

namespace stagora {

// Significant digits of the result values, and of the plate counts.
inline constexpr double kResultDigits = 5;
inline constexpr double kPlateCountDigits = 3;

// "y = " m "x " and the intercept with its own sign: Recta(0.75, 0.25) is "y = 0.75x + 0.25",
// Recta(-1, 1.2) is "y = -x + 1.2". A slope of 0 gives "y = " b; an intercept of 0 leaves the
// text ending in "x ". The numbers are written with the decimal symbol simbolo.
std::string Recta(double m, double b, const std::string& simbolo);

struct ResultTexts {
  std::string Text7;   // minimum reflux ratio
  std::string Text8;   // q-line ("x = " zF when vertical)
  std::string Text9;   // enriching operating line
  std::string Text10;  // stripping operating line
  std::string Text11;  // "xq = ...;   yq = ..."
  std::string Text12;  // "xm = ...;   ym = ..."
  std::string Text13;  // feed plate in real plates
  std::string Text14;  // number of real plates
};

// The eight field texts of a successful design (r.ok()), in r.SimboloDecimal. A failed run
// writes none of Text7 to Text12 (they keep the last good design) and leaves Text13 and
// Text14 empty; for such a result every text here is "".
ResultTexts MakeResultTexts(const DesignResult& r);

}  // namespace stagora
