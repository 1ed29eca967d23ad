// The line renderer: one line of mark-up, or one part of a construct (a numerator, an
// exponent, a row), rendered on the target in the pass state.ModoDibujo names. Measuring
// draws nothing, records the line's box in the box table and finds the leading part that fits
// the usable width; drawing places everything from the boxes the measure pass left.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/surface.h"
#include "viewer/engine/block_cutter.h"
#include "viewer/engine/engine_state.h"
#include "viewer/engine/viewer_values.h"

namespace stagora::engine {

// Renders `line` at the target's current position in the current font. The line's box is
// box number state.ContadorCajas on entry; every construct met takes the next numbers. On
// return `fittingPart` is empty, or (measure pass, the line itself only) the leading part of
// the line that fits when the whole line does not. The line may be `fittingPart` itself.
//
// A construct renders its parts through ConstructContext::RenderPart and DrawPart, which
// number the part and call this.
void ProcesarLinea(std::string_view line, plat::Surface& target, std::string& fittingPart, EngineState& state,
                   const ViewerValues& viewer);

// While it lives, the constructs of `line` are matched once (BlockCutter) for every renderer
// call on the line or on any part of it, nested at any depth, as long as the parts are views
// into it. ProcesarLinea keeps one for a line unless one that holds the line is in force;
// DibujarHTFC keeps one for each document line, so that the pieces it wraps the line into
// share it.
class LineBlocks {
 public:
  LineBlocks(EngineState& state, std::string_view line);
  ~LineBlocks();
  LineBlocks(const LineBlocks&) = delete;
  LineBlocks& operator=(const LineBlocks&) = delete;

 private:
  EngineState& s_;
  BlockCutter* const outer_;
  std::optional<BlockCutter> cutter_;
  bool spare_ = false;  // uses the state's spare cutter
};

}  // namespace stagora::engine
