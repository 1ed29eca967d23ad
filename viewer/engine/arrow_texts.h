// Texts on an arrow "#ATX(" upper "#T)(" lower "#ATX)": a right-pointing arrow on the line's
// axis with one text centred above it and one below.
#pragma once

#include <string>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {

// "#ATX(": the arrow, longer than the longer text by a fixed margin on each side, its shaft
// on the line's axis, the texts centred over and under it in the surrounding font.
void DibujarATX(ConstructContext& k);

struct ArrowTexts {
  std::string upper;
  std::string lower;
};

// The two texts; a missing or doubled separator shows as the red error text.
ArrowTexts CutArrowTexts(const std::string& block);

}  // namespace stagora::engine
