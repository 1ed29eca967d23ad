#include "viewer/engine/vertical_bonds.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/engine/construct_parts.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {
namespace {

constexpr std::size_t kTagLength = 5;        // "#UDB(" "#UDB)"
constexpr std::size_t kGroupTagLength = 4;   // "#R1(" "#R1)" "#LP(" "#LP)"
constexpr std::size_t kLettersLength = 3;    // the symbol and the two stroke letters
constexpr double kGroupOffset = 1.5;         // a group's reference line from the symbol's, of H
constexpr double kScreenPenFraction = 0.0323;
constexpr double kPaperPenFraction = 0.04;
constexpr double kStrokeStart = 0.05;        // an upper stroke starts this far below the symbol's top, of H
constexpr double kLowerStrokeStart = 0.95;   // a lower one this far below it
constexpr double kStrokeLength = 0.6;

// Where the strokes of a bond letter stand from the construct's left edge, of H.
std::vector<double> StrokesOf(char letter) {
  switch (letter) {
    case 'S': return {0.3};
    case 'D': return {0.2, 0.4};
    case 'T': return {0.1, 0.3, 0.5};
    default: return {};
  }
}

// Cuts a block's length from the front of `text`: where the block does not stand at the
// front, what is left is shortened all the same, as the mark-up has always been read.
void DropFront(std::string_view& text, std::size_t blockSize) { text.remove_prefix(std::min(blockSize, text.size())); }

// Where the block of `openTag` and `closeTag` lies in `text`, as a view, and its length (that
// of its error block when it does not close); the view is empty then.
std::size_t CutBlock(std::string_view text, std::string_view openTag, std::string_view closeTag,
                     const BlockFinder& blocks, std::string_view& block) {
  const BlockExtent b = blocks.Find(text, 0, openTag, closeTag);
  if (b.at == std::string_view::npos) {
    block = std::string_view();
    return ErrorBlock(openTag, closeTag).size();
  }
  block = text.substr(b.at, b.length);
  return b.length;
}

}  // namespace

BondParts CutBonds(std::string_view block, const BlockFinder& blocks) {
  BondParts r;
  const std::string_view t = InnerText(block, kTagLength, kTagLength);
  r.pieces[kCentralSymbol] = t.substr(0, 1);
  if (t.size() > 1) r.upper = t[1];
  if (t.size() > 2) r.lower = t[2];
  // Without the spaces at either end, as TrimSpaces takes them.
  std::string_view rest = t.size() > kLettersLength ? t.substr(kLettersLength) : std::string_view();
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  for (int i = 1; i <= 2; ++i) {
    const std::string digit(1, static_cast<char>('0' + i));
    const std::string open = "#R" + digit + "(";
    if (rest.find(open) == std::string_view::npos) continue;
    std::string_view groupBlock;
    DropFront(rest, CutBlock(rest, open, "#R" + digit + ")", blocks, groupBlock));
    std::string_view group =
        groupBlock.empty() ? ErrorText() : InnerText(groupBlock, kGroupTagLength, kGroupTagLength);
    if (group.find("#LP(") != std::string_view::npos) {
      std::string_view inner;
      DropFront(group, CutBlock(group, "#LP(", "#LP)", blocks, inner));
      r.pieces[static_cast<std::size_t>(i + 2)] =
          inner.empty() ? ErrorText() : InnerText(inner, kGroupTagLength, kGroupTagLength);
    }
    r.pieces[static_cast<std::size_t>(i)] = group;
  }
  return r;
}

void DibujarUDB(ConstructContext& e) {
  if (IsErrorBlock(e.block)) {
    // Not closed: its symbol and letters would be read from the error text.
    DrawConstructAsText(e);
    return;
  }
  plat::Surface& target = e.t;
  const double H = target.textHeight("Hp");
  const double offset = kGroupOffset * H;
  const BondParts parts = CutBonds(e.block, e.Blocks());
  const auto piece = [&parts](int k) { return parts.pieces[static_cast<std::size_t>(k)]; };

  if (!e.draw) {
    const CajaHTFC symbol = e.RenderPart(kCentralSymbol, piece(kCentralSymbol));
    long up = 0, down = 0;
    for (int k = kUpperGroup; k <= kLowerLeftText; ++k) {
      if (piece(k).empty()) continue;
      const CajaHTFC s = e.RenderPart(k, piece(k));
      const bool above = k == kUpperGroup || k == kUpperLeftText;
      const double reach = offset + (above ? s.AltoSobre : s.AltoBajo);
      long& extent = above ? up : down;
      if (reach > extent) extent = RoundToLong(reach);
    }
    if (symbol.AltoSobre > up) up = RoundToLong(symbol.AltoSobre);
    if (symbol.AltoBajo > down) down = RoundToLong(symbol.AltoBajo);
    RestoreFont(target, e.font);
    CajaHTFC& b = e.Box();
    b.DesplazamientoX = symbol.DesplazamientoX;
    b.Avance = symbol.Avance;
    b.AltoEje = symbol.AltoEje;
    b.AltoSobre = static_cast<double>(up);
    b.AltoBajo = static_cast<double>(down);
    b.Texto = e.block;
    return;
  }

  const double X0 = e.X0, Y0 = e.Y0;
  const CajaHTFC symbol = e.PartBox(kCentralSymbol);
  e.DrawPart(kCentralSymbol, piece(kCentralSymbol), X0 + symbol.DesplazamientoX, Y0);
  for (int k = kUpperGroup; k <= kLowerLeftText; ++k) {
    if (piece(k).empty()) continue;
    const CajaHTFC s = e.PartBox(k);
    const bool above = k == kUpperGroup || k == kUpperLeftText;
    const bool group = k == kUpperGroup || k == kLowerGroup;
    const double x = group ? X0 + s.DesplazamientoX : X0 - s.DesplazamientoX - s.Avance;
    e.DrawPart(k, piece(k), x, above ? Y0 - offset : Y0 + offset);
  }

  const bool paper = e.V.IsPrinterTarget(target);
  const double pen = std::max((paper ? kPaperPenFraction : kScreenPenFraction) * H, kLeastStrokeTwips);
  // The pen stays as set after the strokes: whatever draws next sets its own.
  target.setDrawWidth(e.V.PenPixels(target, pen));
  if (!piece(kUpperGroup).empty()) {
    for (double x : StrokesOf(parts.upper)) {
      target.line(X0 + x * H, Y0 + kStrokeStart * H, X0 + x * H, Y0 + (kStrokeStart - kStrokeLength) * H);
    }
  }
  if (!piece(kLowerGroup).empty()) {
    for (double x : StrokesOf(parts.lower)) {
      target.line(X0 + x * H, Y0 + kLowerStrokeStart * H, X0 + x * H, Y0 + (kLowerStrokeStart + kStrokeLength) * H);
    }
  }
  RestoreFont(target, e.font);
}

}  // namespace stagora::engine
