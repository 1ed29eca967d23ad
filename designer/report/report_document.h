// The result document the designer hands to the viewer: the decimal symbol and the four
// sections of the worked solution. The designer's documents carry no image directory (the
// diagram image lies beside the document as a file of its own) and keep a blank line between
// the sections, so they read well as text; the viewer finds each section by its markers.
#pragma once

#include <string>

#include "designer/report/worked_solution.h"

namespace stagora {

// "#DEC(" symbol "#DEC)", then "#ENU(", "#SOL(", "#RS1(", "#RS2(" sections, two CR LF pairs
// between neighbours and nothing after "#RS2)". The texts are Windows-1252 and go in as
// they are.
std::string AssembleReportDocument(const std::string& SimboloDecimal, const WorkedSolution& solution);

}  // namespace stagora
