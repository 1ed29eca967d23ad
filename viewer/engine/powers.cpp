#include "viewer/engine/powers.h"

#include <algorithm>

#include "viewer/engine/construct_drawers.h"
#include "viewer/engine/construct_parts.h"
#include "viewer/engine/engine_state.h"
#include "viewer/engine/line_renderer.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {
namespace {

constexpr double kFirstLevelFactor = 8.0 / 12;
constexpr double kSecondLevelFactor = 6.0 / 8;
constexpr double kOverlapFraction = 8.0 / 12;  // the exponent's bottom lies this far below the base's top, of H
constexpr std::size_t kTagLength = 5;          // "#POT(" "#POT)" "#PB)("
constexpr std::size_t kBaseEndLength = 4;      // "#PB)"
constexpr const char* kExponentialBase = "&+Ie&-I";

}  // namespace

double ExponentSizeFactor(long level) {
  if (level <= 1) return kFirstLevelFactor;
  if (level == 2) return kSecondLevelFactor;
  return 1.0;
}

PowerParts CutPower(const std::string& block) {
  if (block.compare(0, kTagLength, "#EXP(") == 0) {
    return PowerParts{kExponentialBase, InnerText(block, kTagLength, kTagLength)};
  }
  const std::string baseBlock = ExtraerBloque(block, "#POT(", "#PB)");
  const std::size_t from =
      std::min(baseBlock.size() >= kBaseEndLength ? baseBlock.size() - kBaseEndLength : 0, block.size());
  const std::string exponentBlock = ExtraerBloque(std::string_view(block).substr(from), "#PB)(", "#POT)");
  return PowerParts{InnerText(baseBlock, kTagLength, kBaseEndLength), InnerText(exponentBlock, kTagLength, kTagLength)};
}

void DibujarPOT(const std::string& block, plat::Surface& target) {
  ConstructEntry e(target);
  const double H = target.textHeight("Hp");
  const double overlap = kOverlapFraction * H;
  const PowerParts parts = CutPower(block);

  // Both passes shrink the exponent by the same rule, so the draw pass fits the boxes the
  // measure pass recorded at every depth.
  const auto openExponent = [&target] {
    ++NivelIndice;
    SetFontSizeChecked(target, target.font().size * ExponentSizeFactor(NivelIndice));
  };

  if (!e.draw) {
    const CajaHTFC base = RenderPart(e.box, 1, parts.base, target);
    target.setFontItalic(e.font.italic);
    openExponent();
    const CajaHTFC exponent = RenderPart(e.box, 2, parts.exponent, target);
    --NivelIndice;
    RestoreFont(target, e.font);
    CajaHTFC& b = TablaCajas(e.box);
    b.DesplazamientoX = base.DesplazamientoX;
    b.Avance = exponent.DesplazamientoX + base.Avance + exponent.Avance;
    // An exponent in a much smaller font may end below the base's top: the base still counts.
    b.AltoSobre = std::max(exponent.AltoSobre + exponent.AltoBajo - overlap + base.AltoSobre, base.AltoSobre);
    b.AltoEje = base.AltoEje;
    b.AltoBajo = base.AltoBajo;
    b.Texto = block;
    return;
  }

  const CajaHTFC base = PartBox(e.box, 1);
  const CajaHTFC exponent = PartBox(e.box, 2);
  std::string unused;
  ++ContadorCajas;
  target.setCurrentX(e.X0 + base.DesplazamientoX);
  target.setCurrentY(e.Y0);
  ProcesarLinea(parts.base, target, unused);
  target.setFontItalic(e.font.italic);
  ++ContadorCajas;
  target.setCurrentX(e.X0 + base.Avance + exponent.DesplazamientoX);
  target.setCurrentY(e.Y0 - base.AltoSobre - exponent.AltoBajo + overlap);
  openExponent();
  ProcesarLinea(parts.exponent, target, unused);
  --NivelIndice;
  RestoreFont(target, e.font);
}

}  // namespace stagora::engine
