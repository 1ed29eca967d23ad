#include <gtest/gtest.h>

#include "tests/engine_formulas/formula_fixture.h"
#include "viewer/engine/arrow_texts.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

constexpr double kM = 0.09 * kH;  // the margin unit, 24.84 twips
constexpr double kW = 15;         // the shaft, raised to 15 twips at 12 points
constexpr double kG = 15;         // the gap to each text, likewise

class ArrowTexts : public FormulaTest {};

TEST_F(ArrowTexts, EmptyTextsLeaveAShortArrowOnTheLinesAxis) {
  const Laid laid = Lay("#ATX(#T)(#ATX)z");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  EXPECT_EQ(laid.measuredTo, 4);
  const CajaHTFC& box = S.TablaCajas(2);
  EXPECT_NEAR(box.DesplazamientoX, 7 * kM, 1e-9);
  EXPECT_NEAR(box.Avance, 9 * kM, 1e-9);  // L = 2 m
  EXPECT_NEAR(box.AltoSobre, 0, 1e-9);
  // An empty text still has a line's height: the shaft lies one text, one gap down.
  EXPECT_NEAR(box.AltoEje, kH + kG + kW / 2, 1e-9);
  EXPECT_NEAR(box.AltoBajo, kH + kG + kW + kG + kH, 1e-9);

  const auto lines = Ops(RecordedOp::Line);
  ASSERT_EQ(lines.size(), 3u);  // shaft, two strokes of the head
  const double ys = kY + kAxis;
  const double xe = kX + 15 * kM - kW / 2;
  EXPECT_NEAR(lines[0].x1 * kTpp, kX + kM + kW / 2, 1e-9);
  EXPECT_NEAR(lines[0].x2 * kTpp, xe, 1e-9);
  EXPECT_NEAR(lines[0].y1 * kTpp, ys, 1e-9);
  EXPECT_NEAR(lines[0].y2 * kTpp, ys, 1e-9);
  for (int k : {1, 2}) {
    EXPECT_NEAR(lines[k].x1 * kTpp, xe, 1e-9);
    EXPECT_NEAR(lines[k].y1 * kTpp, ys, 1e-9);
    EXPECT_NEAR(lines[k].x2 * kTpp, xe - 4 * kM, 1e-9);
    EXPECT_NEAR(lines[k].y2 * kTpp, ys + (k == 1 ? -3 : 3) * kM, 1e-9);
  }
  for (const RecordedOp& op : lines) EXPECT_EQ(op.pen, 1);
  const RecordedOp* z = TextOp(u"z");
  ASSERT_TRUE(z);
  EXPECT_NEAR(z->x1 * kTpp, kX + 16 * kM + 1, 1e-9);
  EXPECT_EQ(page_.drawWidth(), 1);
  EXPECT_EQ(S.NivelFraccion, 0);
}

TEST_F(ArrowTexts, TheShorterTextIsCentredOverTheLongerAndTheUpperIsRaised) {
  const Laid laid = Lay("#ATX(a#T)(bbb#ATX)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const double F2 = 3 * kCharAdvance;
  const CajaHTFC& box = S.TablaCajas(2);
  EXPECT_NEAR(box.DesplazamientoX, 7 * kM, 1e-9);
  EXPECT_NEAR(box.Avance, F2 + 9 * kM, 1e-9);

  const double x0 = kX + 7 * kM;
  const double y0 = kY + kAxis - (kH + kG + kW / 2);  // the construct's reference line
  const RecordedOp* a = TextOp(u"a");
  const RecordedOp* b = TextOp(u"b");
  ASSERT_TRUE(a && b);
  EXPECT_NEAR(a->x1 * kTpp, x0 + kCharAdvance + kM + 1, 1e-9);
  EXPECT_NEAR(b->x1 * kTpp, x0 + kM + 1, 1e-9);
  EXPECT_NEAR(a->y1 * kTpp, y0 - 2 * kM, 1e-9);
  EXPECT_NEAR(b->y1 * kTpp, y0 + kH + kG + kW + kG, 1e-9);
  // Both texts are centred on the shaft.
  const RecordedOp shaft = Ops(RecordedOp::Line).at(0);
  EXPECT_NEAR((a->x1 + a->x2) / 2, (shaft.x1 + shaft.x2) / 2, 1e-9);
  EXPECT_DOUBLE_EQ(a->font.size, 12);
  EXPECT_DOUBLE_EQ(b->font.size, 12);
}

TEST_F(ArrowTexts, AFractionOnTheArrowCountsAsNested) {
  // At 48 points an outermost bar is three pixels, a nested one one pixel.
  page_.setFontSize(48);
  Lay("#ATX(#COC(1#N)(2#COC)#T)(#ATX)");
  const auto lines = Ops(RecordedOp::Line);
  ASSERT_EQ(lines.size(), 4u);  // the bar, then the arrow
  EXPECT_EQ(lines[0].pen, 1);
  EXPECT_EQ(S.NivelFraccion, 0);
}

TEST_F(ArrowTexts, OnAPrinterTheShaftPenIsInPrinterDots) {
  const std::vector<double> lines = LinePensOnPrinter("#ATX(a#T)(b#ATX)");
  for (double pen : lines) EXPECT_EQ(pen, 6);  // 15 twips / 2.4
  EXPECT_EQ(lines.size(), 3u);
}

TEST_F(ArrowTexts, AMissingOrDoubledSeparatorShowsTheErrorWord) {
  struct Case {
    const char* line;
    const char* red;
  };
  const Case cases[] = {{"#ATX(ab#ATX)z", "*ERROR**ERROR*"}, {"#ATX(a#T)(b#T)(c#ATX)z", "*ERROR*"}};
  for (const Case& c : cases) {
    const Laid laid = Lay(c.line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << c.line;
    EXPECT_EQ(TextIn(kRed), c.red) << c.line;
    ASSERT_TRUE(TextOp(u"z")) << c.line;
    EXPECT_NEAR(TextOp(u"z")->x2 * kTpp + 1, kX + laid.line.Avance, 1e-9) << c.line;
  }
}

TEST_F(ArrowTexts, AnIsotopeStandsOverItsArrow) {
  const Laid laid = Lay("#ATX(#SPB(R235#T)(92#SPB)U#T)(decay#ATX)z");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  EXPECT_EQ(TextIn(kRed), "");
  EXPECT_EQ(DrawnText(), "23592Udecayz");
  const RecordedOp shaft = Ops(RecordedOp::Line).at(0);
  for (const char16_t* above : {u"2", u"9", u"U"}) EXPECT_LT(TextOp(above)->y2, shaft.y1) << char(*above);
  EXPECT_GT(TextOp(u"d")->y1, shaft.y1);
  EXPECT_LT(TextOp(u"9")->font.size, 12);  // the stack in its reduced size
  EXPECT_EQ(S.NivelFraccion, 0);
  EXPECT_EQ(S.NivelIndice, 0);
}

TEST(ArrowTextParts, NestedArrowsStayWholeInEitherText) {
  struct Case {
    const char* block;
    const char* upper;
    const char* lower;
  };
  const Case cases[] = {
      {"#ATX(a#T)(b#ATX)", "a", "b"},
      {"#ATX(#T)(#ATX)", "", ""},
      {"#ATX(#ATX(a#T)(b#ATX)#T)(c#ATX)", "#ATX(a#T)(b#ATX)", "c"},
      {"#ATX(c#T)(#ATX(a#T)(b#ATX)#ATX)", "c", "#ATX(a#T)(b#ATX)"},
      {"#ATX(#COC(1#N)(2#COC)#T)(#NES(()x#NES)#ATX)", "#COC(1#N)(2#COC)", "#NES(()x#NES)"},
      // Stacked parts end their upper part with the same "#T)" and stay whole in either text.
      {"#ATX(#SPB(R235#T)(92#SPB)U#T)(decay#ATX)", "#SPB(R235#T)(92#SPB)U", "decay"},
      {"#ATX(c#T)(#SPB(Ca#T)(b#SPB)#ATX)", "c", "#SPB(Ca#T)(b#SPB)"},
      {"#ATX(#SPB(C#ATX(a#T)(b#ATX)#T)(c#SPB)#T)(#SPB(R#ATX(d#T)(e#ATX)#T)(#SPB(Cf#T)(g#SPB)#SPB)#ATX)",
       "#SPB(C#ATX(a#T)(b#ATX)#T)(c#SPB)", "#SPB(R#ATX(d#T)(e#ATX)#T)(#SPB(Cf#T)(g#SPB)#SPB)"},
  };
  for (const Case& c : cases) {
    const engine::ArrowTexts p = CutArrowTexts(c.block);
    EXPECT_EQ(p.upper, c.upper) << c.block;
    EXPECT_EQ(p.lower, c.lower) << c.block;
  }
}

}  // namespace
}  // namespace stagora::engine::test
