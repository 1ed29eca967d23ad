// The whole Stagora-Thiele construction of one design, without widgets: the seven field texts
// and the equilibrium in, one error or the complete result out. The main window's Calcular
// wraps it: it draws what the result says was reached and shows the error or the results.
#pragma once

#include <string>

#include "designer/calculation/design_data.h"
#include "designer/calculation/equilibrium.h"
#include "designer/calculation/operating_lines.h"
#include "designer/calculation/pinch_point.h"
#include "designer/calculation/stage_stepping.h"

namespace stagora {

struct DesignInput {
  DesignFields fields;
  std::string SimboloDecimal = ".";  // for the result texts; the fields read in either symbol
  bool UsarTabla = false;
  const EquilibriumLookup* lookup = nullptr;  // the lookup tables, used in table mode
};

// The phases in their order. A failed result names the phase that reported the error, which
// tells a drawing what the window had drawn by then: after kReadInputs only the frame and
// grid; after kValidation also the three point marks; after any later phase also the
// equilibrium curve.
enum class CalcPhase {
  kReadInputs,
  kValidation,
  kLines,
  kPinchPoint,
  kMinimumReflux,
  kStepping,
  kRuntimeCheck,
  kComplete
};

struct DesignResult {
  CalcPhase phase = CalcPhase::kReadInputs;  // kComplete on success
  std::string errorKey;   // language key of the error, "" when none
  std::string errorText;  // run-time error text ("ERROR: Nº = ..."), "" when none
  bool ok() const { return phase == CalcPhase::kComplete; }
  // PendienteMin was computed in this run (the window keeps its last value otherwise).
  bool pendienteMinSet() const { return phase >= CalcPhase::kMinimumReflux; }

  std::string SimboloDecimal = ".";
  bool UsarTabla = false;
  DesignData data;  // as read, before validation (the point marks show them)
  OperatingLines lines;
  PinchPoint pinch;
  MinimumReflux reflux;  // PendienteMin and Rmin
  Staircase staircase;   // PuntoX, PuntoY, NumPuntos
  // Set only when the whole calculation succeeded; 0 after any error.
  double PlatoAlimTeor = 0;
  double NumPlatosTeor = 0;
};

// Reads the fields with ValNUM and calculates.
DesignResult CalculateDesign(const DesignInput& input);
// Calculates from numbers already read (a value that is not finite gives "InvalidData").
DesignResult CalculateDesign(const DesignData& data, bool UsarTabla, const EquilibriumLookup* lookup,
                             const std::string& SimboloDecimal = ".");

}  // namespace stagora
