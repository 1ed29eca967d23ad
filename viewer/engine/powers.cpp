#include "viewer/engine/powers.h"

#include <algorithm>

#include "viewer/engine/construct_parts.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {
namespace {

constexpr double kFirstLevelFactor = 8.0 / 12;
constexpr double kSecondLevelFactor = 6.0 / 8;
constexpr double kOverlapFraction = 8.0 / 12;  // the exponent's bottom lies this far below the base's top, of H
constexpr std::size_t kTagLength = 5;          // "#POT(" "#POT)" "#PB)("
constexpr std::size_t kBaseEndLength = 4;      // "#PB)"
constexpr std::string_view kExponentialBase = "&+Ie&-I";

}  // namespace

double ExponentSizeFactor(long level) {
  if (level <= 1) return kFirstLevelFactor;
  if (level == 2) return kSecondLevelFactor;
  return 1.0;
}

PowerParts CutPower(std::string_view block, const BlockFinder& blocks) {
  if (block.compare(0, kTagLength, "#EXP(") == 0) {
    return PowerParts{kExponentialBase, InnerText(block, kTagLength, kTagLength)};
  }
  PowerParts parts{ErrorText(), ErrorText()};
  const BlockExtent base = blocks.Find(block, 0, "#POT(", "#PB)");
  // A base that could not be cut counts as long as its error block.
  std::size_t baseSize = 0;
  if (base.at != std::string_view::npos) {
    parts.base = InnerText(block.substr(base.at, base.length), kTagLength, kBaseEndLength);
    baseSize = base.length;
  } else {
    baseSize = ErrorBlock("#POT(", "#PB)").size();
  }
  const std::size_t from = std::min(baseSize >= kBaseEndLength ? baseSize - kBaseEndLength : 0, block.size());
  const BlockExtent exponent = blocks.Find(block, from, "#PB)(", "#POT)");
  if (exponent.at != std::string_view::npos) {
    parts.exponent = InnerText(block.substr(exponent.at, exponent.length), kTagLength, kTagLength);
  }
  return parts;
}

void DibujarPOT(ConstructContext& e) {
  plat::Surface& target = e.t;
  const std::string_view block = e.block;
  long& level = e.S.NivelIndice;
  const double H = target.textHeight("Hp");
  const double overlap = kOverlapFraction * H;
  const PowerParts parts = CutPower(block, e.Blocks());

  // Both passes shrink the exponent by the same rule, so the draw pass fits the boxes the
  // measure pass recorded at every depth.
  const auto openExponent = [&target, &level] {
    ++level;
    SetFontSizeChecked(target, target.font().size * ExponentSizeFactor(level));
  };

  if (!e.draw) {
    const CajaHTFC base = e.RenderPart(1, parts.base);
    target.setFontItalic(e.font.italic);
    openExponent();
    const CajaHTFC exponent = e.RenderPart(2, parts.exponent);
    --level;
    RestoreFont(target, e.font);
    CajaHTFC& b = e.Box();
    b.DesplazamientoX = base.DesplazamientoX;
    b.Avance = exponent.DesplazamientoX + base.Avance + exponent.Avance;
    // An exponent in a much smaller font may end below the base's top: the base still counts.
    b.AltoSobre = std::max(exponent.AltoSobre + exponent.AltoBajo - overlap + base.AltoSobre, base.AltoSobre);
    b.AltoEje = base.AltoEje;
    b.AltoBajo = base.AltoBajo;
    b.Texto = block;
    return;
  }

  const CajaHTFC base = e.PartBox(1);
  const CajaHTFC exponent = e.PartBox(2);
  e.DrawPart(1, parts.base, e.X0 + base.DesplazamientoX, e.Y0);
  target.setFontItalic(e.font.italic);
  openExponent();
  e.DrawPart(2, parts.exponent, e.X0 + base.Avance + exponent.DesplazamientoX,
             e.Y0 - base.AltoSobre - exponent.AltoBajo + overlap);
  --level;
  RestoreFont(target, e.font);
}

}  // namespace stagora::engine
