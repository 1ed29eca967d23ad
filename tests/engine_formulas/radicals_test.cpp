#include <gtest/gtest.h>

#include "tests/engine_formulas/formula_fixture.h"
#include "viewer/engine/radicals.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

// The sign's proportions at 12 points (H = 276), those under 15 twips raised to 15.
constexpr double kPb = 15, kGb = 15, kEd = 0.0754 * kH, kGi = 15, kOb = 0.09 * kH, kGs = 0.08 * kH;
constexpr double kWr = 0.215 * kH, kWh = 0.175 * kH, kWt = 0.12 * kH, kGx = 0.26 * kH;
constexpr double kSignWidth = kGs + kWr + kWh + kWt;
constexpr double kSmallAdvance = kModelCharWidth * 8 / 12 + 2;  // a digit of the index

class Radicals : public FormulaTest {};

TEST_F(Radicals, SquareRootDrawsItsSignLeftOfTheRadicandAndTheBarOverIt) {
  const Laid laid = Lay("#SQR(x#SQR)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const CajaHTFC& root = S.TablaCajas(2);
  EXPECT_NEAR(root.DesplazamientoX, kSignWidth, 1e-9);
  EXPECT_NEAR(root.Avance, kOb + kCharAdvance, 1e-9);
  EXPECT_NEAR(root.AltoSobre, kGb + kPb, 1e-9);
  EXPECT_NEAR(root.AltoBajo, kH + kEd, 1e-9);
  EXPECT_NEAR(root.AltoEje, kAxis, 1e-9);

  const double x0 = kX + kSignWidth;  // the radicand's start
  const RecordedOp* x = TextOp(u"x");
  ASSERT_TRUE(x);
  EXPECT_NEAR(x->x1 * kTpp, x0 + 1, 1e-9);
  const auto strokes = Ops(RecordedOp::Line);
  ASSERT_EQ(strokes.size(), 4u);  // bar, heavy stroke, rising stroke, tick
  const double barY = kY - kGb - kPb / 2;
  EXPECT_NEAR(strokes[0].y1 * kTpp, barY, 1e-9);
  EXPECT_NEAR(strokes[0].x1 * kTpp, x0 - kGs + kPb / 2, 1e-9);
  EXPECT_NEAR(strokes[0].x2 * kTpp, x0 + kCharAdvance + kOb - kPb / 2, 1e-9);
  const double bottom = kY + kH + kEd;
  const double elbow = 0.4 * (kH + kGb + kPb + kEd);
  EXPECT_NEAR(strokes[1].x2 * kTpp, x0 - kGs - kWr - kWh, 1e-9);  // the elbow
  EXPECT_NEAR(strokes[1].y2 * kTpp, bottom - elbow, 1e-9);
  EXPECT_NEAR(strokes[2].x1 * kTpp, x0 - kGs - kWr, 1e-9);  // from the lowest point
  EXPECT_NEAR(strokes[2].y1 * kTpp, bottom - kPb / 2, 1e-9);
  EXPECT_NEAR(strokes[2].x2 * kTpp, x0 - kGs, 1e-9);  // up to the bar
  EXPECT_NEAR(strokes[2].y2 * kTpp, barY, 1e-9);
  EXPECT_NEAR(strokes[3].x1 * kTpp, kX + kPb / 2, 1e-9);  // the tick starts at the box's edge
  for (const RecordedOp& s : strokes) EXPECT_EQ(s.pen, 1);
  ExpectInside(Drawn(), BoxOf(laid.line), "square root");
}

TEST_F(Radicals, ARootWithoutIndexDrawsLikeTheSquareRoot) {
  Lay("#SQR(a+b#SQR)");
  const auto square = page_.ops();
  Lay("#RAD(a+b#RAD)");
  const auto general = page_.ops();
  ASSERT_EQ(general.size(), square.size());
  for (std::size_t k = 0; k < square.size(); ++k) {
    EXPECT_EQ(general[k].kind, square[k].kind);
    EXPECT_DOUBLE_EQ(general[k].x1, square[k].x1);
    EXPECT_DOUBLE_EQ(general[k].y2, square[k].y2);
  }
}

TEST_F(Radicals, TheIndexSitsInTheNotchAndWidensTheBoxWhenWiderThanTheSign) {
  const Laid cube = Lay("#CUR(x#CUR)");
  EXPECT_EQ(cube.drawnTo, cube.measuredTo);
  const RecordedOp* three = TextOp(u"3");
  ASSERT_TRUE(three);
  EXPECT_DOUBLE_EQ(three->font.size, 8);
  EXPECT_NEAR(S.TablaCajas(2).DesplazamientoX, kSignWidth, 1e-9);  // the sign is wider
  const double x0 = kX + kSignWidth;
  const double elbowY = kY + kH + kEd - 0.4 * (kH + kGb + kPb + kEd);
  EXPECT_NEAR(three->x2 * kTpp + 1, x0 - kGx, 1e-9);  // its advance ends gx before the radicand
  EXPECT_NEAR(three->y2 * kTpp, elbowY - kGi, 1e-9);  // its bottom gi above the elbow
  ExpectInside(Drawn(), BoxOf(cube.line), "cube root");

  const Laid wide = Lay("#RAD(#RI(123#RI)x#RAD)");
  const CajaHTFC& root = S.TablaCajas(2);
  EXPECT_NEAR(root.DesplazamientoX, kGx + 3 * kSmallAdvance, 1e-9);
  const double indexTop = kH * 8 / 12 - (kH + kEd - 0.4 * (kH + kGb + kPb + kEd) - kGi);
  EXPECT_NEAR(root.AltoSobre, std::max(kGb + kPb, indexTop), 1e-9);
  EXPECT_EQ(DrawnText(), "x123");
  ExpectInside(Drawn(), BoxOf(wide.line), "wide index");
}

TEST_F(Radicals, ATallRadicandRaisesTheElbowButKeepsTheStrokes) {
  Lay("#SQR(x#SQR)");
  const auto low = Ops(RecordedOp::Line);
  const Laid laid = Lay("#SQR(#COC(1#N)(2#COC)#SQR)");
  auto tall = Ops(RecordedOp::Line);
  ASSERT_EQ(tall.size(), 5u);  // the fraction's bar, then the sign
  tall.erase(tall.begin());
  const double fraction = 15 + kH + 15 + 15 + kH;
  const double sign = fraction + kGb + kPb + kEd;
  const double bottom = tall[2].y1 * kTpp + kPb / 2;  // the lowest point
  EXPECT_NEAR(bottom - tall[1].y2 * kTpp, 0.4 * sign, 1e-9);
  EXPECT_NEAR(tall[2].y1 - tall[2].y2, (sign - kPb) / kTpp, 1e-9);  // the rising stroke spans it
  for (std::size_t k = 0; k < tall.size(); ++k) EXPECT_EQ(tall[k].pen, low[k].pen);
  ExpectInside(Drawn(), BoxOf(laid.line), "root of a fraction");
}

TEST_F(Radicals, AfterARootTheColourIsBlackAndThePenOnePixel) {
  page_.setFont(plat::FontSpec{});
  Lay("&FC=Rojo:#SQR(x#SQR)y");
  EXPECT_EQ(TextOp(u"x")->color, kRed);
  for (const RecordedOp& s : Ops(RecordedOp::Line)) EXPECT_EQ(s.color, kRed);
  EXPECT_EQ(TextOp(u"y")->color, 0u);
  EXPECT_EQ(page_.drawWidth(), 1);
}

TEST_F(Radicals, AnIndexedRootInsideTheRadicandStaysWhole) {
  const Laid laid = Lay("#RAD(x+#RAD(#RI(3#RI)y#RAD)#RAD)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  EXPECT_EQ(DrawnText(), "x+y3");
  EXPECT_EQ(Ops(RecordedOp::Line).size(), 8u);
  EXPECT_TRUE(TextIn(kRed).empty());
  ExpectInside(Drawn(), BoxOf(laid.line), "root in a root");
}

TEST_F(Radicals, AnUnbalancedIndexShowsTheErrorWord) {
  const Laid laid = Lay("#RAD(#RI(3x#RAD)z");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  EXPECT_EQ(TextIn(kRed), "*ERROR*");
  EXPECT_NE(TextOp(u"z"), nullptr);
}

TEST(RootParts, IndexOnlyWhereTheBodyBeginsWithIt) {
  struct Case {
    const char* block;
    const char* radicand;
    const char* index;
    bool hasIndex;
  };
  const Case cases[] = {
      {"#SQR(x#SQR)", "x", "", false},
      {"#CUR(x#CUR)", "x", "3", true},
      {"#RAD(#RI(n#RI)x#RAD)", "x", "n", true},
      {"#RAD(#RI(#RAD(#RI(2#RI)m#RAD)#RI)x#RAD)", "x", "#RAD(#RI(2#RI)m#RAD)", true},
      {"#RAD(x#RI(3#RI)#RAD)", "x#RI(3#RI)", "", false},
      {"#SQR(#RI(3#RI)x#SQR)", "#RI(3#RI)x", "", false},
  };
  for (const Case& c : cases) {
    const RootParts p = CutRoot(c.block);
    EXPECT_EQ(p.radicand, c.radicand) << c.block;
    EXPECT_EQ(p.index, c.index) << c.block;
    EXPECT_EQ(p.hasIndex, c.hasIndex) << c.block;
  }
}

}  // namespace
}  // namespace stagora::engine::test
