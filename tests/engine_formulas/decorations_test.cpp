#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/engine_formulas/formula_fixture.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

constexpr double kT = 0.04 * kH;  // pen and margin, 11.04 twips
constexpr double kA = 0.18 * kH;  // heads, hats and arcs
constexpr plat::Color kBlue = plat::Rgb(0, 0, 255);

struct Segment {
  double x1, y1, x2, y2;
};

// The content "5" of the worked examples, drawn from the line's start: its box one margin in.
struct Frame {
  double xl = kX + kT;
  double xr = kX + kT + kCharAdvance;
  double W = kCharAdvance;
  double yt = kY;
  double yb = kY + kH;
  double h = kH + kT;
  Segment Top() const { return {xl - kT / 2, yt - kT / 2, xl - kT / 2 + W + kT, yt - kT / 2}; }
  Segment Bottom() const { return {xl - kT / 2, yb + kT / 2, xl - kT / 2 + W + kT, yb + kT / 2}; }
  Segment Left() const { return {xl - kT / 2, yb + kT / 2, xl - kT / 2, yt - kT / 2}; }
  Segment Right() const { return {xr + kT / 2, yb + kT / 2, xr + kT / 2, yt - kT / 2}; }
  Segment Falling() const { return {xl, yt, xr, yb}; }
  Segment Rising() const { return {xl, yb, xr, yt}; }
};

class Decorations : public FormulaTest {};

TEST_F(Decorations, EveryDecorationDrawsItsLinesWhereTheyBelongInTheLineColour) {
  const Frame f;
  const double bar = f.yt + 1.33 * kA;
  struct Case {
    const char* tag;
    std::vector<Segment> lines;
  };
  const Case cases[] = {
      {"VEC", {{f.xl, f.yt + kA / 2, f.xr, f.yt + kA / 2}, {f.xr, f.yt + kA / 2, f.xr - kA, f.yt - kA / 2}}},
      {"VED", {{f.xl, bar, f.xr, bar}, {f.xr, bar, f.xr - kA, f.yt + 0.33 * kA}}},
      {"AND", {{f.xl, bar, f.xl + f.W / 2, f.yt + 0.33 * kA}, {f.xr, bar, f.xr - f.W / 2, f.yt + 0.33 * kA}}},
      {"ARC",
       {{f.xl + kA / 4, f.yt + 0.9 * kA, f.xl + f.W / 3, f.yt + 0.2 * kA},
        {f.xl + f.W / 3, f.yt + 0.2 * kA, (f.xl + f.xr) / 2, f.yt + 0.1 * kA},
        {(f.xl + f.xr) / 2, f.yt + 0.1 * kA, f.xr - f.W / 3, f.yt + 0.2 * kA},
        {f.xr - f.W / 3, f.yt + 0.2 * kA, f.xr - kA / 4, f.yt + 0.9 * kA}}},
      {"SED", {{f.xl, bar, f.xr, bar}}},
      {"TDD", {f.Falling()}},
      {"TDU", {f.Rising()}},
      {"TDX", {f.Falling(), f.Rising()}},
      {"SEG", {f.Top()}},
      {"DOL", {f.Bottom()}},
      {"UDL", {f.Top(), f.Bottom()}},
      {"REC", {f.Left(), f.Right(), f.Top(), f.Bottom()}},
      {"CDE", {f.Left(), f.Bottom()}},
  };
  for (const Case& c : cases) {
    const std::string tag = c.tag;
    const std::string line = "&LC=Azul:#" + tag + "(5#" + tag + ")";
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << tag;
    // Every kind adds one margin on all four sides of its content.
    const CajaHTFC& box = S.TablaCajas(2);
    EXPECT_NEAR(box.DesplazamientoX, kT, 1e-9) << tag;
    EXPECT_NEAR(box.Avance, kCharAdvance + kT, 1e-9) << tag;
    EXPECT_NEAR(box.AltoSobre, kT, 1e-9) << tag;
    EXPECT_NEAR(box.AltoEje, kAxis, 1e-9) << tag;
    EXPECT_NEAR(box.AltoBajo, kH + kT, 1e-9) << tag;

    const RecordedOp* five = TextOp(u"5");
    ASSERT_TRUE(five) << tag;
    EXPECT_NEAR(five->x1 * kTpp, f.xl + 1, 1e-9) << tag;
    EXPECT_EQ(five->color, 0u) << tag;  // the text keeps its own colour
    const auto drawn = Ops(RecordedOp::Line);
    ASSERT_EQ(drawn.size(), c.lines.size()) << tag;
    for (std::size_t k = 0; k < drawn.size(); ++k) {
      const Segment& e = c.lines[k];
      EXPECT_NEAR(drawn[k].x1 * kTpp, e.x1, 1e-6) << tag << " line " << k;
      EXPECT_NEAR(drawn[k].y1 * kTpp, e.y1, 1e-6) << tag << " line " << k;
      EXPECT_NEAR(drawn[k].x2 * kTpp, e.x2, 1e-6) << tag << " line " << k;
      EXPECT_NEAR(drawn[k].y2 * kTpp, e.y2, 1e-6) << tag << " line " << k;
      EXPECT_EQ(drawn[k].color, kBlue) << tag << " line " << k;
      EXPECT_EQ(drawn[k].pen, 1) << tag << " line " << k;
    }
    EXPECT_EQ(page_.drawWidth(), 1) << tag;
  }
}

TEST_F(Decorations, TheOpenFrameBowsItsLeftSideIntoTheContentThenDrawsTheTopLine) {
  const Frame f;
  Lay("#CDI(5#CDI)");
  const auto drawn = Ops(RecordedOp::Line);
  ASSERT_EQ(drawn.size(), 11u);  // ten segments of the curve, the top line
  const double x = f.xl - kT / 2, top = f.yt - kT / 2;
  EXPECT_NEAR(drawn[0].x1 * kTpp, x, 1e-6);
  EXPECT_NEAR(drawn[0].y1 * kTpp, top, 1e-6);
  for (int k = 0; k < 10; ++k) {
    const double u = (k + 1) / 10.0;
    EXPECT_NEAR(drawn[k].x2 * kTpp, x + std::sin(V.Pi * u) * f.h / 6, 1e-6) << k;
    EXPECT_NEAR(drawn[k].y2 * kTpp, top + u * f.h, 1e-6) << k;
  }
  EXPECT_NEAR(drawn[4].x2 * kTpp, x + f.h / 6, 1e-6);  // deepest at mid-height
  const Segment t = f.Top();
  EXPECT_NEAR(drawn[10].x1 * kTpp, t.x1, 1e-6);
  EXPECT_NEAR(drawn[10].x2 * kTpp, t.x2, 1e-6);
  EXPECT_NEAR(drawn[10].y1 * kTpp, t.y1, 1e-6);
}

TEST_F(Decorations, ABoxAroundAFractionFollowsItsFullHeight) {
  const Laid laid = Lay("#REC(#COC(1#N)(2#COC)#REC)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const CajaHTFC& fraction = S.TablaCajas(3);  // the content's line box
  const auto drawn = Ops(RecordedOp::Line);
  ASSERT_EQ(drawn.size(), 5u);  // the bar, then the four sides
  const RecordedOp& left = drawn[1];
  EXPECT_NEAR(left.y1 * kTpp, kY + fraction.AltoBajo + kT / 2, 1e-6);
  EXPECT_NEAR(left.y2 * kTpp, kY - fraction.AltoSobre - kT / 2, 1e-6);
  EXPECT_NEAR(S.TablaCajas(2).AltoSobre, fraction.AltoSobre + kT, 1e-9);
  ExpectInside(Drawn(), BoxOf(laid.line), "box around a fraction", kTpp / 2);
}

TEST_F(Decorations, InASmallerFontThePenIsThinner) {
  // At 48 points the pen is 44 twips (three pixels); in an exponent, of 32 points, two.
  page_.setFontSize(48);
  Lay("#REC(x#REC)");
  for (const RecordedOp& op : Ops(RecordedOp::Line)) EXPECT_EQ(op.pen, 3);
  page_.setFontSize(48);
  Lay("#POT(a#PB)(#REC(x#REC)#POT)");
  for (const RecordedOp& op : Ops(RecordedOp::Line)) EXPECT_EQ(op.pen, 2);
}

TEST_F(Decorations, AnUnclosedDecorationFramesTheErrorWordAndTheLineGoesOn) {
  const Laid laid = Lay("#REC(x");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  EXPECT_EQ(TextIn(kRed), "*ERROR*");
  EXPECT_EQ(Ops(RecordedOp::Line).size(), 4u);
}

}  // namespace
}  // namespace stagora::engine::test
