#include <gtest/gtest.h>

#include "tests/engine_formulas/formula_fixture.h"
#include "viewer/engine/stacked_parts.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

constexpr double kSmallHeight = kH * 8 / 12;  // TH of a first-level stack
constexpr double kSmallAdvance = kModelCharWidth * 8 / 12 + 2;

class StackedParts : public FormulaTest {};

TEST_F(StackedParts, CentredPartsMeetOnTheLinesAxis) {
  const Laid laid = Lay("#SPB(Ca#T)(bbbb#SPB)z");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const CajaHTFC& box = S.TablaCajas(2);
  EXPECT_NEAR(box.DesplazamientoX, 0, 1e-9);
  EXPECT_NEAR(box.Avance, 4 * kSmallAdvance, 1e-9);
  EXPECT_NEAR(box.AltoSobre, 0, 1e-9);  // A1 + D1 - TH of plain parts
  EXPECT_NEAR(box.AltoEje, kSmallHeight, 1e-9);
  EXPECT_NEAR(box.AltoBajo, 2 * kSmallHeight, 1e-9);

  const RecordedOp* a = TextOp(u"a");
  const RecordedOp* b = TextOp(u"b");
  ASSERT_TRUE(a && b);
  EXPECT_DOUBLE_EQ(a->font.size, 8);
  EXPECT_DOUBLE_EQ(b->font.size, 8);
  EXPECT_NEAR(b->x1 * kTpp, kX + 1, 1e-9);
  EXPECT_NEAR(a->x1 * kTpp, kX + 1.5 * kSmallAdvance + 1, 1e-9);
  EXPECT_NEAR(a->y2 * kTpp, kY + kAxis, 1e-9);  // the boundary on the axis
  EXPECT_NEAR(b->y1 * kTpp, kY + kAxis, 1e-9);
  const RecordedOp* z = TextOp(u"z");
  ASSERT_TRUE(z);
  EXPECT_NEAR(z->x1 * kTpp, kX + 4 * kSmallAdvance + 1, 1e-9);
  EXPECT_DOUBLE_EQ(page_.font().size, 12);
  EXPECT_EQ(S.NivelIndice, 0);
  EXPECT_EQ(S.NivelFraccion, 0);
  ExpectInside(Drawn(), BoxOf(laid.line), "stacked parts");
}

TEST_F(StackedParts, TheLetterAlignsTheNarrowerPart) {
  struct Case {
    const char* line;
    double narrowStart;  // the narrower part's first character, from the construct's start
  };
  const double wide = 4 * kSmallAdvance, narrow = kSmallAdvance;
  const Case cases[] = {
      {"#SPB(Raaaa#T)(b#SPB)", wide - narrow},      {"#SPB(rb#T)(aaaa#SPB)", wide - narrow},
      {"#SPB(Caaaa#T)(b#SPB)", (wide - narrow) / 2}, {"#SPB(xaaaa#T)(b#SPB)", 0},
      {"#SPB(Lb#T)(aaaa#SPB)", 0},
  };
  for (const Case& c : cases) {
    Lay(c.line);
    const RecordedOp* b = TextOp(u"b");
    const RecordedOp* a = TextOp(u"a");
    ASSERT_TRUE(a && b) << c.line;
    EXPECT_NEAR(a->x1 * kTpp, kX + 1, 1e-9) << c.line;  // the wider part stays at the left edge
    EXPECT_NEAR(b->x1 * kTpp, kX + c.narrowStart + 1, 1e-9) << c.line;
  }
}

TEST_F(StackedParts, AStackInAStackOrInAnExponentShrinksByThreeQuarters) {
  const Laid laid = Lay("#SPB(C#SPB(C1#T)(2#SPB)#T)(n#SPB)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  ASSERT_TRUE(TextOp(u"1") && TextOp(u"n"));
  EXPECT_DOUBLE_EQ(TextOp(u"n")->font.size, 8);
  EXPECT_DOUBLE_EQ(TextOp(u"1")->font.size, 6);
  ExpectInside(Drawn(), BoxOf(laid.line), "stack in a stack");
  Lay("#POT(a#PB)(#SPB(Cb#T)(c#SPB)#POT)");
  ASSERT_TRUE(TextOp(u"c"));
  EXPECT_DOUBLE_EQ(TextOp(u"c")->font.size, 6);
  EXPECT_EQ(S.NivelIndice, 0);
  EXPECT_EQ(S.NivelFraccion, 0);
}

// The block cut's error text shows whole, in red, in place of the upper part: its first
// character is not taken for the alignment letter.
TEST_F(StackedParts, AMissingSeparatorShowsTheErrorWordInBothParts) {
  struct Case {
    const char* line;
    const char* red;
  };
  const Case cases[] = {{"#SPB(Cab#SPB)z", "*ERROR**ERROR*"}, {"#SPB(Ca#T)(b#T)(c#SPB)z", "*ERROR*"}};
  for (const Case& c : cases) {
    const Laid laid = Lay(c.line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << c.line;
    EXPECT_EQ(TextIn(kRed), c.red) << c.line;
    EXPECT_EQ(DrawnText().find("FC="), std::string::npos) << c.line;
    ASSERT_TRUE(TextOp(u"z")) << c.line;
    EXPECT_NEAR(TextOp(u"z")->x2 * kTpp + 1, kX + laid.line.Avance, 1e-9) << c.line;
  }
}

TEST(StackedPartCuts, TheLetterAndBothParts) {
  struct Case {
    const char* block;
    StackAlignment alignment;
    const char* upper;
    const char* lower;
  };
  const Case cases[] = {
      {"#SPB(Ca#T)(b#SPB)", StackAlignment::Centre, "a", "b"},
      {"#SPB(ra#T)(b#SPB)", StackAlignment::Right, "a", "b"},
      {"#SPB(La#T)(b#SPB)", StackAlignment::Left, "a", "b"},
      {"#SPB(#T)(b#SPB)", StackAlignment::Left, "", "b"},
      {"#SPB(C#SPB(R1#T)(2#SPB)#T)(n#SPB)", StackAlignment::Centre, "#SPB(R1#T)(2#SPB)", "n"},
      {"#SPB(Cab#SPB)", StackAlignment::Left, "&FC=Rojo:*ERROR*&FC=Negro:", "&FC=Rojo:*ERROR*&FC=Negro:"},
      // Texts on an arrow end their upper text with the same "#T)" and stay whole in either part.
      {"#SPB(C#ATX(a#T)(b#ATX)#T)(n#SPB)", StackAlignment::Centre, "#ATX(a#T)(b#ATX)", "n"},
      {"#SPB(Rn#T)(#ATX(a#T)(b#ATX)#SPB)", StackAlignment::Right, "n", "#ATX(a#T)(b#ATX)"},
      {"#SPB(C#ATX(#SPB(R1#T)(2#SPB)#T)(#SPB(C3#T)(4#SPB)#ATX)#T)(#ATX(#SPB(C5#T)(6#SPB)#T)(7#ATX)#SPB)",
       StackAlignment::Centre, "#ATX(#SPB(R1#T)(2#SPB)#T)(#SPB(C3#T)(4#SPB)#ATX)", "#ATX(#SPB(C5#T)(6#SPB)#T)(7#ATX)"},
  };
  for (const Case& c : cases) {
    const StackedPair p = CutStackedPair(c.block);
    EXPECT_EQ(p.alignment, c.alignment) << c.block;
    EXPECT_EQ(p.upper, c.upper) << c.block;
    EXPECT_EQ(p.lower, c.lower) << c.block;
  }
}

}  // namespace
}  // namespace stagora::engine::test
