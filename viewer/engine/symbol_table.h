// The symbol codes of the mark-up ("&alfa", "&ard", "&union" ...) with the character that
// draws each in its symbol font, and the small vertical shifts with which the renderer sets
// the operators "+", minus and "=" at each text size.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace stagora::engine {

struct SimboloHTFC {
  std::string codigo;    // as written in the mark-up
  std::string caracter;  // one character, a byte code of the symbol font
  std::string fuente;    // "Symbol" or "MT Extra"
};

// Entries 1 to 79 (entry 0 unused), in lookup order.
constexpr int kNumSimbolos = 79;
extern std::array<SimboloHTFC, kNumSimbolos + 1> TablaSimbolos;

// Operator shifts as a fraction of the text height, indexed [size class - 1][operator]
// with the operators kOperadorMas, kOperadorMenos and kOperadorIgual.
constexpr int kOperadorMas = 0;
constexpr int kOperadorMenos = 1;
constexpr int kOperadorIgual = 2;
extern std::array<std::array<float, 3>, 3> AjustesHTFC;

// Fills both tables (part of InitHTFC).
void LoadSymbolTables();

// The entry whose code the text starts with: entries 1 to 74 (font "Symbol") first, then 75
// to 79 ("MT Extra"); the first match wins. Null when none matches.
const SimboloHTFC* FindSymbol(std::string_view text);

}  // namespace stagora::engine
