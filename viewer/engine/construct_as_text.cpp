#include <algorithm>
#include <string_view>

#include "viewer/engine/construct_drawers.h"
#include "viewer/engine/engine_state.h"
#include "viewer/engine/line_renderer.h"

namespace stagora::engine {
namespace {
constexpr std::size_t kTagLength = 5;
}

void DrawConstructAsText(const std::string& block, plat::Surface& t) {
  const long b = ContadorCajas;
  CajaHTFC& box = TablaCajas(b);
  const SavedFont saved = SaveFont(t);
  const std::string_view v(block);
  const std::size_t openLength = std::min(kTagLength, v.size());
  const std::size_t closeLength = v.size() >= 2 * kTagLength ? kTagLength : 0;
  const std::string_view open = v.substr(0, openLength);
  const std::string_view close = v.substr(v.size() - closeLength);
  const std::string content(v.substr(openLength, v.size() - openLength - closeLength));
  std::string scratch;

  if (ModoDibujo == kModoDibujar) {
    const double x = t.currentX(), y = t.currentY();
    box.InicioX = x;
    box.InicioY = y;
    t.print(open);
    ++ContadorCajas;
    const CajaHTFC part = TablaCajas(SubcajasHTFC(b, 1));
    t.setCurrentX(t.currentX() + part.DesplazamientoX);
    ProcesarLinea(content, t, scratch);
    RestoreFont(t, saved);
    t.setCurrentX(x + box.Avance - t.textWidth(close));
    t.setCurrentY(y);
    t.print(close);
  } else {
    const double openWidth = t.textWidth(open);
    ++ContadorCajas;
    SetSubcajasHTFC(b, 1, ContadorCajas);
    ProcesarLinea(content, t, scratch);
    const CajaHTFC part = TablaCajas(SubcajasHTFC(b, 1));
    RestoreFont(t, saved);
    box.DesplazamientoX = 0;
    box.Avance = openWidth + part.DesplazamientoX + part.Avance + t.textWidth(close);
    box.AltoSobre = part.AltoSobre;
    box.AltoEje = part.AltoEje;
    box.AltoBajo = part.AltoBajo;
    box.Texto = block;
  }
  RestoreFont(t, saved);
}

}  // namespace stagora::engine
