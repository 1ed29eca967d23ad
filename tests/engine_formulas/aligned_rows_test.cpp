#include <gtest/gtest.h>

#include "tests/engine_formulas/formula_fixture.h"
#include "viewer/engine/aligned_rows.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

constexpr double kGap = 0.0354 * kH;

class AlignedRowsTest : public FormulaTest {
 protected:
  // Left and right end of the characters drawn for one row's text (room included).
  std::pair<double, double> RowSpan(char16_t firstChar, char16_t lastChar) const {
    const RecordedOp* a = TextOp(std::u16string(1, firstChar));
    const RecordedOp* b = TextOp(std::u16string(1, lastChar));
    EXPECT_TRUE(a && b);
    if (!a || !b) return {0, 0};
    return {a->x1 * kTpp - 1, b->x2 * kTpp + 1};
  }
};

TEST_F(AlignedRowsTest, NoRowsGiveAnEmptyBoxAndDrawNothing) {
  const Laid laid = Lay("#RWS(L#RWS)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const CajaHTFC& box = S.TablaCajas(2);
  EXPECT_DOUBLE_EQ(box.Avance, 0);
  EXPECT_DOUBLE_EQ(box.AltoSobre, 0);
  EXPECT_DOUBLE_EQ(box.AltoEje, 0);
  EXPECT_DOUBLE_EQ(box.AltoBajo, 0);
  EXPECT_TRUE(page_.ops().empty());
}

TEST_F(AlignedRowsTest, OneRowIsItsOwnBoxAndTwoRowsCentreTheAxisInTheGap) {
  Lay("#RWS(C#RW1(a#POT(b#PB)(2#POT)#RW1)#RWS)");
  const CajaHTFC one = S.TablaCajas(2), row = S.TablaCajas(3);
  EXPECT_DOUBLE_EQ(one.DesplazamientoX, row.DesplazamientoX);
  EXPECT_DOUBLE_EQ(one.Avance, row.Avance);
  EXPECT_DOUBLE_EQ(one.AltoSobre, row.AltoSobre);
  EXPECT_DOUBLE_EQ(one.AltoEje, row.AltoEje);
  EXPECT_DOUBLE_EQ(one.AltoBajo, row.AltoBajo);

  const Laid laid = Lay("#RWS(L#RW1(a#RW1)#RW2(b#RW2)#RWS)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const CajaHTFC& two = S.TablaCajas(2);
  EXPECT_NEAR(two.AltoBajo, 2 * kH + kGap, 1e-9);
  EXPECT_NEAR(two.AltoEje, kH + kGap / 2, 1e-9);
  const RecordedOp* a = TextOp(u"a");
  const RecordedOp* b = TextOp(u"b");
  ASSERT_TRUE(a && b);
  // The stack's middle on the line's axis; the second row one gap below the first.
  EXPECT_NEAR(a->y1 * kTpp, kY + kAxis - (kH + kGap / 2), 1e-9);
  EXPECT_NEAR(b->y1 * kTpp, a->y2 * kTpp + kGap, 1e-9);
  EXPECT_DOUBLE_EQ(a->x1, b->x1);
  ExpectInside(Drawn(), BoxOf(laid.line), "two rows");
}

TEST_F(AlignedRowsTest, RightRowsEndTogetherAndCentredRowsShareTheirMiddle) {
  for (const char* line : {"#RWS(R#RW1(a#RW1)#RW2(bcd#RW2)#RWS)", "#RWS(r#RW1(a#RW1)#RW2(bcd#RW2)#RWS)"}) {
    const Laid laid = Lay(line);
    const auto first = RowSpan(u'a', u'a'), second = RowSpan(u'b', u'd');
    EXPECT_NEAR(first.second, second.second, 1e-9) << line;
    EXPECT_NEAR(second.first, kX, 1e-9) << line;
    ExpectInside(Drawn(), BoxOf(laid.line), line);
  }
  const Laid laid = Lay("#RWS(C#RW1(a#RW1)#RW2(bcd#RW2)#RWS)");
  const auto first = RowSpan(u'a', u'a'), second = RowSpan(u'b', u'd');
  EXPECT_NEAR(first.first + first.second, second.first + second.second, 1e-9);
  ExpectInside(Drawn(), BoxOf(laid.line), "centred");
}

TEST_F(AlignedRowsTest, RowsOfAnUnknownAlignmentStartAtTheLeftEdgeInsideTheirBox) {
  const Laid laid = Lay("#RWS(Q#RW1(abc#RW1)#RW2(d#RW2)#RW3(e#RW3)#RWS)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const RecordedOp* a = TextOp(u"a");
  const RecordedOp* d = TextOp(u"d");
  const RecordedOp* e = TextOp(u"e");
  ASSERT_TRUE(a && d && e);
  EXPECT_DOUBLE_EQ(d->x1, a->x1);
  EXPECT_DOUBLE_EQ(e->x1, a->x1);
  ExpectInside(Drawn(), BoxOf(laid.line), "unknown letter");
}

TEST_F(AlignedRowsTest, InATinyFontTheGapIsOneTwip) {
  Lay("&FS=1:#RWS(L#RW1(a#RW1)#RW2(b#RW2)#RWS)");
  const double h = kH / 12;  // 1 point
  EXPECT_NEAR(S.TablaCajas(2).AltoBajo, 2 * h + 1, 1e-9);
}

TEST_F(AlignedRowsTest, StrayTextOrASkippedNumberTurnsTheFollowingRowsIntoErrorRows) {
  struct Case {
    const char* line;
    const char* drawn;  // the black text
    int errorRows;
  };
  const Case cases[] = {
      {"#RWS(L #RW1(a#RW1)#RW2(b#RW2)#RWS)z", "abz", 7},
      {"#RWS(L#RW1(a#RW1)#RW3(b#RW3)#RWS)z", "az", 8},
      {"#RWS(L#RW1(a#RW1)#RW2(b#RW2)#RW3(c#RW3)#RW4(d#RW4)#RW5(e#RW5)#RW6(f#RW6)#RW7(g#RW7)#RW8(h#RW8)"
       "#RW9(i#RW9)#RW10(j#RW10)#RWS)z",
       "abcdefghiz", 0},  // a tenth row is never read
      {"#RWS(L#RW1(a#RW1)z", "", 9},  // not closed: every row an error row
  };
  for (const Case& c : cases) {
    const Laid laid = Lay(c.line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << c.line;
    std::string errors;
    for (int k = 0; k < c.errorRows; ++k) errors += "*ERROR*";
    EXPECT_EQ(TextIn(kRed), errors) << c.line;
    EXPECT_EQ(TextIn(0), c.drawn) << c.line;
    ExpectInside(Drawn(), BoxOf(laid.line), c.line);
  }
}

TEST_F(AlignedRowsTest, RowsHoldAnyConstructAndNestedRows) {
  const char* line =
      "#RWS(L#RW1(y = #COC(#SQR(x#SQR)#N)(2#COC)#RW1)#RW2(#RWS(R#RW1(1#RW1)#RW2(#POT(e#PB)(2#POT)#RW2)#RWS)#RW2)"
      "#RWS)";
  const Laid laid = Lay(line);
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  EXPECT_TRUE(TextIn(kRed).empty());
  ExpectInside(Drawn(), BoxOf(laid.line), "nested rows");
}

TEST(RowsCut, RowsAreCutFromTheFrontInOrder) {
  const AlignedRows r = CutRows("#RWS(c#RW1(a#RW1)#RW2(#RWS(L#RW1(x#RW1)#RWS)#RW2)#RWS)");
  EXPECT_EQ(r.alignment, 'C');
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(r.rows[0], "a");
  EXPECT_EQ(r.rows[1], "#RWS(L#RW1(x#RW1)#RWS)");
  EXPECT_TRUE(CutRows("#RWS(L#RWS)").rows.empty());
}

}  // namespace
}  // namespace stagora::engine::test
