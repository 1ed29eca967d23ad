#include "viewer/engine/fractions.h"

#include <algorithm>

#include "viewer/engine/construct_drawers.h"
#include "viewer/engine/construct_parts.h"
#include "viewer/engine/engine_state.h"
#include "viewer/engine/line_renderer.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {
namespace {

constexpr double kOuterBarFraction = 0.04;   // bar of the outermost fraction, of H
constexpr double kNestedBarFraction = 0.02;  // a fraction inside another is lighter
constexpr double kGapFraction = 0.0354;      // between a part and the bar
constexpr double kMarginFraction = 0.09;     // beside the wider part
constexpr std::size_t kTagLength = 5;        // "#COC(" "#COC)"
constexpr std::size_t kSeparatorLength = 3;  // "#N)" "#L)"

}  // namespace

StackedParts CutFraction(const std::string& block) {
  const std::string tag = block.substr(0, kTagLength - 1);
  const std::string separator = tag == "#DDL" ? "#L)" : "#N)";
  const std::string upperBlock = ExtraerBloque(block, tag + "(", separator);
  // The lower part is cut from the separator that closes the upper block on; an upper block
  // that could not be cut leaves nothing sensible to start from, and the lower part is then
  // looked for in what is left.
  const std::size_t from = std::min(upperBlock.size() >= kSeparatorLength ? upperBlock.size() - kSeparatorLength : 0,
                                    block.size());
  const std::string lowerBlock = ExtraerBloque(std::string_view(block).substr(from), separator + "(", tag + ")");
  return StackedParts{InnerText(upperBlock, kTagLength, kSeparatorLength),
                      InnerText(lowerBlock, kSeparatorLength + 1, kTagLength)};
}

void DibujarCOC(const std::string& block, plat::Surface& target) {
  ConstructEntry e(target);
  ++NivelFraccion;
  const double H = target.textHeight("Hp");
  const double barFraction = NivelFraccion == 1 ? kOuterBarFraction : kNestedBarFraction;
  const double t = std::max(barFraction * H, kLeastStrokeTwips);
  const double g = std::max(kGapFraction * H, kLeastStrokeTwips);
  const double m = std::max(kMarginFraction * H, kLeastStrokeTwips);
  const bool bar = block.compare(0, kTagLength, "#DDL(") != 0;
  const StackedParts parts = CutFraction(block);

  CajaHTFC N, D;
  if (!e.draw) {
    N = RenderPart(e.box, 1, parts.upper, target);
    D = RenderPart(e.box, 2, parts.lower, target);
  } else {
    N = PartBox(e.box, 1);
    D = PartBox(e.box, 2);
  }
  const double wN = N.DesplazamientoX + N.Avance;
  const double wD = D.DesplazamientoX + D.Avance;
  const double dN = wD > wN ? (wD - wN) / 2 : 0;
  const double dD = wN > wD ? (wN - wD) / 2 : 0;
  const double W = 2 * m + std::max(wN, wD);

  if (!e.draw) {
    RestoreFont(target, e.font);
    --NivelFraccion;
    CajaHTFC& b = TablaCajas(e.box);
    b.DesplazamientoX = 0;
    b.Avance = W;
    b.AltoSobre = N.AltoSobre;
    b.AltoEje = g + N.AltoBajo + t / 2;  // the middle of the bar
    b.AltoBajo = g + N.AltoBajo + t + g + D.AltoSobre + D.AltoBajo;
    b.Texto = block;
    return;
  }

  std::string unused;
  ++ContadorCajas;
  target.setCurrentX(e.X0 + dN + m + N.DesplazamientoX);
  target.setCurrentY(e.Y0);
  ProcesarLinea(parts.upper, target, unused);
  ++ContadorCajas;
  target.setCurrentX(e.X0 + dD + m + D.DesplazamientoX);
  target.setCurrentY(e.Y0 + N.AltoBajo + g + t + g + D.AltoSobre);
  ProcesarLinea(parts.lower, target, unused);
  target.setDrawWidth(PenPixels(target, t));
  if (bar) {
    // The bar spans both margins; its round pen ends stay inside the box.
    const double y = e.Y0 + N.AltoBajo + g + t / 2;
    target.line(e.X0 + t / 2, y, e.X0 + W - t / 2, y);
  }
  target.setDrawWidth(1);
  RestoreFont(target, e.font);
  --NivelFraccion;
}

}  // namespace stagora::engine
