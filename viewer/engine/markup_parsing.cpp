#include "viewer/engine/markup_parsing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "viewer/engine/block_cutter.h"

namespace stagora::engine {
namespace {

constexpr double kLargestNumber = 1e300;
constexpr int kMaxComponent = 255;
constexpr plat::Color kWhite = 0xFFFFFF;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

std::string_view After(std::string_view t, std::size_t pos) {
  return pos == std::string_view::npos || pos + 1 > t.size() ? std::string_view{} : t.substr(pos + 1);
}

int Component(double v) {
  const long n = RoundToLong(v);
  return static_cast<int>(std::clamp<long>(n, 0, kMaxComponent));
}

struct NamedColour {
  const char* name;
  int r, g, b;
};

constexpr std::array<NamedColour, 27> kColourNames = {{
    {"BLACK", 0, 0, 0},       {"NEGRO", 0, 0, 0},        {"BLUE", 0, 0, 255},      {"AZUL", 0, 0, 255},
    {"CYAN", 0, 255, 255},    {"CIAN", 0, 255, 255},     {"GREEN", 0, 255, 0},     {"VERDE", 0, 255, 0},
    {"MAGENTA", 255, 0, 255}, {"PINK", 255, 128, 255},   {"ROSA", 255, 128, 255},  {"FUCSIA", 255, 128, 255},
    {"VIOLETA", 128, 0, 255}, {"RED", 255, 0, 0},        {"ROJO", 255, 0, 0},      {"WHITE", 255, 255, 255},
    {"BLANCO", 255, 255, 255}, {"YELLOW", 255, 255, 0}, {"AMARILLO", 255, 255, 0}, {"BROWN", 128, 64, 0},
    {"MARRON", 128, 64, 0},   {"CANELO", 128, 64, 0},    {"GREY", 192, 192, 192},  {"GRIS", 192, 192, 192},
    {"ORANGE", 255, 128, 0},  {"NARANJA", 255, 128, 0},  {"NARANJADO", 255, 128, 0},
}};

}  // namespace

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

double Val(std::string_view text) {
  std::string number;
  bool sawDigit = false, sawPoint = false, sawSign = false;
  for (char c : text) {
    if (IsBlank(c)) continue;
    if ((c == '-' || c == '+') && !sawSign && !sawDigit && !sawPoint) {
      sawSign = true;
      if (c == '-') number.push_back('-');
    } else if (IsDigit(c)) {
      sawDigit = true;
      number.push_back(c);
    } else if (c == '.' && !sawPoint) {
      sawPoint = true;
      number.push_back('.');
    } else {
      break;
    }
  }
  if (!sawDigit) return 0;
  double v = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), v);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    // Too small reads as 0, too large as the largest magnitude kept.
    const bool tiny = number.find_first_of("123456789") > number.find('.');
    v = tiny ? 0.0 : kLargestNumber;
    if (!number.empty() && number.front() == '-') v = -v;
  } else if (ec != std::errc{}) {
    return 0;
  }
  return std::clamp(v, -kLargestNumber, kLargestNumber);
}

long RoundToLong(double value) {
  if (std::isnan(value)) return 0;
  constexpr double lo = static_cast<double>(std::numeric_limits<int>::min());
  constexpr double hi = static_cast<double>(std::numeric_limits<int>::max());
  return static_cast<long>(std::nearbyint(std::clamp(value, lo, hi)));
}

std::string_view ErrorText() { return "&FC=Rojo:*ERROR*&FC=Negro:"; }

std::string ErrorBlock(std::string_view openTag, std::string_view closeTag) {
  std::string out(openTag);
  out += ErrorText();
  out += closeTag;
  return out;
}

std::string ExtraerBloque(std::string_view text, std::string_view openTag, std::string_view closeTag) {
  const BlockExtent b = FindBlock(text, openTag, closeTag);
  if (b.at == std::string_view::npos) return ErrorBlock(openTag, closeTag);
  return std::string(text.substr(b.at, b.length));
}

plat::Color LeerColor(std::string_view value) {
  std::string_view t = TrimBlanks(value);
  const std::size_t semi = t.find(';');
  if (semi != std::string_view::npos) {
    const double red = Val(t);
    t = After(t, semi);
    const double green = Val(t);
    const std::size_t next = t.find(';');
    const double blue = next == std::string_view::npos ? green : Val(After(t, next));
    return plat::Rgb(Component(red), Component(green), Component(blue));
  }
  if (!t.empty() && IsDigit(t.front())) {
    return static_cast<plat::Color>(std::clamp<long>(RoundToLong(Val(t)), 0, kWhite));
  }
  std::string upper(t);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
  for (const NamedColour& c : kColourNames) {
    if (upper == c.name) return plat::Rgb(c.r, c.g, c.b);
  }
  return 0;
}

void LeerFigura(std::string_view value, std::string& name, double& a, double& b) {
  std::string_view t = TrimBlanks(value);
  const std::size_t p = t.find(',');
  name = std::string(t.substr(0, p));
  if (p == std::string_view::npos) {
    a = 0;
    b = 0;
    return;
  }
  t = After(t, p);
  const std::size_t q = t.find(',');
  a = Val(t.substr(0, q));
  b = q == std::string_view::npos ? 0 : Val(After(t, q));
}

}  // namespace stagora::engine
