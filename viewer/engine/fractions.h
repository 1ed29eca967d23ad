// Fractions "#COC(" numerator "#N)(" denominator "#COC)" and the bar-less stack "#DDL("
// upper "#L)(" lower "#DDL)": two parts centred over each other, the bar on the line's axis.
#pragma once

#include <string>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {

// "#COC(" "#DDL(": the two parts centred over each other, the bar (fractions only) on the
// construct's axis; a fraction inside another has a lighter bar.
void DibujarCOC(ConstructContext& k);

struct StackedParts {
  std::string upper;
  std::string lower;
};

// The two parts of a fraction or stack; a part whose tags are missing or unbalanced comes
// back as the red error text, so the construct keeps its layout.
StackedParts CutFraction(const std::string& block);

}  // namespace stagora::engine
