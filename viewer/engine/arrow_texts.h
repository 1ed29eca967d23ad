// Texts on an arrow "#ATX(" upper "#T)(" lower "#ATX)": a right-pointing arrow on the line's
// axis with one text centred above it and one below.
#pragma once

#include <string_view>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {

// "#ATX(": the arrow, longer than the longer text by a fixed margin on each side, its shaft
// on the line's axis, the texts centred over and under it in the surrounding font.
void DibujarATX(ConstructContext& k);

// Views into the block, or the red error text.
struct ArrowTexts {
  std::string_view upper;
  std::string_view lower;
};

// The two texts; a missing or doubled separator shows as the red error text. Stacked parts in
// either text stay whole, as nested arrows do (separated_parts.h).
ArrowTexts CutArrowTexts(std::string_view block);

}  // namespace stagora::engine
