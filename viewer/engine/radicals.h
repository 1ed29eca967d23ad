// Roots "#SQR(" radicand "#SQR)", "#CUR(" radicand "#CUR)" (index 3) and "#RAD(" "#RI("
// index "#RI)" radicand "#RAD)": the radicand under a bar, the sign drawn with four strokes
// to its left and a small index in the sign's notch.
#pragma once

#include <string>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {

// "#RAD(" "#SQR(" "#CUR(": the radicand under its bar, the sign to its left, the index (set
// smaller) in the sign's notch.
void DibujarRaiz(ConstructContext& k);

struct RootParts {
  std::string radicand;
  std::string index;
  bool hasIndex = false;
};

// The radicand and the index. A "#RAD(" root has an index only when its body begins with
// the index block; otherwise it is a square root of its whole body.
RootParts CutRoot(const std::string& block);

}  // namespace stagora::engine
