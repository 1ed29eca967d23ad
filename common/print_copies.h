// The number of copies as the print dialogs of both programs read it from their copies box.
// Widget-free, so the rules can be checked without a dialog.
#pragma once

#include <optional>
#include <string_view>

namespace stagora {

// The copies spinner's range; what a dialog accepts may be narrower.
inline constexpr long kSpinnerMinCopies = 1;
inline constexpr long kSpinnerMaxCopies = 1999;

// The value of a text: the decimal number at its start, leading blanks skipped, read up to
// the first character that cannot continue it (digits, one point, an exponent E or D with
// its sign and digits). A text without a number has the value 0.
double TextValue(std::string_view text);

// That value rounded to a whole number, a half going to the even neighbour; nothing when it
// does not fit a 32-bit whole number (a pasted 9e99).
std::optional<long> WholeTextValue(std::string_view text);

// The spinner position a text stands for: its whole value when that lies within the
// spinner's range, otherwise nothing (the spinner keeps its position).
std::optional<long> SpinnerValueOf(std::string_view text);

}  // namespace stagora
