// Any byte sequence is a number as the user types it: ValNUM must neither fail nor hang and
// gives a finite number (0 for one beyond a double), and what the program then writes of that
// number, in every form, reads back to it. The first byte also chooses the digits the
// formatters are asked for and the decimal symbol.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/number_text.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// Fifteen significant digits carry a double back to within a few units of its last place.
bool Close(double a, double b) {
  return std::fabs(a - b) <= 1e-14 * std::fabs(a) + 1e-300;
}

// The mark-up text back as the user would type it: "&." is the point, "&E" the exponent.
std::string Plain(std::string s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&' && i + 1 < s.size() && (s[i + 1] == '.' || s[i + 1] == 'E')) continue;
    out += s[i];
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stagora;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::uint8_t options = size > 0 ? data[0] : 0;

  bool outOfRange = false;
  const double x = ValNUM(text, &outOfRange);
  Check(std::isfinite(x));
  Check(!outOfRange || x == 0);
  Check(ValNUM(text) == x);

  // Beside the largest doubles fifteen digits may round past the range; those are no
  // numbers of a column.
  if (std::fabs(x) < 1e300) {
    Check(Close(ValNUM(NumberText(x)), x));
    Check(Close(ValNUM(Plain(NumToHTFC(x))), x));
  }

  // The program asks for two digits or more; to one digit the mark-up pads the mantissa
  // without a point ("10&E12"), so that form is not read back there.
  const double digits = 1 + options % 16;
  const std::string shown = FormatNUM(x, digits, (options & 0x80) ? "," : ".");
  const std::string markup = FormatNUM_HTFC(x, digits);
  // Rounded to the digits asked for, so only roughly the same number. The rounding scales by
  // a power of ten that leaves the double range near the ends of it (and then gives 0), so
  // only magnitudes that the scaling keeps are read back.
  if (std::fabs(x) < 1e280 && std::fabs(x) > 1e-280) {
    const double tolerance = std::fabs(x) * std::pow(10.0, 1 - digits) + 1e-300;
    Check(std::fabs(ValNUM(shown) - x) <= tolerance);
    if (digits >= 2) Check(std::fabs(ValNUM(Plain(markup)) - x) <= tolerance);
  }
  RoundPOW10(x, ValNUM(text.substr(text.size() / 2)));
  return 0;
}
