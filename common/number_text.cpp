#include "common/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace stagora {

namespace {

constexpr int kPlainTextDigits = 15;
// Plain text keeps the positional form for decimal exponents in this range.
constexpr int kPlainLowestExponent = -4;
constexpr int kPlainHighestExponent = 14;
// Magnitudes in [kPlainFormLow, kPlainFormHigh) are formatted without an exponent.
constexpr double kPlainFormLow = 0.01;
constexpr double kPlainFormHigh = 100000;
// How many times the display form strips a trailing zero of the mantissa.
constexpr int kTrailingZeroPasses = 11;

bool IsSkippedInNumber(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  for (std::size_t hit; (hit = s.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
    out.append(s, pos, hit - pos);
    out.append(to);
  }
  out.append(s, pos, std::string::npos);
  s = std::move(out);
}

void RemoveAll(std::string& s, char c) { std::erase(s, c); }

std::string TrimBlanks(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Floor of the base-10 logarithm taken as a quotient of natural logarithms, so that exact
// powers of ten such as 1000 may come out one low; the formatters are built to absorb that.
double DecimalExponent(double a) { return std::floor(std::log(a) / std::log(10.0)); }

}  // namespace

double ValNUM(std::string_view text) { return ValNUM(text, nullptr); }

double ValNUM(std::string_view text, bool* outOfRange) {
  if (outOfRange) *outOfRange = false;
  // Gather the leading number into a clean buffer: the separators the user may have put
  // inside it are dropped and a comma counts as the point.
  std::string clean;
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto skip = [&] {
    while (i < n && IsSkippedInNumber(text[i])) ++i;
  };
  auto at = [&](std::size_t k) { return k < n ? (text[k] == ',' ? '.' : text[k]) : '\0'; };

  skip();
  if (at(i) == '-' || at(i) == '+') {
    if (at(i) == '-') clean += '-';
    ++i;
  }
  bool digits = false;
  bool point = false;
  for (;; ++i) {
    skip();
    const char c = at(i);
    if (IsDigit(c)) {
      clean += c;
      digits = true;
    } else if (c == '.' && !point) {
      clean += c;
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return 0;

  const char letter = at(i);
  if (letter == 'E' || letter == 'e' || letter == 'D' || letter == 'd') {
    std::size_t k = i + 1;
    auto skipAt = [&] {
      while (k < n && IsSkippedInNumber(text[k])) ++k;
    };
    skipAt();
    std::string exponent = "e";
    if (at(k) == '-' || at(k) == '+') {
      if (at(k) == '-') exponent += '-';
      ++k;
    }
    bool expDigits = false;
    for (;; ++k) {
      skipAt();
      if (!IsDigit(at(k))) break;
      exponent += at(k);
      expDigits = true;
    }
    if (expDigits) clean += exponent;
  }

  double value = 0;
  const auto [end, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
  (void)end;
  if (ec != std::errc() || !std::isfinite(value)) {
    if (outOfRange) *outOfRange = ec == std::errc::result_out_of_range || !std::isfinite(value);
    return 0;
  }
  return value;
}

double RoundPOW10(double x, double k) {
  const double p = std::pow(10.0, -1.0 - k);
  if (!std::isfinite(p) || p == 0) return 0;
  const double scaled = x * p;
  if (!std::isfinite(scaled)) return 0;
  const double result = std::floor(scaled + 0.5) / p;
  return std::isfinite(result) ? result : 0;
}

std::string NumberText(double x) {
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
  if (x == 0) return "0";

  // "d.dddddddddddddde±X": the 15 significant digits, correctly rounded, and the exponent.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific,
                                 kPlainTextDigits - 1);
  const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t epos = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, epos))
    if (IsDigit(c)) digits += c;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  int exponent = 0;
  const std::string_view expText = sci.substr(epos + 1);
  std::from_chars(expText.data() + (expText.front() == '+' ? 1 : 0),
                  expText.data() + expText.size(), exponent);

  std::string out = x < 0 ? "-" : "";
  if (exponent >= kPlainLowestExponent && exponent <= kPlainHighestExponent) {
    if (exponent < 0) {
      out += '.';
      out.append(static_cast<std::size_t>(-exponent - 1), '0');
      out += digits;
    } else {
      const auto whole = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() <= whole) {
        out += digits;
        out.append(whole - digits.size(), '0');
      } else {
        out += digits.substr(0, whole);
        out += '.';
        out += digits.substr(whole);
      }
    }
    return out;
  }
  out += digits[0];
  if (digits.size() > 1) {
    out += '.';
    out += digits.substr(1);
  }
  out += 'E';
  out += exponent < 0 ? '-' : '+';
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) out += '0';
  out += std::to_string(magnitude);
  return out;
}

std::string NumToHTFC(double x) {
  std::string s = NumberText(std::fabs(x));
  if (!s.empty() && s.front() == '.') s = "0" + s;
  if (const auto epos = s.find('E'); epos != std::string::npos) {
    std::string t = s.substr(epos + 1);
    s = s.substr(0, epos) + "&E";
    if (!t.empty() && t.front() == '-') {
      s += '-';
      t.erase(0, 1);
    }
    if (!t.empty() && t.front() == '0') t.erase(0, 1);
    s += t;
  }
  if (x < 0) s = "-" + s;
  ReplaceAll(s, ".", "&.");
  return s;
}

namespace {

// The steps both formatters share: the mark-up text of x to n significant digits, and whether
// it took the exponent form.
std::string SharedFormat(double x, double n, bool* exponentForm) {
  *exponentForm = false;
  const double sg = x > 0 ? 1 : (x < 0 ? -1 : 0);
  const double a = std::fabs(x);
  if (a == 0) return "0";
  const double e = DecimalExponent(a);

  if (a >= kPlainFormLow && a < kPlainFormHigh)
    return TrimBlanks(NumToHTFC(RoundPOW10(a, e - n) * sg));

  *exponentForm = true;
  // A power of ten beyond the double range (subnormal magnitudes) leaves the mantissa at 0
  // rather than dividing by zero.
  const double scale = std::pow(10.0, e);
  const double m = (scale != 0 && std::isfinite(scale)) ? RoundPOW10(a, e - n) / scale : 0;
  std::string s = TrimBlanks(NumToHTFC(m));
  if (s.find("&.") == std::string::npos && n >= 2) s += "&.";
  const double wanted = n + 1;
  while (static_cast<double>(s.size()) < wanted) s += '0';
  s += "&E" + NumberText(e);
  if (sg < 0) s = "-" + s;
  return s;
}

}  // namespace

std::string FormatNUM_HTFC(double x, double n) {
  if (!std::isfinite(x)) return NumberText(x);
  bool exponentForm = false;
  return SharedFormat(x, n, &exponentForm);
}

std::string FormatNUM(double x, double n, std::string_view simbolo) {
  if (!std::isfinite(x)) return NumberText(x);
  bool exponentForm = false;
  std::string s = SharedFormat(x, n, &exponentForm);
  RemoveAll(s, '&');
  if (exponentForm) {
    for (int pass = 0; pass < kTrailingZeroPasses; ++pass) ReplaceAll(s, "0E", "E");
    ReplaceAll(s, ".E", "E");
    // A mantissa that rounded up to 10 becomes 1 with the next exponent.
    const std::size_t start = (!s.empty() && s.front() == '-') ? 1 : 0;
    if (s.compare(start, 3, "10E") == 0) {
      int exponent = 0;
      const char* first = s.data() + start + 3;
      const auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), exponent);
      if (ec == std::errc() && ptr == s.data() + s.size())
        s = s.substr(0, start) + "1E" + std::to_string(exponent + 1);
    }
  }
  ReplaceAll(s, ".", simbolo);
  return s;
}

}  // namespace stagora
