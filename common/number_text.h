// Numbers as the user types and reads them, and as the mark-up of the worked solution writes
// them. Display text uses the decimal symbol it is given and "E" for the exponent; mark-up text
// writes the decimal point as "&." and the exponent as "&E", which the viewer renders in the
// reader's own symbol. None of these routines fails: odd input gives a number or a text.
#pragma once

#include <string>
#include <string_view>

namespace stagora {

// The number at the start of a user's text. "," and "." both act as the decimal point;
// blanks, tabs and line feeds are skipped anywhere; an exponent is written with E or D. Text
// that does not begin with a number, and a number beyond the range of a double, give 0.
double ValNUM(std::string_view text);
// As ValNUM; outOfRange is set when the number read is beyond the range of a double (too large,
// or too small to be told from 0), which ValNUM gives as 0.
double ValNUM(std::string_view text, bool* outOfRange);

// x rounded half up to a multiple of 10^(k+1); 0 when that cannot be computed.
double RoundPOW10(double x, double k);

// The plain text of a number: 15 significant digits in the shortest form, no "0" before the
// point (".5"), exponent form for very large and very small magnitudes ("1.5E+20", "1E-05").
std::string NumberText(double x);

// Mark-up text of x: the plain text with "0" before a leading point, "&." for the point and
// "&E" for the exponent ("1&.5&E+20", "1&E-5").
std::string NumToHTFC(double x);

// x to n significant digits as mark-up text; exponent form ("1&.23&E5") below 0.01 and from
// 100000 on, with the mantissa padded to n digits.
std::string FormatNUM_HTFC(double x, double n);

// x to n significant digits as display text with the decimal symbol simbolo ("." or ",":
// "1.23E5", "2,5E-3"); the exponent form drops trailing zeros and never shows a mantissa of 10.
std::string FormatNUM(double x, double n, std::string_view simbolo);

}  // namespace stagora
