// The two result tables of a finished design, the equilibrium curve at x = 0, 0.05 ... 0.95
// and the corners of the staircase on the operating lines, each as plain text for the
// printout (CR LF line ends) and as mark-up for the worked solution ("&LF" line ends, "&."
// for the decimal symbol, "&SP=" column positions).
#pragma once

#include <string>

#include "designer/calculation/design_calculation.h"
#include "designer/calculation/equilibrium.h"
#include "designer/calculation/stage_stepping.h"

namespace stagora {

struct ResultTables {
  std::string TablaELV_TXT;
  std::string TablaPlatos_TXT;
  std::string TablaELV_HTFC;
  std::string TablaPlatos_HTFC;
};

// A value as a table cell: to the nearest ten-thousandth, one digit, the decimal symbol and
// four decimals ("0.5000"), the sign dropped. Meant for 0 <= |v| < 10.
std::string TableCell(double v, const std::string& simbolo);

// The staircase table: up to four column groups of odd-numbered points, ten rows at most.
struct StageTables {
  std::string TablaPlatos_TXT;
  std::string TablaPlatos_HTFC;
};
StageTables MakeStageTables(const Staircase& staircase, const std::string& simbolo);

// The equilibrium table of the model the design was calculated with.
struct EquilibriumTables {
  std::string TablaELV_TXT;
  std::string TablaELV_HTFC;
};
EquilibriumTables MakeEquilibriumTables(const EquilibriumModel& equilibrium, const std::string& simbolo);

// All four tables of a successful design (r.ok()) in r.SimboloDecimal. `equilibrium` is the
// model the design was calculated with (EquilibriumModelOf). A failed run writes no table
// (the window keeps the last good ones); for such a result all four are "".
ResultTables MakeResultTables(const DesignResult& r, const EquilibriumModel& equilibrium);

// The equilibrium model of a result: alpha, or the lookup tables it was calculated with.
EquilibriumModel EquilibriumModelOf(const DesignResult& r, const EquilibriumLookup* lookup);

}  // namespace stagora
