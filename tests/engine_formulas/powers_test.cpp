#include <gtest/gtest.h>

#include "tests/engine_formulas/formula_fixture.h"
#include "viewer/engine/powers.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

constexpr double kSmallHeight = kH * 8 / 12;  // a first-level exponent's line height

class Powers : public FormulaTest {};

TEST_F(Powers, ExponentialSetsAnItalicEAndARaisedSmallerExponent) {
  const Laid laid = Lay("#EXP(x#EXP)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const RecordedOp* e = TextOp(u"e");
  const RecordedOp* x = TextOp(u"x");
  ASSERT_TRUE(e && x);
  EXPECT_TRUE(e->font.italic);
  EXPECT_DOUBLE_EQ(e->font.size, 12);
  EXPECT_FALSE(x->font.italic);  // the italic state of before the construct
  EXPECT_DOUBLE_EQ(x->font.size, 8);
  EXPECT_NEAR(x->x1 * kTpp, kX + kCharAdvance + 1, 1e-9);
  // The exponent's bottom lies 8/12 H below the base's top.
  EXPECT_NEAR(x->y2 * kTpp, kY + kH * 8 / 12, 1e-9);
  EXPECT_FALSE(page_.font().italic);
  EXPECT_EQ(S.NivelIndice, 0);
}

TEST_F(Powers, AdvanceIsTheBasesPlusTheExponentsAndTheExponentFollowsTheBase) {
  const Laid laid = Lay("#POT(ab#PB)(2#POT)");
  const CajaHTFC& power = S.TablaCajas(2);
  EXPECT_NEAR(power.Avance, 2 * kCharAdvance + (kModelCharWidth * 8 / 12 + 2), 1e-9);
  EXPECT_NEAR(power.AltoSobre, 0, 1e-9);  // exponent height 8/12 H, raised by as much
  EXPECT_NEAR(power.AltoEje, kAxis, 1e-9);
  EXPECT_NEAR(power.AltoBajo, kH, 1e-9);
  const RecordedOp* two = TextOp(u"2");
  const RecordedOp* b = TextOp(u"b");
  ASSERT_TRUE(two && b);
  EXPECT_NEAR(two->x1 * kTpp, b->x2 * kTpp + 2, 1e-9);
  EXPECT_NEAR(two->y1 * kTpp, kY, 1e-9);
  ExpectInside(Drawn(), BoxOf(laid.line), "power");
}

TEST_F(Powers, PowerNestedThreeDeepIsSizedByOneRuleInBothPasses) {
  const char* lines[] = {"#POT(a#PB)(#POT(b#PB)(#POT(c#PB)(d#POT)#POT)#POT)",
                         "#POT(a#PB)(#POT(b#PB)(#POT(c#PB)(#POT(d#PB)(e#POT)#POT)#POT)#POT)",
                         "#EXP(#EXP(#EXP(x#EXP)#EXP)#EXP)"};
  for (const char* line : lines) {
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << line;
    // The drawn line ends exactly where the measure pass said it would.
    const auto texts = Ops(RecordedOp::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_NEAR(texts.back().x2 * kTpp + 1, kX + laid.line.Avance, 1e-9) << line;
    ExpectInside(Drawn(), BoxOf(laid.line), line);
  }
  Lay(lines[1]);
  // Two thirds, three quarters of that, and the second level's size from there on.
  const std::pair<char16_t, double> sizes[] = {{u'a', 12}, {u'b', 8}, {u'c', 6}, {u'd', 6}, {u'e', 6}};
  for (const auto& [ch, size] : sizes) {
    const RecordedOp* op = TextOp(std::u16string(1, ch));
    ASSERT_TRUE(op);
    EXPECT_DOUBLE_EQ(op->font.size, size) << static_cast<char>(ch);
  }
  EXPECT_EQ(S.NivelIndice, 0);
}

TEST_F(Powers, APowerInTheBaseBelongsToTheBase) {
  const Laid laid = Lay("#POT(#POT(a#PB)(2#POT)#PB)(3#POT)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const RecordedOp* two = TextOp(u"2");
  const RecordedOp* three = TextOp(u"3");
  ASSERT_TRUE(two && three);
  EXPECT_DOUBLE_EQ(two->font.size, 8);
  EXPECT_DOUBLE_EQ(three->font.size, 8);  // the outer exponent is a first-level one
  EXPECT_GE(three->x1, two->x2);          // after the whole inner power
  ExpectInside(Drawn(), BoxOf(laid.line), "power of a power");

  // An exponent over a tall base starts above the base's top.
  const Laid tall = Lay("#POT(#COC(1#N)(2#COC)#PB)(n#POT)");
  const RecordedOp* n = TextOp(u"n");
  const RecordedOp* one = TextOp(u"1");
  ASSERT_TRUE(n && one);
  EXPECT_NEAR(n->y2 * kTpp, one->y1 * kTpp + kSmallHeight, 1e-9);
  ExpectInside(Drawn(), BoxOf(tall.line), "power of a fraction");
}

TEST_F(Powers, TheBaseCannotLeaveItsItalicsToTheExponent) {
  page_.setFontItalic(true);
  Lay("#POT(&-Ia#PB)(b#POT)c");
  const RecordedOp* a = TextOp(u"a");
  const RecordedOp* b = TextOp(u"b");
  const RecordedOp* c = TextOp(u"c");
  ASSERT_TRUE(a && b && c);
  EXPECT_FALSE(a->font.italic);
  EXPECT_TRUE(b->font.italic);
  EXPECT_TRUE(c->font.italic);
}

TEST_F(Powers, UnbalancedPartsShowTheErrorWordAndTheLineGoesOn) {
  const char* lines[] = {"#POT(a#POT)z", "#POT(a#PB)(b#PB)(c#POT)z", "#EXP(x"};
  for (const char* line : lines) {
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << line;
    EXPECT_NE(TextIn(kRed).find("*ERROR*"), std::string::npos) << line;
    ExpectInside(Drawn(), BoxOf(laid.line), line);
  }
  Lay(lines[0]);
  EXPECT_EQ(TextIn(kRed), "*ERROR**ERROR*");  // base and exponent
  EXPECT_NE(TextOp(u"z"), nullptr);
}

TEST(PowerParts, BaseAndExponentAreCutByBalancedTags) {
  struct Case {
    const char* block;
    const char* base;
    const char* exponent;
  };
  const Case cases[] = {
      {"#POT(a#PB)(2#POT)", "a", "2"},
      {"#POT(#POT(a#PB)(2#POT)#PB)(3#POT)", "#POT(a#PB)(2#POT)", "3"},
      {"#POT(x#PB)(#POT(y#PB)(2#POT)#POT)", "x", "#POT(y#PB)(2#POT)"},
      {"#EXP(-x&E2#EXP)", "&+Ie&-I", "-x&E2"},
      {"#POT((a+b)#PB)(#EXP(t#EXP)#POT)", "(a+b)", "#EXP(t#EXP)"},
  };
  for (const Case& c : cases) {
    const PowerParts p = CutPower(c.block);
    EXPECT_EQ(p.base, c.base) << c.block;
    EXPECT_EQ(p.exponent, c.exponent) << c.block;
  }
  EXPECT_DOUBLE_EQ(ExponentSizeFactor(1), 8.0 / 12);
  EXPECT_DOUBLE_EQ(ExponentSizeFactor(2), 6.0 / 8);
  EXPECT_DOUBLE_EQ(ExponentSizeFactor(3), 1.0);
  EXPECT_DOUBLE_EQ(ExponentSizeFactor(7), 1.0);
}

}  // namespace
}  // namespace stagora::engine::test
