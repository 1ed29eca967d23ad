// The worked solution as plain text, the body of the first printed result page: the data and
// the results line by line as the fields show them, every line ending with CR LF. A line
// "<TAB" opens and a line "TAB>" closes a stretch that the printout sets in a fixed-pitch
// font.
#pragma once

#include <string>

#include "designer/report/report_input.h"

namespace stagora {

inline constexpr const char* kFixedPitchOpen = "<TAB";
inline constexpr const char* kFixedPitchClose = "TAB>";

// The body text; "" for a design in error.
std::string MakePlainTextSolution(const ReportInput& in);

}  // namespace stagora
