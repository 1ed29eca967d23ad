// Fractions "#COC(" numerator "#N)(" denominator "#COC)" and the bar-less stack "#DDL("
// upper "#L)(" lower "#DDL)": two parts centred over each other, the bar on the line's axis.
#pragma once

#include <string>

namespace stagora::engine {

struct StackedParts {
  std::string upper;
  std::string lower;
};

// The two parts of a fraction or stack; a part whose tags are missing or unbalanced comes
// back as the red error text, so the construct keeps its layout.
StackedParts CutFraction(const std::string& block);

}  // namespace stagora::engine
