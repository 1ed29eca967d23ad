#include "viewer/engine/construct_parts.h"

#include "viewer/engine/line_renderer.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {

namespace {
constexpr std::size_t kTagLength = 5;
}

ConstructEntry::ConstructEntry(plat::Surface& target)
    : t(target), box(ContadorCajas), draw(ModoDibujo == kModoDibujar), font(SaveFont(target)) {
  if (draw) {
    CajaHTFC& b = TablaCajas(box);
    b.InicioX = X0 = target.currentX();
    b.InicioY = Y0 = target.currentY();
  }
}

CajaHTFC RenderPart(long box, long part, const std::string& text, plat::Surface& target, std::string& fitting) {
  ++ContadorCajas;
  const long number = ContadorCajas;
  if (ModoDibujo == kModoMedir) SetSubcajasHTFC(box, part, number);
  ProcesarLinea(text, target, fitting);
  return TablaCajas(number);
}

CajaHTFC RenderPart(long box, long part, const std::string& text, plat::Surface& target) {
  std::string unused;
  return RenderPart(box, part, text, target, unused);
}

CajaHTFC PartBox(long box, long part) {
  const long number = SubcajasHTFC(box, part);
  return number > 0 ? TablaCajas(number) : CajaHTFC{};
}

std::string InnerText(const std::string& block, std::size_t head, std::size_t tail) {
  if (block.size() <= head + tail) return std::string();
  return block.substr(head, block.size() - head - tail);
}

bool IsErrorBlock(const std::string& block) {
  if (block.size() < 2 * kTagLength) return false;
  const std::string open = block.substr(0, kTagLength);
  return block == ErrorBlock(open, open.substr(0, kTagLength - 1) + ")");
}

}  // namespace stagora::engine
