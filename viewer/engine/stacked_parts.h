// Stacked parts "#SPB(" letter upper "#T)(" lower "#SPB)": two pieces of mark-up one directly
// above the other in a smaller size, aligned left, centred ("C") or right ("R"), the boundary
// between them on the line's axis.
#pragma once

#include <string_view>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {

// "#SPB(": the two parts stacked, counting as one index level like an exponent, so stacks
// inside stacks shrink further.
void DibujarSPB(ConstructContext& k);

enum class StackAlignment { Left, Centre, Right };

struct StackedPair {
  StackAlignment alignment = StackAlignment::Left;
  std::string_view upper;  // views into the block, or the red error text
  std::string_view lower;
};

// The alignment letter and the two parts; a missing or doubled separator shows as the red
// error text. Texts on an arrow in either part stay whole, as nested stacks do
// (separated_parts.h).
StackedPair CutStackedPair(std::string_view block);

}  // namespace stagora::engine
