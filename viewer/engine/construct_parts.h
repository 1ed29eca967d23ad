// What every construct drawer is handed, and what it does the same way to keep the measure
// pass and the draw pass in step.
//
// A drawer is a function `void DibujarXXX(ConstructContext& k)` declared in its family's
// header and named by one line of the dispatch table (construct_dispatch.cpp). It runs twice
// per line: in the measure pass (k.draw false) it renders each of its parts with
// k.RenderPart, works out its own measures from the parts' boxes and writes them into k.Box();
// in the draw pass (k.draw true) it reads the parts' boxes back with k.PartBox, draws each
// part with k.DrawPart at the place the measures give, and draws its own strokes. Both passes
// must render the same parts in the same order, so that they number them alike. The
// dispatcher has already numbered the construct's box, placed the target where the box says,
// and restores the line's font afterwards; the drawer leaves the target's font name, size and
// italic state as it found them (RestoreFont(k.t, k.font)).
//
// A drawer cuts its parts out of k.block with k.Blocks() (a BlockFinder) and keeps them as
// views into k.block (or into constant texts such as ErrorText()), never as copies: then the
// line's tags, matched once, serve its parts at every depth, and a hostile document nested
// thousands deep costs no more than its length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/surface.h"
#include "viewer/engine/block_cutter.h"
#include "viewer/engine/engine_state.h"
#include "viewer/engine/markup_parsing.h"
#include "viewer/engine/viewer_values.h"

namespace stagora::engine {

// The smallest length of the strokes and gaps the fractions and roots draw, so that even a
// tiny font shows every piece.
constexpr double kLeastStrokeTwips = 15;

class ConstructContext {
 public:
  // Taken when the drawer is entered: the construct's box number is state.ContadorCajas, the
  // start point the target's current position (written to the box's InicioX/InicioY in the
  // draw pass), the font to restore the target's current font.
  ConstructContext(std::string_view block, std::string_view tag, plat::Surface& target, EngineState& state,
                   const ViewerValues& viewer);

  // The whole construct, opening to closing tag, as ExtraerBloque cut it: a view into the
  // line, which lives while the drawer runs. Parts cut from it stay views into it (or into
  // constant texts), so that every part of a line at any depth is a part of the line's text.
  const std::string_view block;
  const std::string_view tag;  // its five-character opening tag
  plat::Surface& t;
  EngineState& S;
  const ViewerValues& V;
  const long box;
  const bool draw;  // the draw pass; else the measure pass
  double X0 = 0;    // the start point (draw pass)
  double Y0 = 0;
  const SavedFont font;

  // The construct's own box.
  CajaHTFC& Box() { return S.TablaCajas(box); }
  // Finds blocks in the construct's text (and any part of the line) through the line's
  // matched constructs.
  BlockFinder Blocks() const { return BlockFinder(S.lineBlocks); }

  // Measure pass: renders part `part` at the target's current position and returns its box
  // (its measures: MeasuresOf).
  CajaHTFC RenderPart(long part, std::string_view text);
  // Draw pass: renders part `part` from (x, y), the twin of RenderPart.
  void DrawPart(long part, std::string_view text, double x, double y);
  // The measures the measure pass recorded for part `part` (empty when never recorded).
  CajaHTFC PartBox(long part);
  // Takes the next box number for part `part`, recording it in the measure pass; RenderPart
  // and DrawPart start with it, and a part that renders no text (an image) takes its number
  // with it alone, in both passes alike.
  long NumberPart(long part);
};

// The block without its first `head` and last `tail` characters; empty when it is shorter.
std::string_view InnerText(std::string_view block, std::size_t head, std::size_t tail);

// The text without the spaces at either end (other blanks stay, as the mark-up's trim does).
std::string TrimSpaces(std::string_view text);

// True when the block is what ExtraerBloque returns for a construct it could not balance.
bool IsErrorBlock(std::string_view block);

// A construct set as text: its opening tag, its content rendered as one part, its closing
// tag. A family whose drawer is not written yet is dispatched to it, and drawers fall back on
// it for a construct they cannot take apart; it numbers like any drawer with one part.
void DrawConstructAsText(ConstructContext& k);

}  // namespace stagora::engine
