#include <gtest/gtest.h>

#include "tests/engine_formulas/formula_fixture.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

constexpr double kRoom = 0.6 * kH;   // left of the content for the sign
constexpr double kRaise = 0.4 * kH;  // the sign starts this far above the content's top

class Integral : public FormulaTest {};

TEST_F(Integral, WorkedExampleSetsADoubleSizeSignRaisedLeftOfTheContent) {
  const plat::FontSpec before = page_.font();
  const Laid laid = Lay("#INT(x dx#INT)z");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  EXPECT_EQ(laid.measuredTo, 3);  // the integral and its content

  const CajaHTFC& box = S.TablaCajas(2);
  const CajaHTFC& content = S.TablaCajas(3);
  EXPECT_NEAR(box.DesplazamientoX, kRoom, 1e-9);
  EXPECT_NEAR(box.Avance, content.Avance, 1e-9);
  EXPECT_NEAR(box.AltoSobre, 1.2 * kRaise, 1e-9);
  EXPECT_NEAR(box.AltoEje, kAxis, 1e-9);
  EXPECT_NEAR(box.AltoBajo, 1.2 * kRaise + kH, 1e-9);

  const RecordedOp* sign = TextOp(u"\u222B");
  ASSERT_TRUE(sign);
  EXPECT_EQ(sign->font.name, "Symbol");
  EXPECT_DOUBLE_EQ(sign->font.size, 24);
  EXPECT_FALSE(sign->font.italic);
  EXPECT_EQ(sign->color, 0u);
  EXPECT_NEAR(sign->x1 * kTpp, kX, 1e-9);
  EXPECT_NEAR(sign->y1 * kTpp, kY - kRaise, 1e-9);
  const RecordedOp* x = TextOp(u"x");
  ASSERT_TRUE(x);
  EXPECT_NEAR(x->x1 * kTpp, kX + kRoom + 1, 1e-9);
  EXPECT_NEAR(x->y1 * kTpp, kY, 1e-9);
  EXPECT_EQ(x->font, before);
  // The text after the construct follows the content.
  const RecordedOp* z = TextOp(u"z");
  ASSERT_TRUE(z);
  EXPECT_NEAR(z->x1 * kTpp, kX + kRoom + content.Avance + 1, 1e-9);

  EXPECT_EQ(page_.font(), before);
  EXPECT_EQ(page_.drawWidth(), 1);
}

TEST_F(Integral, InRedTextTheSignStaysBlackAndTheContentIsRed) {
  Lay("&FC=Rojo:#INT(f#INT)g");
  const RecordedOp* sign = TextOp(u"\u222B");
  ASSERT_TRUE(sign);
  EXPECT_EQ(sign->color, 0u);
  EXPECT_EQ(TextIn(kRed), "fg");  // the content, and the text after the construct
  EXPECT_EQ(page_.foreColor(), kRed);
}

TEST_F(Integral, AColourChangedInsideTheContentEndsWithTheConstruct) {
  Lay("#INT(&FC=Azul:&+Ix#INT)y");
  const RecordedOp* y = TextOp(u"y");
  ASSERT_TRUE(y);
  EXPECT_EQ(y->color, 0u);
  EXPECT_FALSE(y->font.italic);
}

TEST_F(Integral, AnUnclosedIntegralShowsTheErrorWordAfterItsSign) {
  const Laid laid = Lay("#INT(x dx");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  EXPECT_EQ(TextIn(kRed), "*ERROR*");
  EXPECT_NE(TextOp(u"\u222B"), nullptr);
}

}  // namespace
}  // namespace stagora::engine::test
