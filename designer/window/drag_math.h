// The arithmetic of direct manipulation, free of widgets: which value a slider knob stands
// for where the pointer left it, how far a diagram point may be dragged and which data it
// then gives, and the relative volatility whose equilibrium curve passes through the
// pointer. The window's pointer handlers read the controls and hand the numbers here.
#pragma once

#include "designer/diagram/plot_frame.h"
#include "designer/window/slider_knobs.h"

namespace stagora::designer {

// Interactive edits write their value rounded half up: floor(v * 10^d + 0.5) / 10^d, so a
// half goes towards plus infinity for negative values too.
double RoundHalfUp(double v, int decimals);

// --- Slider knobs ---------------------------------------------------------------------------

// The fields a knob's value is computed from, as read (unreadable text reads as 0).
struct KnobDragFields {
  double zF = 0;
  double xD = 0;
  double xB = 0;
  double Rmin = 0;
};

// The left edge a knob takes when the pointer asks for `left`: its centre is kept on the
// track. Single precision, as the panel keeps positions.
float HeldKnobLeft(float left, double knobWidth, KnobTrack track);

// Where the knob's centre lies on its track, in percent: 0 at X1, 100 at X2.
double KnobPercent(double left, double knobWidth, KnobTrack track);

// The datum a knob at p percent stands for: computed, rounded (two decimals, three for the
// mole fractions) and adjusted (q and R snap to whole values near them, E stays in 0.01..1).
double KnobDragValue(int knob, double p, const KnobDragFields& fields);

// --- Diagram points ---------------------------------------------------------------------------

// The point labels, as the diagram numbers them (PointLabel in designer/diagram/diagram.h).
inline constexpr int kDragBottoms = 0;
inline constexpr int kDragIntersection = 1;
inline constexpr int kDragDistillate = 2;
inline constexpr int kDragFeed = 3;

// The three mole fractions that bound the diagonal points, with 0.5 (zF), 0.999 (xD) and
// 0.001 (xB) in place of a value not strictly between 0 and 1.
struct PointBounds {
  double zF = 0.5;
  double xD = 0.999;
  double xB = 0.001;
};
PointBounds PointDragBounds(double zF, double xD, double xB);

// The horizontal centre a dragged label keeps for the centre c the pointer asks for: one
// pixel inside the frame and, on the diagonal, one pixel short of its neighbours, so xB <
// zF < xD always holds on the diagram. Comparisons in single precision.
float HeldPointCentreX(int label, float c, const PlotFrame& frame, const PointBounds& bounds);
// The vertical centre of the q point: one pixel inside the frame's bottom and top.
float HeldPointCentreY(float d, const PlotFrame& frame);

// The value a diagonal point (bottoms, distillate, feed) writes for the mole fraction v at its
// centre, rounded to three decimals. It stays strictly between 0 and 1: on a picture wider
// than about 2000 pixels a point one pixel inside the frame would otherwise round onto its
// edge.
double DiagonalPointValue(int label, double v);

// The q point's height: kept 0.01 above the diagonal.
double IntersectionHeight(double xq, double yq);

// The feed condition and reflux ratio whose lines meet at (xq, yq): the q-line from (zF, zF),
// the enriching line from (xD, xD). A q-line steeper than 50 counts as vertical (q = 1), q
// within 0.03 of 0 or 1 snaps to it; a slope of exactly 1 gives q = 5 or R = 500, a vertical
// enriching line R = -1 (which the calculation refuses).
struct FeedAndReflux {
  double q = 0;
  double R = 0;
};
FeedAndReflux FeedAndRefluxAt(double xq, double yq, double zF, double xD);

// --- Equilibrium curve --------------------------------------------------------------------

// Strictly inside the unit square.
bool InsideDiagram(double x, double y);

// The relative-volatility curve's y at x.
double VolatilityCurveY(double alpha, double x);

// Within five pixels of the curve, vertically, on the picture (exactly five counts).
bool NearCurve(const PlotFrame& frame, double curveY, double pointerY);

// The relative volatility whose curve passes through (x, y); 1.01 on or below the diagonal.
// Unbounded above: very steep curves are the calculation's to judge.
double AlphaThroughPoint(double x, double y);

}  // namespace stagora::designer
