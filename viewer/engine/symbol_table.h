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

// Entries 1 to 79 (entry 0 unused), in lookup order; built once, on first use (InitHTFC
// makes that use), and never changed.
constexpr int kNumSimbolos = 79;
const std::array<SimboloHTFC, kNumSimbolos + 1>& TablaSimbolos();

// Operator shifts as a fraction of the text height, indexed [size class - 1][operator]
// with the operators kOperadorMas, kOperadorMenos and kOperadorIgual.
constexpr int kOperadorMas = 0;
constexpr int kOperadorMenos = 1;
constexpr int kOperadorIgual = 2;
// Rows: size class 1 (text below 120 twips), 2 (below 300), 3; columns "+", minus, "=".
constexpr std::array<std::array<float, 3>, 3> AjustesHTFC = {
    {{0.072f, -0.012f, 0.07f}, {0.07f, 0.0f, 0.07f}, {0.072f, -0.012f, 0.07f}}};

// The entry whose code the text starts with: entries 1 to 74 (font "Symbol") first, then 75
// to 79 ("MT Extra"); the first match wins. Null when none matches.
const SimboloHTFC* FindSymbol(std::string_view text);

}  // namespace stagora::engine
