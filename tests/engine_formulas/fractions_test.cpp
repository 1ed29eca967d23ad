#include <gtest/gtest.h>

#include "tests/engine_formulas/formula_fixture.h"
#include "viewer/engine/fractions.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

constexpr double kBar = 15;       // max(15, 0.04 H) at 12 points
constexpr double kGap = 15;       // max(15, 0.0354 H)
constexpr double kSide = 0.09 * kH;
// Where the bar's middle lies below the fraction's top: a one-line numerator, the gap, half the bar.
constexpr double kBarMiddle = kGap + kH + kBar / 2;

class Fractions : public FormulaTest {};

TEST_F(Fractions, WorkedExampleCentresTheDigitsAndPutsTheBarOnTheAxis) {
  const plat::FontSpec before = page_.font();
  const Laid laid = Lay("#COC(1#N)(2#COC)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  EXPECT_NEAR(laid.line.Avance, 2 * kSide + kCharAdvance, 1e-9);
  EXPECT_NEAR(laid.line.AltoSobre, kBarMiddle - kAxis, 1e-9);
  EXPECT_NEAR(S.TablaCajas(2).AltoBajo, kGap + kH + kBar + kGap + kH, 1e-9);

  const double top = kY + kAxis - kBarMiddle;  // the fraction's top reference
  const RecordedOp* one = TextOp(u"1");
  const RecordedOp* two = TextOp(u"2");
  ASSERT_TRUE(one && two);
  EXPECT_NEAR(one->x1 * kTpp, kX + kSide + 1, 1e-9);
  EXPECT_NEAR(one->y1 * kTpp, top, 1e-9);
  EXPECT_NEAR(two->x1 * kTpp, one->x1 * kTpp, 1e-9);
  EXPECT_NEAR(two->y1 * kTpp, top + kH + kGap + kBar + kGap, 1e-9);

  const auto bars = Ops(RecordedOp::Line);
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_NEAR(bars[0].y1 * kTpp, kY + kAxis, 1e-9);
  EXPECT_NEAR(bars[0].y2, bars[0].y1, 1e-12);
  EXPECT_NEAR(bars[0].x1 * kTpp, kX + kBar / 2, 1e-9);
  EXPECT_NEAR(bars[0].x2 * kTpp, kX + laid.line.Avance - kBar / 2, 1e-9);
  EXPECT_EQ(bars[0].pen, 1);
  ExpectInside(Drawn(), BoxOf(laid.line), "fraction");

  EXPECT_EQ(page_.font(), before);
  EXPECT_EQ(page_.drawWidth(), 1);
  EXPECT_EQ(S.NivelFraccion, 0);
}

TEST_F(Fractions, TheNarrowerPartIsShiftedByHalfTheDifference) {
  struct Case {
    const char* line;
    const char16_t* narrow;
    const char16_t* wide;
  };
  const Case cases[] = {{"#COC(1#N)(234#COC)", u"1", u"2"}, {"#COC(123#N)(4#COC)", u"4", u"1"}};
  for (const Case& c : cases) {
    Lay(c.line);
    const RecordedOp* narrow = TextOp(c.narrow);
    const RecordedOp* wide = TextOp(c.wide);
    ASSERT_TRUE(narrow && wide) << c.line;
    EXPECT_NEAR(wide->x1 * kTpp, kX + kSide + 1, 1e-9) << c.line;
    EXPECT_NEAR(narrow->x1 * kTpp, kX + kSide + kCharAdvance + 1, 1e-9) << c.line;
  }
}

TEST_F(Fractions, ANestedFractionHasTheLighterBarAndLowersTheOuterBar) {
  // At 48 points the two bar weights differ by whole pixels: 0.04 H and 0.02 H.
  const double h = 4 * kH;
  page_.setFontSize(48);
  const Laid laid = Lay("#COC(#COC(1#N)(2#COC)#N)(3#COC)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const auto bars = Ops(RecordedOp::Line);
  ASSERT_EQ(bars.size(), 2u);
  const RecordedOp& inner = bars[0];
  const RecordedOp& outer = bars[1];
  EXPECT_EQ(inner.pen, 1);  // 22 twips
  EXPECT_EQ(outer.pen, 3);  // 44 twips
  const RecordedOp* two = TextOp(u"2");
  const RecordedOp* three = TextOp(u"3");
  ASSERT_TRUE(two && three);
  EXPECT_LT(inner.y1, two->y1);
  // The outer bar sits one gap and half its weight below the inner denominator's bottom.
  EXPECT_NEAR(outer.y1 * kTpp, two->y2 * kTpp + 0.0354 * h + 0.04 * h / 2, 1e-9);
  EXPECT_NEAR(outer.y1 * kTpp, kY + 0.574 * h, 1e-9);  // still on the line's axis
  EXPECT_GT(three->y1, outer.y1);
  // A pen of three whole pixels is a little wider than the 44 twips asked for.
  ExpectInside(Drawn(), BoxOf(laid.line), "nested fraction", kTpp / 2);
}

TEST_F(Fractions, StackLaysOutLikeAFractionWithoutTheBar) {
  const Laid fraction = Lay("#COC(n#N)(k#COC)");
  const auto fractionText = Ops(RecordedOp::Text);
  const Laid stack = Lay("#DDL(n#L)(k#DDL)");
  const auto stackText = Ops(RecordedOp::Text);
  EXPECT_TRUE(Ops(RecordedOp::Line).empty());
  EXPECT_DOUBLE_EQ(stack.line.Avance, fraction.line.Avance);
  EXPECT_DOUBLE_EQ(stack.line.AltoSobre, fraction.line.AltoSobre);
  EXPECT_DOUBLE_EQ(stack.line.AltoBajo, fraction.line.AltoBajo);
  ASSERT_EQ(stackText.size(), fractionText.size());
  for (std::size_t k = 0; k < stackText.size(); ++k) {
    EXPECT_DOUBLE_EQ(stackText[k].x1, fractionText[k].x1);
    EXPECT_DOUBLE_EQ(stackText[k].y1, fractionText[k].y1);
  }
}

TEST_F(Fractions, OnAPrinterTheBarPenIsInPrinterDots) {
  const std::vector<double> bars = LinePensOnPrinter("#COC(1#N)(2#COC)");
  for (double pen : bars) EXPECT_EQ(pen, 6);  // 15 twips / 2.4, whole dots
  EXPECT_EQ(bars.size(), 1u);
}

TEST_F(Fractions, AMissingPartIsDrawnAsTheErrorWordAndTheLineGoesOn) {
  const char* lines[] = {"#COC(1#COC)z", "#DDL(1#N)(2#DDL)z", "#COC(#N)(#COC)z"};
  for (const char* line : lines) {
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << line;
    const RecordedOp* z = TextOp(u"z");
    ASSERT_TRUE(z) << line;
    EXPECT_NEAR(z->x2 * kTpp, kX + laid.line.Avance - 1, 1e-9) << line;
    ExpectInside(Drawn(), BoxOf(laid.line), line);
  }
  Lay("#COC(1#COC)");
  EXPECT_EQ(TextIn(kRed), "*ERROR**ERROR*");  // both parts
  Lay("#DDL(1#N)(2#DDL)");  // a stack's separator is "#L)"
  EXPECT_EQ(TextIn(kRed), "*ERROR**ERROR*");
}

TEST(FractionParts, NestedFractionsStayWholeInEitherPart) {
  struct Case {
    const char* block;
    const char* upper;
    const char* lower;
  };
  const Case cases[] = {
      {"#COC(a#N)(b#COC)", "a", "b"},
      {"#COC(#COC(1#N)(2#COC)#N)(3#COC)", "#COC(1#N)(2#COC)", "3"},
      {"#COC(x#N)(#COC(1#N)(2#COC)#COC)", "x", "#COC(1#N)(2#COC)"},
      {"#DDL(n#L)(k#DDL)", "n", "k"},
      {"#COC(#DDL(n#L)(k#DDL)#N)(#POT(a#PB)(2#POT)#COC)", "#DDL(n#L)(k#DDL)", "#POT(a#PB)(2#POT)"},
  };
  for (const Case& c : cases) {
    const StackedParts p = CutFraction(c.block);
    EXPECT_EQ(p.upper, c.upper) << c.block;
    EXPECT_EQ(p.lower, c.lower) << c.block;
  }
}

}  // namespace
}  // namespace stagora::engine::test
