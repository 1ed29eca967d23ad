// Vertical bonds "#UDB(" symbol, upper letter, lower letter, "#R1(" upper group "#R1)"
// "#R2(" lower group "#R2)" "#UDB)": a one-character symbol on the line with a group above and
// a group below it, each joined to it by one, two or three short vertical strokes, as a
// structural formula shows single, double and triple bonds. A group may begin with a
// left-hand text "#LP(" text "#LP)" that ends at the construct's left edge.
#pragma once

#include <array>
#include <string_view>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {

// The pieces, numbered as the construct numbers its parts.
enum BondPiece { kUpperGroup = 1, kLowerGroup = 2, kUpperLeftText = 3, kLowerLeftText = 4, kCentralSymbol = 5 };

struct BondParts {
  char upper = ' ';  // stroke letters: "S" one stroke, "D" two, "T" three, else none
  char lower = ' ';
  // Views into the block, or the red error text; indexed by BondPiece; empty when absent.
  std::array<std::string_view, 6> pieces;
};

// The symbol, the letters and the groups. Each group block is cut from the front of what
// remains; an unbalanced block comes back as the red error text.
BondParts CutBonds(std::string_view block, const BlockFinder& blocks = BlockFinder());

// "#UDB(": the symbol, the groups above and below with their strokes and left-hand texts; the
// construct is as wide as its symbol.
void DibujarUDB(ConstructContext& k);

}  // namespace stagora::engine
