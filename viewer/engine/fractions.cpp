#include "viewer/engine/fractions.h"

#include <algorithm>

#include "viewer/engine/construct_parts.h"
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

StackedParts CutFraction(std::string_view block, const BlockFinder& blocks) {
  const std::string tag(block.substr(0, kTagLength - 1));
  const std::string separator = tag == "#DDL" ? "#L)" : "#N)";
  StackedParts parts{ErrorText(), ErrorText()};
  const BlockExtent upper = blocks.Find(block, 0, tag + "(", separator);
  // An upper block that could not be cut counts as long as its error block: that leaves
  // nothing sensible to start from, and the lower part is then looked for in what is left.
  std::size_t upperSize = 0;
  if (upper.at != std::string_view::npos) {
    parts.upper = InnerText(block.substr(upper.at, upper.length), kTagLength, kSeparatorLength);
    upperSize = upper.length;
  } else {
    upperSize = ErrorBlock(tag + "(", separator).size();
  }
  // The lower part is cut from the separator that closes the upper block on.
  const std::size_t from = std::min(upperSize >= kSeparatorLength ? upperSize - kSeparatorLength : 0, block.size());
  const BlockExtent lower = blocks.Find(block, from, separator + "(", tag + ")");
  if (lower.at != std::string_view::npos) {
    parts.lower = InnerText(block.substr(lower.at, lower.length), kSeparatorLength + 1, kTagLength);
  }
  return parts;
}

void DibujarCOC(ConstructContext& e) {
  plat::Surface& target = e.t;
  const std::string_view block = e.block;
  long& level = e.S.NivelFraccion;
  ++level;
  const double H = target.textHeight("Hp");
  const double barFraction = level == 1 ? kOuterBarFraction : kNestedBarFraction;
  const double t = std::max(barFraction * H, kLeastStrokeTwips);
  const double g = std::max(kGapFraction * H, kLeastStrokeTwips);
  const double m = std::max(kMarginFraction * H, kLeastStrokeTwips);
  const bool bar = block.compare(0, kTagLength, "#DDL(") != 0;
  const StackedParts parts = CutFraction(block, e.Blocks());

  CajaHTFC N, D;
  if (!e.draw) {
    N = e.RenderPart(1, parts.upper);
    D = e.RenderPart(2, parts.lower);
  } else {
    N = e.PartBox(1);
    D = e.PartBox(2);
  }
  const double wN = N.DesplazamientoX + N.Avance;
  const double wD = D.DesplazamientoX + D.Avance;
  const double dN = wD > wN ? (wD - wN) / 2 : 0;
  const double dD = wN > wD ? (wN - wD) / 2 : 0;
  const double W = 2 * m + std::max(wN, wD);

  if (!e.draw) {
    RestoreFont(target, e.font);
    --level;
    CajaHTFC& b = e.Box();
    b.DesplazamientoX = 0;
    b.Avance = W;
    b.AltoSobre = N.AltoSobre;
    b.AltoEje = g + N.AltoBajo + t / 2;  // the middle of the bar
    b.AltoBajo = g + N.AltoBajo + t + g + D.AltoSobre + D.AltoBajo;
    b.Texto = block;
    return;
  }

  e.DrawPart(1, parts.upper, e.X0 + dN + m + N.DesplazamientoX, e.Y0);
  e.DrawPart(2, parts.lower, e.X0 + dD + m + D.DesplazamientoX, e.Y0 + N.AltoBajo + g + t + g + D.AltoSobre);
  target.setDrawWidth(e.V.PenPixels(target, t));
  if (bar) {
    // The bar spans both margins; its round pen ends stay inside the box.
    const double y = e.Y0 + N.AltoBajo + g + t / 2;
    target.line(e.X0 + t / 2, y, e.X0 + W - t / 2, y);
  }
  target.setDrawWidth(1);
  RestoreFont(target, e.font);
  --level;
}

}  // namespace stagora::engine
