// The arithmetic of the design calculation, one statement at a time. A statement whose value
// cannot be had (a division by zero, an overflow, an index outside a lookup table) leaves its
// target as it was and is remembered as a run-time error with a number and a description;
// the calculation reports the last one at its end unless an error key fires first. So no NaN
// or infinity ever reaches a value the calculation keeps.
#pragma once

#include <optional>
#include <string>

namespace stagora {

// Run-time error numbers, as the designer has always reported them.
inline constexpr int kErrInvalidArgument = 5;
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrSubscript = 9;
inline constexpr int kErrDivisionByZero = 11;

struct RuntimeError {
  int number = 0;
  std::string description;
  bool operator==(const RuntimeError&) const = default;
};

RuntimeError MakeRuntimeError(int number);

// The text the error label shows for a run-time error: "ERROR: Nº = 11 - Division by zero"
// (Windows-1252).
std::string RuntimeErrorText(const RuntimeError& error);

// The value of one statement, or the number of the run-time error that prevents it.
struct Outcome {
  double value = 0;
  int error = 0;
  bool ok() const { return error == 0; }
};

// An outcome that is only good when finite (an overflow otherwise).
Outcome Checked(double value);
// num / den: a zero denominator fails as division by zero, or as overflow for 0 / 0.
Outcome Quotient(double num, double den);
Outcome Quotient(const Outcome& num, double den);
// a + b, and |a - b|, for an outcome b.
Outcome Sum(double a, const Outcome& b);
Outcome Distance(double a, const Outcome& b);

class GuardedMath {
 public:
  // target := value when the outcome is good and finite; otherwise target keeps its value and
  // the error is remembered. Returns whether target was set.
  bool set(double& target, const Outcome& value);
  bool set(double& target, double value) { return set(target, Checked(value)); }

  void fail(int number);
  const std::optional<RuntimeError>& last() const { return last_; }
  void clear() { last_.reset(); }

 private:
  std::optional<RuntimeError> last_;
};

}  // namespace stagora
