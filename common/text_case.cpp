#include "common/text_case.h"

namespace stagora {
namespace {

// The four letters whose two cases lie apart in the code page: Š/š, Œ/œ, Ž/ž and Ÿ/ÿ.
struct CasePair {
  unsigned char upper, lower;
};
constexpr CasePair kIrregularPairs[] = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};
constexpr unsigned char kCaseOffset = 0x20;
constexpr unsigned char kMultiplicationSign = 0xD7;  // no lower-case partner
constexpr unsigned char kDivisionSign = 0xF7;        // no upper-case partner

}  // namespace

char UpperCase1252(char c) {
  const auto b = static_cast<unsigned char>(c);
  if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != kDivisionSign))
    return static_cast<char>(b - kCaseOffset);
  for (const CasePair& p : kIrregularPairs)
    if (b == p.lower) return static_cast<char>(p.upper);
  return c;
}

char LowerCase1252(char c) {
  const auto b = static_cast<unsigned char>(c);
  if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != kMultiplicationSign))
    return static_cast<char>(b + kCaseOffset);
  for (const CasePair& p : kIrregularPairs)
    if (b == p.upper) return static_cast<char>(p.lower);
  return c;
}

std::string UpperCase1252(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperCase1252(c);
  return out;
}

std::string LowerCase1252(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerCase1252(c);
  return out;
}

}  // namespace stagora
