#include "viewer/engine/construct_parts.h"

#include "viewer/engine/line_renderer.h"

namespace stagora::engine {

namespace {
constexpr std::size_t kTagLength = 5;
}

ConstructContext::ConstructContext(std::string_view block_, std::string_view tag_, plat::Surface& target,
                                   EngineState& state, const ViewerValues& viewer)
    : block(block_),
      tag(tag_),
      t(target),
      S(state),
      V(viewer),
      box(state.ContadorCajas),
      draw(state.ModoDibujo == kModoDibujar),
      font(SaveFont(target)) {
  if (draw) {
    CajaHTFC& b = S.TablaCajas(box);
    b.InicioX = X0 = target.currentX();
    b.InicioY = Y0 = target.currentY();
  }
}

long ConstructContext::NumberPart(long part) {
  const long number = ++S.ContadorCajas;
  if (!draw) S.SetSubcajasHTFC(box, part, number);
  return number;
}

CajaHTFC ConstructContext::RenderPart(long part, std::string_view text) {
  const long number = NumberPart(part);
  std::string unused;  // a part never breaks, so it has no fitting part
  ProcesarLinea(text, t, unused, S, V);
  return MeasuresOf(S.TablaCajas(number));
}

void ConstructContext::DrawPart(long part, std::string_view text, double x, double y) {
  NumberPart(part);
  t.setCurrentX(x);
  t.setCurrentY(y);
  std::string unused;
  ProcesarLinea(text, t, unused, S, V);
}

CajaHTFC ConstructContext::PartBox(long part) {
  const long number = S.SubcajasHTFC(box, part);
  return number > 0 ? MeasuresOf(S.TablaCajas(number)) : CajaHTFC{};
}

std::string_view InnerText(std::string_view block, std::size_t head, std::size_t tail) {
  if (block.size() <= head + tail) return std::string_view();
  return block.substr(head, block.size() - head - tail);
}

std::string TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

bool IsErrorBlock(std::string_view block) {
  if (block.size() != 2 * kTagLength + ErrorText().size()) return false;
  const std::string open(block.substr(0, kTagLength));
  return block == ErrorBlock(open, open.substr(0, kTagLength - 1) + ")");
}

}  // namespace stagora::engine
