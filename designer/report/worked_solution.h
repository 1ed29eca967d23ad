// The worked solution in mark-up: the statement of the problem, the short answer and the
// resolution at two levels, level 1 the results step by step and level 2 the same steps with
// their explanation and general equations. Every sentence is a language text of the main
// window; numbers come as the fields show them with "&." for the decimal symbol, and what the
// user typed (component names, numbers as typed) is written so that it prints as typed.
#pragma once

#include <optional>
#include <string>

#include "designer/report/report_input.h"

namespace stagora {

struct WorkedSolution {
  std::string statement;  // the "#ENU(" section
  std::string answer;     // "#SOL("
  std::string level1;     // "#RS1("
  std::string level2;     // "#RS2("
};

// The four sections; nothing for a design in error. Nomb_JPG is the bare file name of the
// diagram image that both resolution levels show after the minimum reflux.
std::optional<WorkedSolution> MakeWorkedSolution(const ReportInput& in, const std::string& Nomb_JPG);

}  // namespace stagora
