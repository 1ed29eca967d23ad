#include <gtest/gtest.h>

#include "tests/engine_formulas/formula_fixture.h"
#include "viewer/engine/stacked_texts.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

constexpr double kGap = 0.0354 * kH;             // between the stacked lines
constexpr double kSmallHeight = kH * 8 / 12;     // a stacked text's line height at 12 points
constexpr double kSmallAdvance = kModelCharWidth * 8 / 12 + 2;

class StackedTexts : public FormulaTest {};

TEST_F(StackedTexts, OneStackedTextHangsBelowTheBaseLeftAligned) {
  const Laid laid = Lay("#TST(max#TS)(#ST1(y#ST1)#TST)z");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const CajaHTFC& box = S.TablaCajas(2);
  EXPECT_NEAR(box.DesplazamientoX, 0, 1e-9);
  EXPECT_NEAR(box.Avance, 3 * kCharAdvance, 1e-9);  // the wider base
  EXPECT_NEAR(box.AltoSobre, 0, 1e-9);
  EXPECT_NEAR(box.AltoEje, kAxis, 1e-9);
  EXPECT_NEAR(box.AltoBajo, kH + kGap + kSmallHeight, 1e-9);
  EXPECT_NEAR(laid.line.AltoBajo, box.AltoBajo, 1e-9);  // the line gets deeper by the stack

  const RecordedOp* m = TextOp(u"m");
  const RecordedOp* y = TextOp(u"y");
  ASSERT_TRUE(m && y);
  EXPECT_NEAR(m->y1 * kTpp, kY, 1e-9);
  EXPECT_DOUBLE_EQ(y->font.size, 8);
  EXPECT_NEAR(y->x1, m->x1, 1e-9);
  EXPECT_NEAR(y->y1 * kTpp, kY + kH + kGap, 1e-9);
  const RecordedOp* z = TextOp(u"z");
  ASSERT_TRUE(z);
  EXPECT_NEAR(z->x1 * kTpp, kX + 3 * kCharAdvance + 1, 1e-9);
  EXPECT_DOUBLE_EQ(page_.font().size, 12);
  EXPECT_EQ(S.NivelIndice, 0);
  ExpectInside(Drawn(), BoxOf(laid.line), "stacked texts");
}

TEST_F(StackedTexts, ThreeStackedTextsFollowOneAnotherAndTheWidestSetsTheAdvance) {
  const Laid laid = Lay("#TST(a#TS)(#ST1(b#ST1)#ST2(cccccc#ST2)#ST3(d#ST3)#TST)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  EXPECT_EQ(laid.measuredTo, 6);  // the construct, its base and three texts
  const CajaHTFC& box = S.TablaCajas(2);
  EXPECT_NEAR(box.Avance, 6 * kSmallAdvance, 1e-9);
  EXPECT_NEAR(box.AltoBajo, kH + 3 * (kGap + kSmallHeight), 1e-9);
  const RecordedOp* a = TextOp(u"a");
  const RecordedOp* b = TextOp(u"b");
  const RecordedOp* c = TextOp(u"c");
  const RecordedOp* d = TextOp(u"d");
  ASSERT_TRUE(a && b && c && d);
  for (const RecordedOp* op : {b, c, d}) {
    EXPECT_NEAR(op->x1, a->x1, 1e-9);  // nothing is centred
    EXPECT_DOUBLE_EQ(op->font.size, 8);
  }
  EXPECT_NEAR(c->y1 * kTpp, kY + kH + 2 * kGap + kSmallHeight, 1e-9);
  EXPECT_NEAR(d->y1 * kTpp, kY + kH + 3 * kGap + 2 * kSmallHeight, 1e-9);
  ExpectInside(Drawn(), BoxOf(laid.line), "three stacked texts");
}

TEST_F(StackedTexts, InsideAnExponentTheyShrinkOnceMoreAndDeeperTheyKeepTheirSize) {
  Lay("#POT(a#PB)(#TST(b#TS)(#ST1(c#ST1)#TST)#POT)");
  ASSERT_TRUE(TextOp(u"c"));
  EXPECT_DOUBLE_EQ(TextOp(u"b")->font.size, 8);
  EXPECT_DOUBLE_EQ(TextOp(u"c")->font.size, 6);
  Lay("#POT(a#PB)(#POT(b#PB)(#TST(c#TS)(#ST1(d#ST1)#TST)#POT)#POT)");
  ASSERT_TRUE(TextOp(u"d"));
  EXPECT_DOUBLE_EQ(TextOp(u"d")->font.size, TextOp(u"c")->font.size);
  EXPECT_EQ(S.NivelIndice, 0);
}

TEST_F(StackedTexts, EveryStackedTextHasTheSizeOfTheFirstWhateverTheBaseSwitched) {
  const Laid laid = Lay("#TST(&FS=20:a#TS)(#ST1(b#ST1)#ST2(c#ST2)#TST)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  ASSERT_TRUE(TextOp(u"b") && TextOp(u"c"));
  EXPECT_DOUBLE_EQ(TextOp(u"b")->font.size, 8);
  EXPECT_DOUBLE_EQ(TextOp(u"c")->font.size, 8);
}

TEST_F(StackedTexts, AMissingStackedBlockShowsTheErrorWordInItsPlace) {
  // Once a text is announced and missing, nothing that follows it is the closing tag, so
  // every further text up to the third is announced too.
  struct Case {
    const char* line;
    const char* red;
  };
  const Case cases[] = {{"#TST(a#TS)(#ST1(b#ST1)x#TST)z", "*ERROR**ERROR*"},
                        {"#TST(a#TS)(#TST)z", "*ERROR**ERROR**ERROR*"},
                        {"#TST(a#ST1(b#ST1)#TST)z", "*ERROR**ERROR**ERROR**ERROR*"}};
  for (const Case& c : cases) {
    const char* line = c.line;
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << line;
    EXPECT_EQ(TextIn(kRed), c.red) << line;
    ASSERT_TRUE(TextOp(u"z")) << line;
    EXPECT_NEAR(TextOp(u"z")->x2 * kTpp + 1, kX + laid.line.Avance, 1e-9) << line;
    ExpectInside(Drawn(), BoxOf(laid.line), line);
  }
}

TEST(StackedTextParts, TheBaseAndOneToThreeTexts) {
  struct Case {
    const char* block;
    const char* base;
    std::vector<std::string> texts;
  };
  const std::string error = "&FC=Rojo:*ERROR*&FC=Negro:";
  const Case cases[] = {
      {"#TST(a#TS)(#ST1(b#ST1)#TST)", "a", {"b"}},
      {"#TST(a#TS)(#ST1(b#ST1)#ST2(c#ST2)#TST)", "a", {"b", "c"}},
      {"#TST(a#TS)(#ST1(b#ST1)#ST2(c#ST2)#ST3(d#ST3)#TST)", "a", {"b", "c", "d"}},
      // What stands after the third block is ignored.
      {"#TST(a#TS)(#ST1(b#ST1)#ST2(c#ST2)#ST3(d#ST3)junk#TST)", "a", {"b", "c", "d"}},
      // A nested construct stays whole in the base and in a text.
      {"#TST(#TST(x#TS)(#ST1(y#ST1)#TST)#TS)(#ST1(#COC(1#N)(2#COC)#ST1)#TST)", "#TST(x#TS)(#ST1(y#ST1)#TST)",
       {"#COC(1#N)(2#COC)"}},
      // Anything but the closing tag after a text announces the next one.
      {"#TST(a#TS)(#ST1(b#ST1)x#TST)", "a", {"b", error, error}},
  };
  for (const Case& c : cases) {
    const engine::StackedTexts p = CutStackedTexts(c.block);
    EXPECT_EQ(p.base, c.base) << c.block;
    EXPECT_EQ(p.texts, c.texts) << c.block;
  }
}

}  // namespace
}  // namespace stagora::engine::test
