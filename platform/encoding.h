// Text in the cores is 8-bit Windows-1252, as it is in every file the programs read and
// write. These helpers convert it to Unicode at the edges (drawing, widgets, file names).
#pragma once

#include <string>
#include <string_view>

class QString;

namespace plat {

// Windows-1252 byte -> Unicode code point. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, so every byte
// survives a round trip through Unicode.
char32_t Cp1252ToUnicode(unsigned char byte);

// Unicode code point -> Windows-1252 byte; '?' for a character the code page lacks.
unsigned char UnicodeToCp1252(char32_t cp);

// True when every character of the text is one of the code page's, so that the text goes
// into a file and comes back unchanged.
bool FitsCp1252(std::u16string_view text);

std::u16string Cp1252ToUtf16(std::string_view text);
std::string Utf16ToCp1252(std::u16string_view text);
std::string Cp1252ToUtf8(std::string_view text);
std::string Utf8ToCp1252(std::string_view utf8);
// Windows-1252 text as the widget toolkit's string, for captions, messages and settings.
QString Cp1252ToQString(std::string_view text);

// The two symbol fonts of the mark-up are not installed here: their byte codes are mapped to
// the Unicode characters they show and drawn with an ordinary font that has them.
char32_t SymbolFontToUnicode(unsigned char byte);
char32_t MtExtraFontToUnicode(unsigned char byte);

enum class FontEncoding { Cp1252, Symbol, MtExtra };
FontEncoding EncodingOfFont(std::string_view fontName);
std::u16string DecodeForFont(std::string_view bytes, FontEncoding enc);

}  // namespace plat
