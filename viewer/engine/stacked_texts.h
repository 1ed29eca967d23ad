// Stacked texts "#TST(" base "#TS)(" "#ST1(" text "#ST1)" ["#ST2(" … "#ST2)" ["#ST3(" …
// "#ST3)"]] "#TST)": one to three smaller texts beneath a base, all left-aligned with it.
#pragma once

#include <string>
#include <vector>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {

// "#TST(": the base on the line, the stacked texts below it in a smaller size, each a small
// gap below what is above it; the construct makes the line deeper by the stack.
void DibujarTST(ConstructContext& k);

struct StackedTexts {
  std::string base;
  std::vector<std::string> texts;  // one to three; a missing block is the red error text
};

// The base and the stacked texts. After the first and the second text, anything but the
// closing tag announces the next one.
StackedTexts CutStackedTexts(const std::string& block);

}  // namespace stagora::engine
