// Text helpers of the worked solution: substitutions and trimming as the report's texts
// need them.
#pragma once

#include <string>

namespace stagora::report_text {

// Every occurrence of `from`, left to right, replaced by `to`; nothing when `from` is empty.
std::string Replace(std::string text, const std::string& from, const std::string& to);

// Leading and trailing blanks removed (blanks only; other white space stays).
std::string Trim(const std::string& text);

// Typed text (a component name, a number as typed) written so that the viewer prints every
// character of it as it stands: "&", "#", "_" and "^" in their doubled, literal form. After a
// doubled "&" or "#" comes the empty code "&-S" (strike-through off, which the worked
// solution never switches on), so that no code the viewer reads from a line before
// rendering it ("&LF", "&.", "#ENU)" …) can be made of the escape and the text after it.
std::string Literal(const std::string& typed);

}  // namespace stagora::report_text
