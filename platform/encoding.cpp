#include "platform/encoding.h"

#include <algorithm>
#include <array>
#include <cctype>

#include <QString>

namespace plat {
namespace {

// 0x80..0x9F of Windows-1252; undefined slots keep their C1 value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The published encoding of the Symbol font, 0x20..0xFF (0 = no glyph).
constexpr std::array<char16_t, 224> kSymbol = {
    // 0x20
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B,
    0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,
    // 0x30
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    // 0x40
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    // 0x50
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,
    0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,
    // 0x60
    0xF8E5, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,
    // 0x70
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9,
    0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0x0000,
    // 0x80
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0x90
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xA0
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663,
    0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    // 0xB0
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
    // 0xC0
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    // 0xD0
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    // 0xE0
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
    // 0xF0
    0x0000, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,
    0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0x0000};

std::string AppendUtf8(std::string out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
  return out;
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
  return byte;
}

unsigned char UnicodeToCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == cp) return static_cast<unsigned char>(0x80 + i);
  }
  return '?';
}

bool FitsCp1252(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t cp = text[i];
    if (cp >= 0xD800 && cp < 0xE000) return false;  // only characters beyond the 16-bit range use these
    if (UnicodeToCp1252(cp) == '?' && cp != U'?') return false;
  }
  return true;
}

std::u16string Cp1252ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char c : text) out.push_back(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c))));
  return out;
}

QString Cp1252ToQString(std::string_view text) { return QString::fromStdU16String(Cp1252ToUtf16(text)); }

std::string Utf16ToCp1252(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size()) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    out.push_back(static_cast<char>(UnicodeToCp1252(cp)));
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) out = AppendUtf8(std::move(out), Cp1252ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1252(std::string_view s) {
  std::string out;
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    char32_t cp = b;
    std::size_t len = 1;
    if (b >= 0xF0) {
      len = 4;
      cp = b & 0x07;
    } else if (b >= 0xE0) {
      len = 3;
      cp = b & 0x0F;
    } else if (b >= 0xC0) {
      len = 2;
      cp = b & 0x1F;
    }
    if (len > 1) {
      if (i + len > s.size()) {
        out.push_back('?');
        break;
      }
      for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    out.push_back(static_cast<char>(UnicodeToCp1252(cp)));
    i += len;
  }
  return out;
}

char32_t SymbolFontToUnicode(unsigned char byte) {
  if (byte < 0x20) return byte;
  const char16_t cp = kSymbol[byte - 0x20];
  return cp ? cp : U'\uFFFD';
}

char32_t MtExtraFontToUnicode(unsigned char byte) {
  switch (byte) {
    case 'U': return U'\u222A';  // union
    case 'I': return U'\u2229';  // intersection
    case 'm': return U'\u2213';  // minus-or-plus
    case 'h': return U'\u210F';  // h-bar
    case 'o': return U'\u2218';  // composition ring
    default: return Cp1252ToUnicode(byte);
  }
}

namespace {
// Compares with a lower-case ASCII name without building a copy: text is measured and drawn a
// character at a time, and this runs for every call.
bool IsNamed(std::string_view name, std::string_view lowerName) {
  if (name.size() != lowerName.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c) != lowerName[i]) return false;
  }
  return true;
}
}  // namespace

FontEncoding EncodingOfFont(std::string_view fontName) {
  if (IsNamed(fontName, "symbol")) return FontEncoding::Symbol;
  if (IsNamed(fontName, "mt extra")) return FontEncoding::MtExtra;
  return FontEncoding::Cp1252;
}

std::u16string DecodeForFont(std::string_view bytes, FontEncoding enc) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    char32_t cp = enc == FontEncoding::Symbol    ? SymbolFontToUnicode(b)
                  : enc == FontEncoding::MtExtra ? MtExtraFontToUnicode(b)
                                                 : Cp1252ToUnicode(b);
    out.push_back(static_cast<char16_t>(cp));
  }
  return out;
}

}  // namespace plat
