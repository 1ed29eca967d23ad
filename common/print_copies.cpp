#include "common/print_copies.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace stagora {
namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

constexpr double kLargestWhole = 2147483647.0;
constexpr double kSmallestWhole = -2147483648.0;

}  // namespace

double TextValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  bool digits = false;
  while (i < text.size() && IsDigit(text[i])) {
    number += text[i++];
    digits = true;
  }
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    while (i < text.size() && IsDigit(text[i])) {
      number += text[i++];
      digits = true;
    }
  }
  if (!digits) return 0;
  // An exponent counts only when digits follow it: "2e" is 2.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) exponent += text[j++];
      number += exponent;
    }
  }
  // Beyond the range of a double strtod gives an infinity, which no count accepts.
  return std::strtod(number.c_str(), nullptr);
}

std::optional<long> WholeTextValue(std::string_view text) {
  const double rounded = std::nearbyint(TextValue(text));
  if (!(rounded >= kSmallestWhole && rounded <= kLargestWhole)) return std::nullopt;
  return static_cast<long>(rounded);
}

std::optional<long> SpinnerValueOf(std::string_view text) {
  const std::optional<long> value = WholeTextValue(text);
  if (!value || *value < kSpinnerMinCopies || *value > kSpinnerMaxCopies) return std::nullopt;
  return value;
}

}  // namespace stagora
