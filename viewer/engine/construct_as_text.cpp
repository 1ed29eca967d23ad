#include <algorithm>
#include <string_view>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {
namespace {
constexpr std::size_t kTagLength = 5;
}

void DrawConstructAsText(ConstructContext& k) {
  plat::Surface& t = k.t;
  const std::string_view v(k.block);
  const std::size_t openLength = std::min(kTagLength, v.size());
  const std::size_t closeLength = v.size() >= 2 * kTagLength ? kTagLength : 0;
  const std::string_view open = v.substr(0, openLength);
  const std::string_view close = v.substr(v.size() - closeLength);
  const std::string_view content = v.substr(openLength, v.size() - openLength - closeLength);

  if (k.draw) {
    const double x = k.X0, y = k.Y0;
    t.print(open);
    const CajaHTFC part = k.PartBox(1);
    k.DrawPart(1, content, t.currentX() + part.DesplazamientoX, t.currentY());
    RestoreFont(t, k.font);
    t.setCurrentX(x + k.Box().Avance - t.textWidth(close));
    t.setCurrentY(y);
    t.print(close);
  } else {
    const double openWidth = t.textWidth(open);
    const CajaHTFC part = k.RenderPart(1, content);
    RestoreFont(t, k.font);
    CajaHTFC& box = k.Box();
    box.DesplazamientoX = 0;
    box.Avance = openWidth + part.DesplazamientoX + part.Avance + t.textWidth(close);
    box.AltoSobre = part.AltoSobre;
    box.AltoEje = part.AltoEje;
    box.AltoBajo = part.AltoBajo;
    box.Texto = k.block;
  }
  RestoreFont(t, k.font);
}

}  // namespace stagora::engine
