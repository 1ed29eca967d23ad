// Aligned rows "#RWS(" letter "#RW1(" row "#RW1)" ... "#RW9(" row "#RW9)" "#RWS)": up to nine
// rows stacked with a small gap, aligned left, centred or right, the stack's middle on the
// line's axis.
#pragma once

#include <string_view>
#include <vector>

#include "viewer/engine/block_cutter.h"
#include "viewer/engine/construct_parts.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {

constexpr int kMaxRows = 9;

struct AlignedRows {
  char alignment = 'L';  // the letter, upper-cased
  std::vector<std::string_view> rows;  // views into the block, or the constant error text
};

// The letter and the rows in order. Rows are cut from the front of what follows the letter;
// a row that is missing, out of sequence or unbalanced comes back as the red error text, and
// reading stops at the closing tag or after the ninth row.
AlignedRows CutRows(std::string_view block, const BlockFinder& blocks = BlockFinder());

// "#RWS(": the rows stacked and aligned, the stack's middle its axis.
void DibujarRWS(ConstructContext& k);

}  // namespace stagora::engine
