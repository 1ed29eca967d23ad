// Stretchable delimiters "#NES(" left right content "#NES)": bars, brackets, parentheses and
// braces drawn with strokes and tapering arcs, as tall as whatever the content holds.
#pragma once

#include "platform/surface.h"
#include "viewer/engine/construct_parts.h"
#include "viewer/engine/viewer_values.h"

namespace stagora::engine {

// "#NES(": the content with its left and right delimiter, each as tall as the content.
void DibujarNES(ConstructContext& k);

// An arc around (cx, cy) from angle a1 to a2 (degrees, anticlockwise, y growing downwards),
// drawn as n + 1 straight strokes whose pen goes from w1 to w2 twips. An end angle below the
// start is raised by whole turns. The target's pen width is kept. Pens are in the pixels of
// the target `viewer` says it is. The decorations and rings draw their arcs with it too.
void DibujarArco(double cx, double cy, double radius, double a1, double a2, double w1, double w2, long n,
                 plat::Surface& target, const ViewerValues& viewer);

}  // namespace stagora::engine
