#include "viewer/engine/stacked_texts.h"

#include <algorithm>
#include <string_view>

#include "viewer/engine/construct_parts.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {
namespace {

constexpr double kGapFraction = 0.0354;  // between the stacked lines, of H
constexpr double kFirstLevelFactor = 8.0 / 12;
constexpr double kSecondLevelFactor = 6.0 / 8;
constexpr std::size_t kTagLength = 5;  // "#TST(" "#TS)(" "#ST1(" "#ST1)"
constexpr std::size_t kMostTexts = 3;
constexpr std::string_view kClosingTag = "#TST)";

// Raises the index level for a stacked text and shrinks the font for the first two levels;
// deeper stacks keep the size around them.
void OpenStackedText(plat::Surface& target, long& level, double entrySize) {
  ++level;
  if (level == 1) SetFontSizeChecked(target, entrySize * kFirstLevelFactor);
  if (level == 2) SetFontSizeChecked(target, entrySize * kSecondLevelFactor);
}

}  // namespace

StackedTextViews CutStackedTextViews(std::string_view block, const BlockFinder& blocks) {
  StackedTextViews parts{ErrorText(), {}};
  // What follows the base is read from its front: each block found (wherever it lies) or
  // its error block takes its length off the front.
  const BlockExtent base = blocks.Find(block, 0, "#TST(", "#TS)(");
  std::size_t baseSize = 0;
  if (base.at != std::string_view::npos) {
    parts.base = InnerText(block.substr(base.at, base.length), kTagLength, kTagLength);
    baseSize = base.length;
  } else {
    baseSize = ErrorBlock("#TST(", "#TS)(").size();
  }
  std::string_view rest = block.substr(std::min(baseSize, block.size()));
  for (std::size_t k = 1; k <= kMostTexts; ++k) {
    if (k > 1 && rest == kClosingTag) break;
    const std::string n = std::to_string(k);
    const std::string open = "#ST" + n + "(", close = "#ST" + n + ")";
    const BlockExtent text = blocks.Find(rest, 0, open, close);
    if (text.at == std::string_view::npos) {
      parts.texts.push_back(ErrorText());
      rest.remove_prefix(std::min(ErrorBlock(open, close).size(), rest.size()));
    } else {
      parts.texts.push_back(InnerText(rest.substr(text.at, text.length), kTagLength, kTagLength));
      rest.remove_prefix(std::min(text.length, rest.size()));
    }
  }
  return parts;
}

StackedTexts CutStackedTexts(std::string_view block) {
  const StackedTextViews views = CutStackedTextViews(block);
  StackedTexts parts{std::string(views.base), {}};
  for (std::string_view text : views.texts) parts.texts.emplace_back(text);
  return parts;
}

void DibujarTST(ConstructContext& e) {
  plat::Surface& target = e.t;
  long& level = e.S.NivelIndice;
  const double H = target.textHeight("Hp");
  const double g = std::max(kGapFraction * H, 1.0);
  const StackedTextViews parts = CutStackedTextViews(e.block, e.Blocks());
  const long count = static_cast<long>(parts.texts.size());

  // Every stacked text starts from the font around the construct, whatever the base or an
  // earlier text switched, so that all of them have one size.
  const auto openText = [&] {
    RestoreFont(target, e.font);
    OpenStackedText(target, level, e.font.size);
  };
  const auto closeText = [&] {
    RestoreFont(target, e.font);
    --level;
  };

  if (!e.draw) {
    const CajaHTFC base = e.RenderPart(0, parts.base);
    double advance = std::max(0.0, base.Avance);
    double below = base.AltoBajo;
    for (long i = 1; i <= count; ++i) {
      openText();
      const CajaHTFC text = e.RenderPart(i, parts.texts[static_cast<std::size_t>(i - 1)]);
      closeText();
      advance = std::max(advance, text.Avance);
      below += g + text.AltoSobre + text.AltoBajo;
    }
    RestoreFont(target, e.font);
    CajaHTFC& b = e.Box();
    b.DesplazamientoX = base.DesplazamientoX;
    b.Avance = advance;
    b.AltoSobre = base.AltoSobre;
    b.AltoEje = base.AltoEje;
    b.AltoBajo = below;
    b.Texto = e.block;
    return;
  }

  const CajaHTFC base = e.PartBox(0);
  e.DrawPart(0, parts.base, e.X0 + base.DesplazamientoX, e.Y0);
  double y = base.AltoBajo + g;
  for (long i = 1; i <= count; ++i) {
    const CajaHTFC text = e.PartBox(i);
    openText();
    e.DrawPart(i, parts.texts[static_cast<std::size_t>(i - 1)], e.X0 + text.DesplazamientoX,
               e.Y0 + y + text.AltoSobre);
    closeText();
    y += text.AltoSobre + text.AltoBajo + g;
  }
  RestoreFont(target, e.font);
}

}  // namespace stagora::engine
