// The arithmetic behind dragging: the value each knob writes along its track, the bounds a
// dragged diagram point keeps, the feed condition and reflux ratio of the q point, and the
// relative volatility of the curve through the pointer.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/number_text.h"
#include "designer/diagram/plot_frame.h"
#include "designer/window/drag_math.h"

namespace stagora::designer {
namespace {

// The start design's fields: zF 0.46, xD 0.85, xB 0.17, Rmin 1.5.
KnobDragFields StartFields() { return KnobDragFields{0.46, 0.85, 0.17, 1.5}; }

KnobDragFields With(void (*change)(KnobDragFields&)) {
  KnobDragFields f = StartFields();
  change(f);
  return f;
}

TEST(KnobDrag, EachKnobWritesItsRoundedAndAdjustedValue) {
  struct Case {
    const char* what;
    int knob;
    double p;
    KnobDragFields fields;
    double value;
  };
  const Case cases[] = {
      {"alpha left end", kKnobAlpha, 0, StartFields(), 1.01},
      {"alpha right end", kKnobAlpha, 100, StartFields(), 20},
      {"alpha middle: the divisor as written, not 100 / 18.99", kKnobAlpha, 50, StartFields(), 10.5},
      {"q left end", kKnobQ, 0, StartFields(), -1.5},
      {"q right end", kKnobQ, 100, StartFields(), 2.5},
      {"q 0.96 snaps to 1", kKnobQ, 61.5, StartFields(), 1},
      {"q 1.04 snaps to 1", kKnobQ, 63.5, StartFields(), 1},
      {"q 0.95 stays", kKnobQ, 61.25, StartFields(), 0.95},
      {"q 1.05 stays", kKnobQ, 63.75, StartFields(), 1.05},
      {"q -0.04 snaps to 0", kKnobQ, 36.5, StartFields(), 0},
      {"q -0.05 stays", kKnobQ, 36.25, StartFields(), -0.05},
      {"zF right end: xD less the gap", kKnobZF, 100, StartFields(), 0.849},
      {"zF left end: xB and the gap", kKnobZF, 0, StartFields(), 0.171},
      {"zF with an empty xD field", kKnobZF, 100, With([](KnobDragFields& f) { f.xD = 0; }), 0.998},
      {"xD left end", kKnobXD, 0, StartFields(), 0.461},
      {"xD right end", kKnobXD, 100, StartFields(), 0.999},
      {"xD with an empty zF field counts zF as 0.5", kKnobXD, 0, With([](KnobDragFields& f) { f.zF = 0; }), 0.501},
      {"xB left end", kKnobXB, 0, StartFields(), 0.001},
      {"xB right end", kKnobXB, 100, StartFields(), 0.459},
      {"E left end", kKnobE, 0, StartFields(), 0.01},
      {"E right end", kKnobE, 100, StartFields(), 1},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(KnobDragValue(c.knob, c.p, c.fields), c.value) << c.what;
}

TEST(KnobDrag, RefluxFollowsRminAndSnapsJustAboveWholeNumbers) {
  // R = v^1.5 * Rmin with v = p / 10 + 1.001; a rounded R less than 0.15 above a whole number
  // is written as that number, one just below it is not.
  const auto pFor = [](double R, double Rmin) { return (std::pow(R / Rmin, 2.0 / 3.0) - 1.001) * 10; };
  KnobDragFields f = StartFields();
  f.Rmin = 1;
  EXPECT_DOUBLE_EQ(KnobDragValue(kKnobR, pFor(3.1, 1), f), 3);
  EXPECT_DOUBLE_EQ(KnobDragValue(kKnobR, pFor(3.14, 1), f), 3);
  EXPECT_DOUBLE_EQ(KnobDragValue(kKnobR, pFor(2.9, 1), f), 2.9);
  EXPECT_DOUBLE_EQ(KnobDragValue(kKnobR, pFor(3.5, 1), f), 3.5);
  EXPECT_DOUBLE_EQ(KnobDragValue(kKnobR, pFor(5.2, 2.5), With([](KnobDragFields& g) { g.Rmin = 2.5; })), 5.2);
  // An empty Rmin field (no design yet) counts as Rmin 1.
  f.Rmin = 0;
  EXPECT_DOUBLE_EQ(KnobDragValue(kKnobR, pFor(4.6, 1), f), 4.6);
  // The right end: (10 + 1.001)^1.5 times Rmin.
  f.Rmin = 1;
  EXPECT_DOUBLE_EQ(KnobDragValue(kKnobR, 100, f), 36.49);
}

TEST(KnobDrag, TheKnobCentreStaysOnItsTrack) {
  const KnobTrack track{15, 155};
  EXPECT_FLOAT_EQ(HeldKnobLeft(-400, 15, track), 7.5f);
  EXPECT_FLOAT_EQ(HeldKnobLeft(900, 15, track), 147.5f);
  EXPECT_FLOAT_EQ(HeldKnobLeft(60, 15, track), 60.0f);
  EXPECT_DOUBLE_EQ(KnobPercent(7.5, 15, track), 0);
  EXPECT_DOUBLE_EQ(KnobPercent(147.5, 15, track), 100);
  EXPECT_DOUBLE_EQ(KnobPercent(77.5, 15, track), 50);
}

TEST(KnobDrag, TheSmallestBottomsValueShowsInExponentForm) {
  EXPECT_EQ(FormatNUM(KnobDragValue(kKnobXB, 0, StartFields()), 5, "."), "1E-3");
  EXPECT_DOUBLE_EQ(ValNUM("1E-3"), 0.001);
}

// The 442 x 604 picture: the plot 392 wide, 554 high, its bottom at 579.
const PlotFrame kFrame = PlotFrame::Screen(442, 604);

TEST(PointDrag, DiagonalPointsStopOnePixelInsideTheirBounds) {
  const PointBounds b = PointDragBounds(0.46, 0.85, 0.17);
  const float zF = static_cast<float>(25 + 0.46 * 392);
  const float xD = static_cast<float>(25 + 0.85 * 392);
  const float xB = static_cast<float>(25 + 0.17 * 392);
  struct Case {
    const char* what;
    int label;
    float asked;
    float held;
  };
  const Case cases[] = {
      {"bottoms far right stops short of the feed", kDragBottoms, 400, zF - 1},
      {"bottoms left of the frame", kDragBottoms, -50, 26},
      {"bottoms within its range", kDragBottoms, 100, 100},
      {"distillate onto the right edge", kDragDistillate, 1000, 25 + 392 - 1},
      {"distillate left of the feed", kDragDistillate, 30, zF + 1},
      {"feed past the distillate", kDragFeed, 400, xD - 1},
      {"feed past the bottoms", kDragFeed, 40, xB + 1},
      {"q point right of the frame", kDragIntersection, 500, 416},
      {"q point left of the frame", kDragIntersection, 3, 26},
  };
  for (const Case& c : cases) EXPECT_FLOAT_EQ(HeldPointCentreX(c.label, c.asked, kFrame, b), c.held) << c.what;
  EXPECT_FLOAT_EQ(HeldPointCentreY(600, kFrame), 578);
  EXPECT_FLOAT_EQ(HeldPointCentreY(-4, kFrame), 26);
}

TEST(PointDrag, FeedBetweenNeighboursCloserThanTwoPixelsTakesTheDistillateBound) {
  // xB and xD one pixel apart: the distillate's rule is applied last and wins, one pixel
  // left of it is the bottoms point itself.
  const PointBounds b = PointDragBounds(0.5, 0.5 + 1.0 / 392, 0.5);
  EXPECT_FLOAT_EQ(HeldPointCentreX(kDragFeed, 300, kFrame, b), 221);
}

TEST(PointDrag, UnusableBoundsFieldsTakeTheirStandIns) {
  const PointBounds b = PointDragBounds(0, 1.5, -2);
  EXPECT_EQ(b.zF, 0.5);
  EXPECT_EQ(b.xD, 0.999);
  EXPECT_EQ(b.xB, 0.001);
}

TEST(PointDrag, DiagonalValuesRoundToThousandthsAndNeverReachTheEdges) {
  EXPECT_DOUBLE_EQ(DiagonalPointValue(kDragDistillate, 391.0 / 392), 0.997);
  EXPECT_DOUBLE_EQ(DiagonalPointValue(kDragDistillate, 1.2), 0.999);
  EXPECT_DOUBLE_EQ(DiagonalPointValue(kDragFeed, 0.4375), 0.438);  // half up
  // On a picture over 2000 pixels wide one pixel inside the frame rounds onto the edge.
  EXPECT_DOUBLE_EQ(DiagonalPointValue(kDragDistillate, 2999.0 / 3000), 0.999);
  EXPECT_DOUBLE_EQ(DiagonalPointValue(kDragBottoms, 1.0 / 3000), 0.001);
}

TEST(PointDrag, TheQPointGivesTheFeedConditionAndRefluxOfItsLines) {
  const double zF = 0.46, xD = 0.85;
  struct Case {
    const char* what;
    double xq, yq;
    double q, R;
  };
  const Case cases[] = {
      // q-line slope (0.6 - 0.46) / (0.5 - 0.46) = 3.5: q = 3.5 / 2.5; enriching slope 0.25 / 0.35.
      {"an ordinary point", 0.5, 0.6, 1.4, (0.25 / 0.35) / (1 - 0.25 / 0.35)},
      {"straight above the feed: vertical", 0.46, 0.7, 1, (0.15 / 0.39) / (1 - 0.15 / 0.39)},
      {"steeper than 50 counts as vertical", 0.461, 0.52, 1, (0.33 / 0.389) / (1 - 0.33 / 0.389)},
      {"nearly level: q snaps to 0", 0.7, 0.465, 0, (0.385 / 0.15) / (1 - 0.385 / 0.15)},
      {"right of the distillate: R below 0", 0.9, 0.91, 45, -6},
      {"straight below the distillate: R = -1", 0.85, 0.8, 0.34 / 0.39 / (0.34 / 0.39 - 1), -1},
  };
  for (const Case& c : cases) {
    const FeedAndReflux r = FeedAndRefluxAt(c.xq, c.yq, zF, xD);
    EXPECT_NEAR(r.q, c.q, 1e-9) << c.what;
    EXPECT_NEAR(r.R, c.R, 1e-9) << c.what;
  }
  // Slopes of exactly 1 stand for q = 5 and R = 500.
  EXPECT_EQ(FeedAndRefluxAt(0.5, 0.5, 0.25, 0.75).q, 5);
  EXPECT_EQ(FeedAndRefluxAt(0.5, 0.5, 0.25, 0.75).R, 500);
  EXPECT_DOUBLE_EQ(IntersectionHeight(0.5, 0.4), 0.51);
  EXPECT_DOUBLE_EQ(IntersectionHeight(0.5, 0.5), 0.51);
  EXPECT_DOUBLE_EQ(IntersectionHeight(0.5, 0.7), 0.7);
}

TEST(CurveDrag, AlphaOfTheCurveThroughThePointer) {
  EXPECT_DOUBLE_EQ(AlphaThroughPoint(0.5, 0.75), 3);
  EXPECT_DOUBLE_EQ(AlphaThroughPoint(0.5, 0.5), 1.01);
  EXPECT_DOUBLE_EQ(AlphaThroughPoint(0.5, 0.2), 1.01);
  EXPECT_GT(AlphaThroughPoint(0.001, 0.999), 900000);  // no upper limit
  EXPECT_DOUBLE_EQ(VolatilityCurveY(3, 0.5), 0.75);
}

TEST(CurveDrag, NearMeansWithinFivePixelsVertically) {
  const double curveY = 0.5;  // at Y = 579 - 277 = 302
  EXPECT_TRUE(NearCurve(kFrame, curveY, 307));
  EXPECT_TRUE(NearCurve(kFrame, curveY, 297));
  EXPECT_FALSE(NearCurve(kFrame, curveY, 308));
  EXPECT_FALSE(NearCurve(kFrame, curveY, 296));
  EXPECT_TRUE(InsideDiagram(0.5, 0.5));
  EXPECT_FALSE(InsideDiagram(0, 0.5));
  EXPECT_FALSE(InsideDiagram(0.5, 1));
}

TEST(DragRounding, HalvesGoUpAlsoBelowZero) {
  EXPECT_DOUBLE_EQ(RoundHalfUp(0.4375, 3), 0.438);
  EXPECT_DOUBLE_EQ(RoundHalfUp(-0.0625, 3), -0.062);
  EXPECT_DOUBLE_EQ(RoundHalfUp(-1.5, 0), -1);
  EXPECT_DOUBLE_EQ(RoundHalfUp(2.125, 2), 2.13);
}

}  // namespace
}  // namespace stagora::designer
