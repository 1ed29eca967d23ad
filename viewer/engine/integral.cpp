#include "viewer/engine/integral.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {
namespace {

constexpr double kRoomFraction = 0.6;   // room for the sign left of the content, of H
constexpr double kRaiseFraction = 0.4;  // the sign starts this far above the content's top, of H
// The sign is not measured: the box reaches this many raises above and below the content,
// which covers a sign of twice the size.
constexpr double kReachRaises = 1.2;
constexpr double kSignSizeFactor = 2;
constexpr const char* kSymbolFont = "Symbol";
constexpr const char* kIntegralSign = "\xF2";  // the integral in the symbol font
constexpr std::size_t kTagLength = 5;           // "#INT(" "#INT)"

}  // namespace

void DibujarINT(ConstructContext& e) {
  plat::Surface& target = e.t;
  if (e.block.size() < 2 * kTagLength) {
    DrawConstructAsText(e);
    return;
  }
  const plat::Color colour = target.foreColor();
  const double H = target.textHeight("Hp");
  const double a = std::max(kRoomFraction * H, 1.0);
  const double c = std::max(kRaiseFraction * H, 1.0);
  const std::string_view content = InnerText(e.block, kTagLength, kTagLength);

  if (!e.draw) {
    const CajaHTFC C = e.RenderPart(1, content);
    RestoreFont(target, e.font);
    target.setForeColor(colour);
    CajaHTFC& b = e.Box();
    b.DesplazamientoX = a + C.DesplazamientoX;
    b.Avance = C.Avance;
    b.AltoSobre = kReachRaises * c + C.AltoSobre;
    b.AltoEje = C.AltoEje;
    b.AltoBajo = kReachRaises * c + C.AltoBajo;
    b.Texto = e.block;
    return;
  }

  // The sign is black whatever the text colour.
  target.setCurrentX(e.X0 - a);
  target.setCurrentY(e.Y0 - c);
  target.setFontName(kSymbolFont);
  SetFontSizeChecked(target, kSignSizeFactor * e.font.size);
  target.setFontItalic(false);
  target.setForeColor(0);
  target.print(kIntegralSign);
  RestoreFont(target, e.font);
  target.setForeColor(colour);

  e.DrawPart(1, content, e.X0, e.Y0);
  target.setDrawWidth(1);
  RestoreFont(target, e.font);
  target.setForeColor(colour);
}

}  // namespace stagora::engine
