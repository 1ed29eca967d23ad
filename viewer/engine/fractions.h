// Fractions "#COC(" numerator "#N)(" denominator "#COC)" and the bar-less stack "#DDL("
// upper "#L)(" lower "#DDL)": two parts centred over each other, the bar on the line's axis.
#pragma once

#include <string_view>

#include "viewer/engine/block_cutter.h"
#include "viewer/engine/construct_parts.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {

// "#COC(" "#DDL(": the two parts centred over each other, the bar (fractions only) on the
// construct's axis; a fraction inside another has a lighter bar.
void DibujarCOC(ConstructContext& k);

// Views into the block, or into the constant error text.
struct StackedParts {
  std::string_view upper;
  std::string_view lower;
};

// The two parts of a fraction or stack whose block begins with its five-character opening
// tag; a part whose tags are missing or unbalanced comes back as the red error text, so the
// construct keeps its layout. `blocks` finds the tags (the line's, while one is laid out).
StackedParts CutFraction(std::string_view block, const BlockFinder& blocks = BlockFinder());

}  // namespace stagora::engine
