// Text helpers of the worked solution: substitutions and trimming as the report's texts
// need them.
#pragma once

#include <string>

namespace stagora::report_text {

// Every occurrence of `from`, left to right, replaced by `to`; nothing when `from` is empty.
std::string Replace(std::string text, const std::string& from, const std::string& to);

// Leading and trailing blanks removed (blanks only; other white space stays).
std::string Trim(const std::string& text);

}  // namespace stagora::report_text
