#include "viewer/engine/stacked_parts.h"

#include <algorithm>
#include <string_view>

#include "viewer/engine/construct_parts.h"
#include "viewer/engine/markup_parsing.h"
#include "viewer/engine/separated_parts.h"

namespace stagora::engine {
namespace {

constexpr double kFirstLevelFactor = 8.0 / 12;
constexpr double kDeeperLevelFactor = 6.0 / 8;
constexpr std::size_t kTagLength = 5;        // "#SPB(" "#SPB)"
constexpr std::size_t kSeparatorLength = 3;  // "#T)"

StackAlignment AlignmentOf(char letter) {
  switch (letter) {
    case 'C':
    case 'c': return StackAlignment::Centre;
    case 'R':
    case 'r': return StackAlignment::Right;
    default: return StackAlignment::Left;
  }
}

}  // namespace

StackedPair CutStackedPair(std::string_view block) {
  const std::string upperError = ErrorBlock("#SPB(", "#T)");
  const BlockExtent upper = FindUpperPart(block);
  const std::string_view upperBlock =
      upper.at != std::string_view::npos ? block.substr(upper.at, upper.length) : std::string_view(upperError);
  const std::size_t from = std::min(upperBlock.size() >= kSeparatorLength ? upperBlock.size() - kSeparatorLength : 0,
                                    block.size());
  const BlockExtent lower = FindLowerPart(block, from);
  StackedPair pair;
  // The error block's inner text is the error text, which lives on, unlike the block.
  pair.upper = upper.at != std::string_view::npos ? InnerText(upperBlock, kTagLength, kSeparatorLength) : ErrorText();
  // The block cut's error text has no alignment letter: it is shown whole, in red, rather
  // than losing its first character to the letter and showing its colour code as text.
  if (!pair.upper.empty() && upperBlock != upperError) {
    pair.alignment = AlignmentOf(pair.upper[0]);
    pair.upper.remove_prefix(1);
  }
  pair.lower = lower.at != std::string_view::npos
                   ? InnerText(block.substr(lower.at, lower.length), kSeparatorLength + 1, kTagLength)
                   : ErrorText();
  return pair;
}

void DibujarSPB(ConstructContext& e) {
  plat::Surface& target = e.t;
  long& fractions = e.S.NivelFraccion;
  long& indices = e.S.NivelIndice;
  ++fractions;  // fractions inside the parts count as nested
  const StackedPair parts = CutStackedPair(e.block);
  ++indices;
  const double size = indices == 1 ? e.font.size * kFirstLevelFactor : e.font.size * kDeeperLevelFactor;
  SetFontSizeChecked(target, size);
  const SavedFont reduced = SaveFont(target);
  const double TH = target.textHeight("Hp");

  CajaHTFC P1, P2;
  if (!e.draw) {
    P1 = e.RenderPart(1, parts.upper);
    RestoreFont(target, reduced);
    P2 = e.RenderPart(2, parts.lower);
  } else {
    P1 = e.PartBox(1);
    P2 = e.PartBox(2);
  }
  const double F1 = P1.DesplazamientoX + P1.Avance;
  const double F2 = P2.DesplazamientoX + P2.Avance;
  const double Fmax = std::max(F1, F2);

  if (!e.draw) {
    --indices;
    --fractions;
    RestoreFont(target, e.font);
    CajaHTFC& b = e.Box();
    b.DesplazamientoX = 0;
    b.Avance = Fmax;
    b.AltoSobre = P1.AltoSobre + P1.AltoBajo - TH;
    b.AltoEje = P1.AltoBajo;  // the top of the lower part
    b.AltoBajo = P1.AltoBajo + P2.AltoSobre + P2.AltoBajo;
    b.Texto = e.block;
    return;
  }

  // The narrower part moves; the wider one stays at the left edge.
  const double x0 = e.X0, y0 = e.Y0;
  const auto placed = [&](const CajaHTFC& part, double width, double other) {
    double x = x0 + part.DesplazamientoX;
    if (other >= width) {
      if (parts.alignment == StackAlignment::Right) x = x0 + Fmax - part.Avance;
      if (parts.alignment == StackAlignment::Centre) x = x0 + part.DesplazamientoX + (other - width) / 2;
    }
    return x;
  };
  e.DrawPart(1, parts.upper, placed(P1, F1, F2), y0 - P1.AltoBajo + TH);
  RestoreFont(target, reduced);
  e.DrawPart(2, parts.lower, placed(P2, F2, F1), y0 + P1.AltoBajo + P2.AltoSobre);
  --indices;
  --fractions;
  RestoreFont(target, e.font);
}

}  // namespace stagora::engine
