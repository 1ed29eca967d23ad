// The inline codes that begin with "&": style switches, font, size and colour settings, the
// tab, the filled figure, the drawn signs, escapes, the exponent form and the symbol codes.
#pragma once

#include <string_view>

#include "viewer/engine/line_context.h"

namespace stagora::engine {

// Handles the "&" at the scan position: the first code that matches there (three-character
// codes, then symbol codes, then two-character codes) is carried out and the position is
// left on its last character; an "&" that starts nothing known is dropped.
void HandleInlineCode(LineContext& c);

// True when the text begins with a parameter code ("&FS=12:", "&FC=Rojo:" ...), whose value
// runs to the first ":" after it.
bool StartsParameterCode(std::string_view text);

}  // namespace stagora::engine
