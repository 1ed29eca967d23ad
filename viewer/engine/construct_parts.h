// What every construct drawer does the same way to keep the measure pass and the draw pass
// in step: note where the construct began, number its parts, render a part through the line
// renderer, and leave the target's font as it found it.
#pragma once

#include <cstddef>
#include <string>

#include "platform/surface.h"
#include "viewer/engine/engine_state.h"

namespace stagora::engine {

// The smallest length of the strokes and gaps the fractions and roots draw, so that even a
// tiny font shows every piece.
constexpr double kLeastStrokeTwips = 15;

// A drawer's view of its own construct, taken on entry: its box number, the pass, the start
// point (draw pass; the box's InicioX/InicioY are written here) and the font to restore.
struct ConstructEntry {
  explicit ConstructEntry(plat::Surface& target);

  plat::Surface& t;
  const long box;
  const bool draw;
  double X0 = 0;
  double Y0 = 0;
  const SavedFont font;
};

// Renders part `part` of the construct `box` through the line renderer at the target's
// current position, in the pass in force: the box counter is raised for the part first (and
// the number recorded in the measure pass). Returns the part's box as the measure pass left
// it.
CajaHTFC RenderPart(long box, long part, const std::string& text, plat::Surface& target, std::string& fitting);
CajaHTFC RenderPart(long box, long part, const std::string& text, plat::Surface& target);

// The box the measure pass recorded for part `part` of the construct `box` (a copy).
CajaHTFC PartBox(long box, long part);

// The block without its first `head` and last `tail` characters; empty when it is shorter.
std::string InnerText(const std::string& block, std::size_t head, std::size_t tail);

// True when the block is what ExtraerBloque returns for a construct it could not balance.
bool IsErrorBlock(const std::string& block);

}  // namespace stagora::engine
