// The line renderer: one line of mark-up, or one part of a construct (a numerator, an
// exponent, a row), rendered on the target in the pass ModoDibujo names. Measuring draws
// nothing, records the line's box in the box table and finds the leading part that fits the
// usable width; drawing places everything from the boxes the measure pass left.
#pragma once

#include <string>

#include "platform/surface.h"

namespace stagora::engine {

// Renders `line` at the target's current position in the current font. The line's box is
// box number ContadorCajas on entry; every construct met takes the next numbers. On return
// `fittingPart` is empty, or (measure pass, the line itself only) the leading part of the
// line that fits when the whole line does not.
void ProcesarLinea(const std::string& line, plat::Surface& target, std::string& fittingPart);

}  // namespace stagora::engine
