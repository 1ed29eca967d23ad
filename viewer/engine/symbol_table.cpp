#include "viewer/engine/symbol_table.h"

namespace stagora::engine {
namespace {

constexpr const char* kSymbol = "Symbol";
constexpr const char* kMtExtra = "MT Extra";

struct Row {
  const char* code;
  int charCode;  // in the symbol font's own encoding
  const char* font;
};

// Lookup order matters: the first code that matches wins, so "&vacio" (entry 47, the empty
// set) shadows the later entry 67 with the same code, and "&and" never reaches entry 73
// because the placeholder pass turns it into plain text first.
constexpr Row kRows[kNumSimbolos] = {
      {"&alfa", 97, kSymbol},  //  1 α
      {"&beta", 98, kSymbol},  //  2 β
      {"&gamma", 103, kSymbol},  //  3 γ
      {"&Gamma", 71, kSymbol},  //  4 Γ
      {"&delta", 100, kSymbol},  //  5 δ
      {"&Delta", 68, kSymbol},  //  6 Δ
      {"&epsilon", 101, kSymbol},  //  7 ε
      {"&zeta", 122, kSymbol},  //  8 ζ
      {"&eta", 104, kSymbol},  //  9 η
      {"&teta", 113, kSymbol},  // 10 θ
      {"&Teta", 81, kSymbol},  // 11 Θ
      {"&iota", 105, kSymbol},  // 12 ι
      {"&kappa", 107, kSymbol},  // 13 κ
      {"&lambda", 108, kSymbol},  // 14 λ
      {"&Lambda", 76, kSymbol},  // 15 Λ
      {"&mu", 109, kSymbol},  // 16 μ
      {"&nu", 110, kSymbol},  // 17 ν
      {"&xi", 120, kSymbol},  // 18 ξ
      {"&Xi", 88, kSymbol},  // 19 Ξ
      {"&pi", 112, kSymbol},  // 20 π
      {"&Pi", 80, kSymbol},  // 21 Π
      {"&ro", 114, kSymbol},  // 22 ρ
      {"&sigma", 115, kSymbol},  // 23 σ
      {"&Sigma", 83, kSymbol},  // 24 Σ
      {"&tau", 116, kSymbol},  // 25 τ
      {"&ypsilon", 117, kSymbol},  // 26 υ
      {"&Ypsilon", 161, kSymbol},  // 27 ϒ
      {"&fi", 106, kSymbol},  // 28 ϕ
      {"&Fi", 70, kSymbol},  // 29 Φ
      {"&ji", 99, kSymbol},  // 30 χ
      {"&psi", 121, kSymbol},  // 31 ψ
      {"&Psi", 89, kSymbol},  // 32 Ψ
      {"&omega", 119, kSymbol},  // 33 ω
      {"&Omega", 87, kSymbol},  // 34 Ω
      {"&ald", 220, kSymbol},  // 35 ⇐
      {"&aud", 221, kSymbol},  // 36 ⇑
      {"&ard", 222, kSymbol},  // 37 ⇒
      {"&add", 223, kSymbol},  // 38 ⇓
      {"&alrd", 219, kSymbol},  // 39 ⇔
      {"&als", 172, kSymbol},  // 40 ←
      {"&aus", 173, kSymbol},  // 41 ↑
      {"&ars", 174, kSymbol},  // 42 →
      {"&ads", 175, kSymbol},  // 43 ↓
      {"&alrs", 171, kSymbol},  // 44 ↔
      {"&divi", 184, kSymbol},  // 45 ÷
      {"&!=", 185, kSymbol},  // 46 ≠
      {"&vacio", 198, kSymbol},  // 47 ∅
      {"&iorden", 187, kSymbol},  // 48 ≈
      {"&aprox", 64, kSymbol},  // 49 ≅
      {"&real", 194, kSymbol},  // 50 ℜ
      {"&<=", 163, kSymbol},  // 51 ≤
      {"&>=", 179, kSymbol},  // 52 ≥
      {"&oo", 165, kSymbol},  // 53 ∞
      {"&Vacio", 198, kSymbol},  // 54 ∅
      {"&theta", 113, kSymbol},  // 55 θ
      {"&Theta", 81, kSymbol},  // 56 Θ
      {"&perte", 206, kSymbol},  // 57 ∈
      {"&nabla", 209, kSymbol},  // 58 ∇
      {"&perpen", 94, kSymbol},  // 59 ⊥
      {"&todo", 34, kSymbol},  // 60 ∀
      {"&exist", 36, kSymbol},  // 61 ∃
      {"&parci", 182, kSymbol},  // 62 ∂
      {"&itg", 242, kSymbol},  // 63 ∫
      {"&pm", 177, kSymbol},  // 64 ±
      {"&aspa", 180, kSymbol},  // 65 ×
      {"&noperte", 207, kSymbol},  // 66 ∉
      {"&vacio", 102, kSymbol},  // 67 φ
      {"&TRE", 167, kSymbol},  // 68 ♣
      {"&DIA", 168, kSymbol},  // 69 ♦
      {"&COR", 169, kSymbol},  // 70 ♥
      {"&PIC", 170, kSymbol},  // 71 ♠
      {"&rho", 114, kSymbol},  // 72 ρ
      {"&and", 217, kSymbol},  // 73 ∧
      {"&or", 218, kSymbol},  // 74 ∨
      {"&union", 85, kMtExtra},  // 75 union
      {"&inter", 73, kMtExtra},  // 76 intersection
      {"&mp", 109, kMtExtra},  // 77 minus-or-plus
      {"&hbar", 104, kMtExtra},  // 78 h-bar
      {"&comp", 111, kMtExtra},  // 79 composition ring
};

}  // namespace

const std::array<SimboloHTFC, kNumSimbolos + 1>& TablaSimbolos() {
  static const std::array<SimboloHTFC, kNumSimbolos + 1> table = [] {
    std::array<SimboloHTFC, kNumSimbolos + 1> t;
    for (int k = 0; k < kNumSimbolos; ++k) {
      t[k + 1] = SimboloHTFC{kRows[k].code, std::string(1, static_cast<char>(kRows[k].charCode)), kRows[k].font};
    }
    return t;
  }();
  return table;
}

const SimboloHTFC* FindSymbol(std::string_view text) {
  // The table holds the "Symbol" entries first and the "MT Extra" ones after them.
  const auto& table = TablaSimbolos();
  for (int k = 1; k <= kNumSimbolos; ++k) {
    const SimboloHTFC& s = table[k];
    if (!s.codigo.empty() && text.substr(0, s.codigo.size()) == s.codigo) return &s;
  }
  return nullptr;
}

}  // namespace stagora::engine
