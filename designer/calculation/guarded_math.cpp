#include "designer/calculation/guarded_math.h"

#include <cmath>

namespace stagora {

RuntimeError MakeRuntimeError(int number) {
  switch (number) {
    case kErrInvalidArgument: return {number, "Invalid procedure call or argument"};
    case kErrOverflow: return {number, "Overflow"};
    case kErrSubscript: return {number, "Subscript out of range"};
    case kErrDivisionByZero: return {number, "Division by zero"};
    default: return {number, "Application-defined or object-defined error"};
  }
}

std::string RuntimeErrorText(const RuntimeError& error) {
  // "\xBA" is the masculine ordinal of Windows-1252.
  return "ERROR: N\xBA = " + std::to_string(error.number) + " - " + error.description;
}

Outcome Checked(double value) {
  if (!std::isfinite(value)) return {0, kErrOverflow};
  return {value, 0};
}

Outcome Quotient(double num, double den) {
  if (den == 0) return {0, num == 0 ? kErrOverflow : kErrDivisionByZero};
  return Checked(num / den);
}

Outcome Quotient(const Outcome& num, double den) {
  if (!num.ok()) return num;
  return Quotient(num.value, den);
}

Outcome Sum(double a, const Outcome& b) {
  if (!b.ok()) return b;
  return Checked(a + b.value);
}

Outcome Distance(double a, const Outcome& b) {
  if (!b.ok()) return b;
  return Checked(std::fabs(a - b.value));
}

bool GuardedMath::set(double& target, const Outcome& value) {
  if (value.ok() && std::isfinite(value.value)) {
    target = value.value;
    return true;
  }
  fail(value.ok() ? kErrOverflow : value.error);
  return false;
}

void GuardedMath::fail(int number) { last_ = MakeRuntimeError(number); }

}  // namespace stagora
