// The working values of one line-renderer call, shared by the renderer's scan and the
// inline-code handlers it runs. Each call (a line, or a part of a construct) has its own, and
// holds the engine's state and the viewer's values it works with.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"
#include "viewer/engine/block_cutter.h"
#include "viewer/engine/engine_state.h"
#include "viewer/engine/markup_parsing.h"
#include "viewer/engine/viewer_values.h"

namespace stagora::engine {

// The axis of a text line lies this far below its top, as a fraction of the text height.
constexpr double kAxisFraction = 0.574;
// One-character indices and exponents are set at two thirds of the size.
constexpr double kIndexSizeRatio = 8.0 / 12.0;
// The minus sign of the mark-up: the en dash of Windows-1252.
constexpr char kMinusSign = '\x96';

struct LineContext {
  LineContext(std::string_view text, plat::Surface& target, EngineState& state, const ViewerValues& viewer);

  // The mark-up being rendered: the caller's text, which lives and stays as it is for the
  // whole call (the renderer writes its fitting part only when it returns).
  const std::string_view line;
  plat::Surface& t;
  EngineState& S;
  const ViewerValues& V;
  const bool draw;  // the draw pass; else the measure pass
  const long box;   // the number of the box this call records
  const bool topLevel;  // the line itself, not a part of a construct: it alone may break

  // Entry values; the base size, H, E and A change with "&FS" and "&FN".
  std::string entryFont;
  double baseSize = 0;
  double H = 0;   // text height of "Hp"
  double E = 0;   // axis depth, kAxisFraction * H
  double A0 = 0;  // ascent of the entry font
  double A = 0;   // ascent of the current font
  int sizeClass = 1;
  double X0 = 0;  // the target's position on entry (draw pass; 0 when measuring)
  double Y0 = 0;

  double W = 0;            // running width of the plain text since the last tab
  std::size_t P = 0;       // the line may be broken after its first P characters
  std::size_t first = 0;   // first entry of `boxes` counted in the width (moves at a tab)
  std::vector<CajaHTFC> boxes;  // entry 0 the plain text, then one per construct met
  double boxesWidth = 0;   // the width of the boxes from `first` on, kept as they are met

  std::size_t i = 0;        // the scan's position (0-based), left on the last character used
  bool stop = false;        // a parameter code without its ":" ends the line here
  bool softBreak = false;   // the code just handled was the soft hyphen "&_"
  std::string_view fitting;  // the leading part that fits, when the line is too wide

  std::string_view rest() const { return line.substr(i < line.size() ? i : line.size()); }
  BlockFinder blocks() const { return BlockFinder(S.lineBlocks); }
  bool at(std::string_view code) const { return rest().substr(0, code.size()) == code; }

  // Text set exactly as given: printed in the draw pass, its width added when measuring.
  void setText(std::string_view text);
  // Draw pass: ordinary characters met one after another wait here, with the italic state
  // they are printed in, and go to the target as one call before anything else is set.
  std::string run;
  bool runItalic = false;
  void flushRun();
  // Height, axis and ascent after a change of font, with the baseline kept where the line's
  // entry font had it.
  void fontChanged();
};

}  // namespace stagora::engine
