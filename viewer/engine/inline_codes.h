// The inline codes that begin with "&": style switches, font, size and colour settings, the
// tab, the filled figure, the drawn signs, escapes, the exponent form and the symbol codes.
#pragma once

#include "viewer/engine/line_context.h"

namespace stagora::engine {

// Handles the "&" at the scan position: the first code that matches there (three-character
// codes, then symbol codes, then two-character codes) is carried out and the position is
// left on its last character; an "&" that starts nothing known is dropped.
void HandleInlineCode(LineContext& c);

}  // namespace stagora::engine
