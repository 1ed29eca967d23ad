// Ring structures "#A6V(" ... "#A6V)" (3 to 9 vertices, four orientations) and the aromatic
// rings "#BCV(" "#BCH(": the skeleton of a cyclic molecule as a regular polygon with inner
// lines for double and triple ring bonds (or an inscribed circle), and at any vertex a
// substituent "#R1(" text "#R1)" joined to it by a single or double stroke. The ring's centre
// lies on the line's axis; substituents widen the box on their side.
#pragma once

#include <array>
#include <string_view>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {

constexpr int kMaxRingVertices = 9;

// What the opening tag says about the ring.
struct RingShape {
  int vertices = 6;
  bool circle = false;  // an inscribed circle ("#BC" rings)
  char letter = 'V';    // V vertex up, L and H edge on top, I vertex left, D vertex right
};
RingShape RingShapeOf(std::string_view tag);

// Views into the block, or the red error text.
struct RingParts {
  std::string_view marks;  // the vertex marks: "S" single stroke, "D" double, anything else none
  std::string_view bonds;  // the ring bonds after "&EC=": "D" double, "T" triple, else single
  std::array<std::string_view, kMaxRingVertices + 1> substituents;  // 1-based; empty when absent
};

// The vertex marks, ring bonds and substituents of a ring of `vertices` vertices. A
// substituent block that is not balanced comes back as the red error text.
RingParts CutRing(std::string_view block, int vertices, const BlockFinder& blocks = BlockFinder());

// "#A3V(" ... "#A9D(", "#BCV(", "#BCH(": the ring, its inner bonds, its substituents and
// their strokes.
void DibujarAnillo(ConstructContext& k);

}  // namespace stagora::engine
