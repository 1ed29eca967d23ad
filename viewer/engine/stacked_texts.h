// Stacked texts "#TST(" base "#TS)(" "#ST1(" text "#ST1)" ["#ST2(" … "#ST2)" ["#ST3(" …
// "#ST3)"]] "#TST)": one to three smaller texts beneath a base, all left-aligned with it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {

// "#TST(": the base on the line, the stacked texts below it in a smaller size, each a small
// gap below what is above it; the construct makes the line deeper by the stack.
void DibujarTST(ConstructContext& k);

// Views into the block, or the red error text.
struct StackedTextViews {
  std::string_view base;
  std::vector<std::string_view> texts;  // one to three; a missing block is the red error text
};

// The base and the stacked texts. After the first and the second text, anything but the
// closing tag announces the next one.
StackedTextViews CutStackedTextViews(std::string_view block, const BlockFinder& blocks = BlockFinder());

// The same parts, as texts of their own.
struct StackedTexts {
  std::string base;
  std::vector<std::string> texts;
};
StackedTexts CutStackedTexts(std::string_view block);

}  // namespace stagora::engine
