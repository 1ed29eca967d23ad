// The two constructs that separate an upper part from a lower one by "#T)(": texts on an
// arrow ("#ATX(" upper "#T)(" lower "#ATX)") and stacked parts ("#SPB(" letter upper "#T)("
// lower "#SPB)"). Since both end their upper part with the same "#T)", each counts the other's
// tags as its own when cutting its parts, so that either holds the other at any depth.
#pragma once

#include <cstddef>
#include <string_view>

#include "viewer/engine/block_cutter.h"

namespace stagora::engine {

// The upper block, as ExtraerBloque cuts it from "#ATX(" or "#SPB(" to "#T)", but counting
// either opening tag against "#T)": from the first opening tag of either kind on.
BlockExtent FindUpperPart(std::string_view text);

// The lower block, from the first "#T)(" at or after `from` to the "#ATX)" or "#SPB)" that
// balances it, every "#T)(" counting against either closing tag. The start is counted in
// `text`.
BlockExtent FindLowerPart(std::string_view text, std::size_t from);

}  // namespace stagora::engine
