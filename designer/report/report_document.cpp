#include "designer/report/report_document.h"

namespace stagora {

std::string AssembleReportDocument(const std::string& SimboloDecimal, const WorkedSolution& solution) {
  constexpr const char* kBetween = "\r\n\r\n";
  std::string c;
  c.reserve(96 + solution.statement.size() + solution.answer.size() + solution.level1.size() +
            solution.level2.size());
  c += "#DEC(" + SimboloDecimal + "#DEC)";
  c += kBetween;
  c += "#ENU(" + solution.statement + "#ENU)";
  c += kBetween;
  c += "#SOL(" + solution.answer + "#SOL)";
  c += kBetween;
  c += "#RS1(" + solution.level1 + "#RS1)";
  c += kBetween;
  c += "#RS2(" + solution.level2 + "#RS2)";
  return c;
}

}  // namespace stagora
