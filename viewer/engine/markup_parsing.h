// The small parsers every part of the engine shares: the leading-number reading of the
// mark-up, cutting a balanced construct out of a line, colour texts and figure texts.
#pragma once

#include <string>
#include <string_view>

#include "platform/surface.h"

namespace stagora::engine {

// The blanks of the mark-up: space, TAB, CR and LF. Only a CR LF is taken out of the text
// before it is cut into lines; the LF that ends a line written on Linux, a bare CR and a TAB
// stay in the line.
bool IsBlank(char c);

// The leading number of a text: an optional sign, digits and one "." as decimal point, read
// from the start; blanks are skipped, the first other character ends the number. 0 when no
// number starts the text. Never infinite: magnitudes are held below 1e300.
double Val(std::string_view text);

// Rounds to the nearest whole number (halves to even) and holds the result inside the range
// of a 32-bit whole number, so a wild number in a document can never overflow a conversion.
long RoundToLong(double value);

// The first block of `text` that begins with `openTag` and ends with its matching
// `closeTag` (nested pairs counted), both tags included. When there is no such block: the
// opening tag, a red "*ERROR*", a switch back to black and the closing tag, which every
// caller draws like a construct.
std::string ExtraerBloque(std::string_view text, std::string_view openTag, std::string_view closeTag);
std::string ErrorBlock(std::string_view openTag, std::string_view closeTag);
// What an error block holds between its tags.
std::string_view ErrorText();

// A colour text as an RGB value: "r;g;b" (a missing blue repeats green), a number taken as
// an RGB value, or one of the colour names in English or Spanish; black when unknown.
plat::Color LeerColor(std::string_view value);

// A figure text "name,a,b": the name and the two numbers (0 for a part that is missing).
void LeerFigura(std::string_view value, std::string& name, double& a, double& b);

}  // namespace stagora::engine
