#include "viewer/engine/aligned_rows.h"

#include <algorithm>

#include "viewer/engine/construct_parts.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {
namespace {

constexpr double kRowGapFraction = 0.0354;  // between two rows, of H
constexpr std::size_t kLetterAt = 5;
constexpr std::size_t kRowTagLength = 5;    // "#RW1(" "#RW1)"

}  // namespace

AlignedRows CutRows(std::string_view block, const BlockFinder& blocks) {
  AlignedRows r;
  if (block.size() > kLetterAt) {
    const char c = block[kLetterAt];
    r.alignment = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
  }
  // What follows the letter is read from its front: each row found (wherever it lies) or its
  // error block takes its length off the front.
  std::string_view rest = block.size() > kLetterAt + 1 ? block.substr(kLetterAt + 1) : std::string_view();
  for (int n = 1; n <= kMaxRows; ++n) {
    if (rest == "#RWS)") break;
    const std::string number = std::to_string(n);
    const std::string open = "#RW" + number + "(", close = "#RW" + number + ")";
    const BlockExtent row = blocks.Find(rest, 0, open, close);
    if (row.at == std::string_view::npos) {
      rest.remove_prefix(std::min(ErrorBlock(open, close).size(), rest.size()));
      r.rows.push_back(ErrorText());
    } else {
      r.rows.push_back(InnerText(rest.substr(row.at, row.length), kRowTagLength, kRowTagLength));
      rest.remove_prefix(std::min(row.length, rest.size()));
    }
  }
  return r;
}

void DibujarRWS(ConstructContext& e) {
  plat::Surface& target = e.t;
  const std::string_view block = e.block;
  const double G = std::max(target.textHeight("Hp") * kRowGapFraction, 1.0);
  const AlignedRows rows = CutRows(block, e.Blocks());
  const long count = static_cast<long>(rows.rows.size());

  if (!e.draw) {
    std::vector<CajaHTFC> boxes;
    for (long i = 1; i <= count; ++i) boxes.push_back(e.RenderPart(i, rows.rows[static_cast<std::size_t>(i - 1)]));
    RestoreFont(target, e.font);
    CajaHTFC& b = e.Box();
    b = CajaHTFC{};
    b.Texto = block;
    if (count == 0) return;
    const CajaHTFC& first = boxes.front();
    b.DesplazamientoX = first.DesplazamientoX;
    b.AltoSobre = first.AltoSobre;
    for (const CajaHTFC& row : boxes) b.Avance = std::max(b.Avance, row.Avance);
    if (count >= 2) {
      double below = (count - 1) * G - first.AltoSobre;
      for (const CajaHTFC& row : boxes) below += row.AltoSobre + row.AltoBajo;
      b.AltoBajo = below;
      b.AltoEje = (below - first.AltoSobre) / 2;  // the middle of the stack
    } else {
      b.AltoBajo = first.AltoBajo;
      b.AltoEje = first.AltoEje;
    }
    return;
  }

  std::vector<CajaHTFC> boxes;
  double widest = 0;
  for (long i = 1; i <= count; ++i) {
    boxes.push_back(e.PartBox(i));
    widest = std::max(widest, boxes.back().DesplazamientoX + boxes.back().Avance);
  }
  double y = count > 0 ? -boxes.front().AltoSobre : 0;
  for (long i = 0; i < count; ++i) {
    const CajaHTFC& row = boxes[static_cast<std::size_t>(i)];
    double x = e.X0 + row.DesplazamientoX;  // left, and any letter that names no alignment
    if (rows.alignment == 'C') x = e.X0 + row.DesplazamientoX + (widest - row.DesplazamientoX - row.Avance) / 2;
    if (rows.alignment == 'R') x = e.X0 + widest - row.Avance;
    e.DrawPart(i + 1, rows.rows[static_cast<std::size_t>(i)], x, e.Y0 + y + row.AltoSobre);
    y += row.AltoSobre + row.AltoBajo + G;
  }
  RestoreFont(target, e.font);
}

}  // namespace stagora::engine
