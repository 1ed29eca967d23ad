// Roots "#SQR(" radicand "#SQR)", "#CUR(" radicand "#CUR)" (index 3) and "#RAD(" "#RI("
// index "#RI)" radicand "#RAD)": the radicand under a bar, the sign drawn with four strokes
// to its left and a small index in the sign's notch.
#pragma once

#include <string_view>

#include "viewer/engine/block_cutter.h"
#include "viewer/engine/construct_parts.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {

// "#RAD(" "#SQR(" "#CUR(": the radicand under its bar, the sign to its left, the index (set
// smaller) in the sign's notch.
void DibujarRaiz(ConstructContext& k);

// Views into the block, or into constant texts.
struct RootParts {
  std::string_view radicand;
  std::string_view index;
  bool hasIndex = false;
};

// The radicand and the index. A "#RAD(" root has an index only when its body begins with
// the index block; otherwise it is a square root of its whole body. `blocks` finds the tags
// (the line's, while one is laid out).
RootParts CutRoot(std::string_view block, const BlockFinder& blocks = BlockFinder());

}  // namespace stagora::engine
