// Powers "#POT(" base "#PB)(" exponent "#POT)" and the exponential "#EXP(" exponent "#EXP)":
// the exponent in a smaller size, its lower part overlapping the top of the base.
#pragma once

#include <string_view>

#include "viewer/engine/block_cutter.h"
#include "viewer/engine/construct_parts.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {

// "#POT(" "#EXP(": the base, then the exponent raised and shrunk (NivelIndice counts the
// exponents open around it).
void DibujarPOT(ConstructContext& k);

// Views into the block, or into constant texts.
struct PowerParts {
  std::string_view base;
  std::string_view exponent;
};

// The base and the exponent; the exponential's base is an italic e; a part that cannot be
// cut is the red error text. `blocks` finds the tags (the line's, while one is laid out).
PowerParts CutPower(std::string_view block, const BlockFinder& blocks = BlockFinder());

// The factor by which the font shrinks for an exponent opened at nesting level `level`
// (1 = the outermost): two thirds, then three quarters of that, and from the third level on
// the second level's size stays, so that deep exponents remain legible.
double ExponentSizeFactor(long level);

}  // namespace stagora::engine
