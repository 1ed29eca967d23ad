#include "viewer/engine/arrow_texts.h"

#include <algorithm>
#include <string_view>

#include "viewer/engine/construct_parts.h"
#include "viewer/engine/markup_parsing.h"
#include "viewer/engine/separated_parts.h"

namespace stagora::engine {
namespace {

constexpr double kShaftFraction = 0.02;   // thickness of the arrow, of the text height
constexpr double kGapFraction = 0.0354;   // between each text and the shaft
constexpr double kMarginFraction = 0.09;  // the unit of the arrow's length, head and place
constexpr double kOffsetMargins = 7;      // the construct's left offset, in margins
constexpr double kShaftOverhang = 6;      // the shaft runs this many margins past the texts' room
constexpr double kHeadLength = 4;         // the head's strokes, in margins, back
constexpr double kHeadSpread = 3;         // and up or down
constexpr double kUpperRaise = 2;         // the upper text is raised by this many margins
constexpr std::size_t kTagLength = 5;        // "#ATX(" "#ATX)"
constexpr std::size_t kSeparatorLength = 3;  // "#T)"

}  // namespace

ArrowTexts CutArrowTexts(std::string_view block) {
  ArrowTexts parts{ErrorText(), ErrorText()};
  const BlockExtent upper = FindUpperPart(block);
  // An upper block that could not be cut counts as long as its error block.
  std::size_t upperSize = 0;
  if (upper.at != std::string_view::npos) {
    parts.upper = InnerText(block.substr(upper.at, upper.length), kTagLength, kSeparatorLength);
    upperSize = upper.length;
  } else {
    upperSize = ErrorBlock("#ATX(", "#T)").size();
  }
  // The lower text is cut from the separator that ends the upper block on.
  const std::size_t from = std::min(upperSize >= kSeparatorLength ? upperSize - kSeparatorLength : 0, block.size());
  const BlockExtent lower = FindLowerPart(block, from);
  if (lower.at != std::string_view::npos) {
    parts.lower = InnerText(block.substr(lower.at, lower.length), kSeparatorLength + 1, kTagLength);
  }
  return parts;
}

void DibujarATX(ConstructContext& e) {
  plat::Surface& target = e.t;
  long& level = e.S.NivelFraccion;
  ++level;
  const double TH = target.textHeight("Hp");
  const double w = std::max(kShaftFraction * TH, kLeastStrokeTwips);
  const double g = std::max(kGapFraction * TH, kLeastStrokeTwips);
  const double m = std::max(kMarginFraction * TH, kLeastStrokeTwips);
  const ArrowTexts parts = CutArrowTexts(e.block);

  CajaHTFC T1, T2;
  if (!e.draw) {
    T1 = e.RenderPart(1, parts.upper);
    RestoreFont(target, e.font);
    T2 = e.RenderPart(2, parts.lower);
  } else {
    T1 = e.PartBox(1);
    T2 = e.PartBox(2);
  }
  const double F1 = T1.DesplazamientoX + T1.Avance;
  const double F2 = T2.DesplazamientoX + T2.Avance;
  const double L = std::max(F1, F2) + 2 * m;
  const double shaftTop = T1.AltoBajo + g;  // below the construct's reference line

  if (!e.draw) {
    RestoreFont(target, e.font);
    --level;
    CajaHTFC& b = e.Box();
    b.DesplazamientoX = kOffsetMargins * m;
    b.Avance = L + kOffsetMargins * m;
    b.AltoSobre = T1.AltoSobre;
    b.AltoEje = shaftTop + w / 2;  // the shaft's middle, on the line's axis
    b.AltoBajo = shaftTop + w + g + T2.AltoSobre + T2.AltoBajo;
    b.Texto = e.block;
    return;
  }

  // The narrower text moves right by half the difference: both are centred on the arrow.
  const double d = (F2 - F1) / 2;
  const double s1 = d > 0 ? d : 0;
  const double s2 = d > 0 ? 0 : -d;
  const double x0 = e.X0, y0 = e.Y0;
  e.DrawPart(1, parts.upper, x0 + s1 + m + T1.DesplazamientoX, y0 - kUpperRaise * m);
  RestoreFont(target, e.font);
  e.DrawPart(2, parts.lower, x0 + s2 + m + T2.DesplazamientoX, y0 + shaftTop + w + g + T2.AltoSobre);
  target.setDrawWidth(e.V.PenPixels(target, w));
  const double ys = y0 + shaftTop + w / 2;
  const double xs = x0 + w / 2 - kShaftOverhang * m;
  const double xe = x0 + L + kShaftOverhang * m - w / 2;
  target.line(xs, ys, xe, ys);
  target.line(xe, ys, xe - kHeadLength * m, ys - kHeadSpread * m);
  target.line(xe, ys, xe - kHeadLength * m, ys + kHeadSpread * m);
  target.setDrawWidth(1);
  RestoreFont(target, e.font);
  --level;
}

}  // namespace stagora::engine
