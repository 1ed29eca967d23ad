// The fourteen decorations: a piece of mark-up with lines over, across or around it — vector
// arrows "#VEC(" "#VED(", the hat "#AND(", the arc "#ARC(", the bar "#SED(", the diagonals
// "#TDD(" "#TDU(" "#TDX(", overlines and underlines "#SEG(" "#DOL(" "#UDL(", the box "#REC("
// and the open frames "#CDE(" "#CDI(".
#pragma once

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {

// Every decoration: the content with a margin of one pen width on all four sides, then the
// decoration's lines in the line colour (ColorLinea), their pen following the text height.
void DibujarAdorno(ConstructContext& k);

}  // namespace stagora::engine
