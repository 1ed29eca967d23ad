// The integral "#INT(" content "#INT)": a large integral sign in front of the content,
// raised above it.
#pragma once

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {

// "#INT(": the content after a fixed room for the sign, which is printed black from the
// symbol font at twice the size, starting above the content's top.
void DibujarINT(ConstructContext& k);

}  // namespace stagora::engine
