#include "designer/calculation/design_calculation.h"

namespace stagora {

namespace {

// Ends the run in `phase` with a language key.
bool Stop(DesignResult& r, CalcPhase phase, std::string_view key) {
  if (key.empty()) return false;
  r.phase = phase;
  r.errorKey = std::string(key);
  return true;
}

}  // namespace

DesignResult CalculateDesign(const DesignData& data, bool UsarTabla, const EquilibriumLookup* lookup,
                             const std::string& SimboloDecimal) {
  const EquilibriumModel eq =
      UsarTabla ? EquilibriumModel::Table(lookup) : EquilibriumModel::Volatility(data.alpha);
  DesignResult r;
  r.SimboloDecimal = SimboloDecimal;
  r.UsarTabla = UsarTabla;
  r.data = data;
  // Only failures from the reading of the inputs onwards count.
  GuardedMath math;

  if (Stop(r, CalcPhase::kReadInputs, CheckReadData(data))) return r;
  if (Stop(r, CalcPhase::kValidation, ValidateDesign(data))) return r;
  if (Stop(r, CalcPhase::kLines, ComputeOperatingLines(data, r.lines, math))) return r;
  if (Stop(r, CalcPhase::kPinchPoint, FindPinchPoint(data, r.lines, eq, r.pinch, math))) return r;
  if (Stop(r, CalcPhase::kMinimumReflux, ComputeMinimumReflux(data, r.pinch, r.reflux, math))) return r;

  switch (StepStages(data, r.lines, eq, r.staircase, math)) {
    case SteppingEnd::kTooManyStages:
      Stop(r, CalcPhase::kStepping, calc_key::kTooMuchNTP);
      return r;
    case SteppingEnd::kFailedStatement:
      r.phase = CalcPhase::kStepping;
      r.errorText = RuntimeErrorText(*math.last());
      return r;
    case SteppingEnd::kFinished:
      break;
  }

  // The plate counts are shown divided by the efficiency; a tiny E that passed the range check
  // would overflow them, and an infinite plate count is no result.
  double actualPlates = 0;
  math.set(actualPlates, Quotient(r.staircase.stages, data.E));
  math.set(actualPlates, Quotient(r.staircase.feedStage, data.E));

  // A statement that failed earlier without a key firing after it fails the design now.
  if (math.last()) {
    r.phase = CalcPhase::kRuntimeCheck;
    r.errorText = RuntimeErrorText(*math.last());
    return r;
  }
  r.phase = CalcPhase::kComplete;
  r.NumPlatosTeor = r.staircase.stages;
  r.PlatoAlimTeor = r.staircase.feedStage;
  return r;
}

DesignResult CalculateDesign(const DesignInput& input) {
  return CalculateDesign(ReadDesignData(input.fields), input.UsarTabla, input.lookup, input.SimboloDecimal);
}

}  // namespace stagora
