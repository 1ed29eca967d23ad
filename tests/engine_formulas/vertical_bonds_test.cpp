#include <gtest/gtest.h>

#include "tests/engine_formulas/formula_fixture.h"
#include "viewer/engine/vertical_bonds.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

constexpr double kOffset = 1.5 * kH;  // a group's line from the symbol's

class VerticalBonds : public FormulaTest {
 protected:
  // The x of every stroke, from the construct's left edge, of H.
  std::vector<double> StrokesAt(double x0) const {
    std::vector<double> at;
    for (const RecordedOp& op : Ops(RecordedOp::Line)) at.push_back((op.x1 * kTpp - x0) / kH);
    return at;
  }
};

TEST_F(VerticalBonds, GroupsStandAboveAndBelowJoinedByTheirStrokes) {
  const Laid laid = Lay("#UDB(CSD#R1(H#R1)#R2(H#R2)#UDB)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const CajaHTFC& b = S.TablaCajas(2);
  EXPECT_DOUBLE_EQ(b.DesplazamientoX, 0);
  EXPECT_DOUBLE_EQ(b.Avance, kCharAdvance);  // the symbol's alone
  EXPECT_DOUBLE_EQ(b.AltoSobre, kOffset);
  EXPECT_DOUBLE_EQ(b.AltoBajo, kOffset + kH);
  EXPECT_NEAR(b.AltoEje, kAxis, 1e-9);

  const auto texts = Ops(RecordedOp::Text);
  ASSERT_EQ(texts.size(), 3u);  // the symbol, then the upper and the lower group
  EXPECT_NEAR(texts[0].y1 * kTpp, kY, 1e-9);
  EXPECT_NEAR(texts[1].y1 * kTpp, kY - kOffset, 1e-9);
  EXPECT_NEAR(texts[2].y1 * kTpp, kY + kOffset, 1e-9);
  for (const RecordedOp& t : texts) EXPECT_NEAR(t.x1 * kTpp, kX + 1, 1e-9);

  const auto strokes = Ops(RecordedOp::Line);
  ASSERT_EQ(strokes.size(), 3u);
  const std::vector<double> at = StrokesAt(kX);
  EXPECT_NEAR(at[0], 0.3, 1e-9);  // one above
  EXPECT_NEAR(strokes[0].y1 * kTpp, kY + 0.05 * kH, 1e-9);
  EXPECT_NEAR(strokes[0].y2 * kTpp, kY - 0.55 * kH, 1e-9);
  EXPECT_NEAR(at[1], 0.2, 1e-9);  // two below
  EXPECT_NEAR(at[2], 0.4, 1e-9);
  EXPECT_NEAR(strokes[1].y1 * kTpp, kY + 0.95 * kH, 1e-9);
  EXPECT_NEAR(strokes[1].y2 * kTpp, kY + 1.55 * kH, 1e-9);
  for (const RecordedOp& s : strokes) EXPECT_EQ(s.pen, 1);
}

TEST_F(VerticalBonds, AStrokeNeedsBothItsLetterAndItsGroup) {
  struct Case {
    const char* line;
    std::vector<double> strokes;  // of H from the left edge
  };
  const Case cases[] = {
      {"#UDB(CTS#R1(H#R1)#UDB)", {0.1, 0.3, 0.5}},  // a triple bond above, no group below
      {"#UDB(CXS#R1(H#R1)#R2(H#R2)#UDB)", {0.3}},   // no letter above
      {"#UDB(CSS#UDB)", {}},
      {"#UDB(Csd#R1(H#R1)#R2(H#R2)#UDB)", {}},  // letters are upper case
  };
  for (const Case& c : cases) {
    const Laid laid = Lay(c.line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << c.line;
    const std::vector<double> at = StrokesAt(kX);
    ASSERT_EQ(at.size(), c.strokes.size()) << c.line;
    for (std::size_t k = 0; k < at.size(); ++k) EXPECT_NEAR(at[k], c.strokes[k], 1e-9) << c.line;
  }
}

TEST_F(VerticalBonds, HeightsAreWholeTwipsAndTheWidthIsTheSymbols) {
  page_.setFont(plat::FontSpec{"Times New Roman", 12.5});  // H = 287.5 twips
  Lay("#UDB(CSS#R1(HHHHHH#R1)#R2(#LP(CH_3CH_2-#LP)OH#R2)#UDB)y");
  const CajaHTFC& b = S.TablaCajas(2);
  EXPECT_DOUBLE_EQ(b.AltoSobre, 431);  // 1.5 H = 431.25
  EXPECT_DOUBLE_EQ(b.AltoBajo, 748);   // the lower left-hand text's subscript: 1.5 H + 1.1 H = 747.5, to even
  const RecordedOp* y = TextOp(u"y");
  ASSERT_TRUE(y);
  const RecordedOp* c = TextOp(u"C");
  ASSERT_TRUE(c);
  EXPECT_NEAR(y->x1 - c->x1, (c->x2 - c->x1) + 2 / kTpp, 1e-9);  // right after the symbol

  // The symbol alone: its own box, its depth taken to a whole number of twips.
  Lay("#UDB(CSS#UDB)");
  EXPECT_DOUBLE_EQ(S.TablaCajas(2).AltoSobre, 0);
  EXPECT_DOUBLE_EQ(S.TablaCajas(2).AltoBajo, 288);
}

TEST_F(VerticalBonds, ALeftHandTextEndsAtTheConstructsLeftEdgeOnItsGroupsLine) {
  const Laid laid = Lay("xx#UDB(CSS#R1(#LP(HO#LP)H#R1)#R2(#LP(Z#LP)#R2)#UDB)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const double x0 = kX + 2 * kCharAdvance;
  const RecordedOp* o = TextOp(u"O");
  ASSERT_TRUE(o);
  EXPECT_NEAR(o->x2 * kTpp + 1, x0, 1e-9);
  EXPECT_NEAR(o->y1 * kTpp, kY - kOffset, 1e-9);
  const RecordedOp* z = TextOp(u"Z");  // a lower group of nothing but its left-hand text
  ASSERT_TRUE(z);
  EXPECT_NEAR(z->x2 * kTpp + 1, x0, 1e-9);
  EXPECT_NEAR(z->y1 * kTpp, kY + kOffset, 1e-9);
  EXPECT_EQ(StrokesAt(x0).size(), 1u);  // the lower group is empty: no stroke below
}

TEST_F(VerticalBonds, OnPaperTheStrokesAreInPrinterDots) {
  const std::vector<double> strokes = LinePensOnPrinter("#UDB(CDS#R1(O#R1)#UDB)");
  for (double pen : strokes) EXPECT_EQ(pen, 6);  // 15 twips / 2.4
  EXPECT_EQ(strokes.size(), 2u);
}

TEST_F(VerticalBonds, BrokenGroupsShowTheErrorWordAndTheLineGoesOn) {
  const Laid group = Lay("#UDB(CSS#R1(H#UDB)z");
  EXPECT_EQ(group.drawnTo, group.measuredTo);
  EXPECT_EQ(TextIn(kRed), "*ERROR*");
  EXPECT_NE(TextOp(u"z"), nullptr);

  const Laid open = Lay("#UDB(CSS#R1(H#R1)");
  EXPECT_EQ(open.drawnTo, open.measuredTo);
  EXPECT_EQ(DrawnText(), "#UDB(*ERROR*#UDB)");
  EXPECT_TRUE(Ops(RecordedOp::Line).empty());
}

TEST(BondParts, PiecesAreCutFromTheFrontInOrder) {
  struct Case {
    const char* block;
    const char* symbol;
    char upper, lower;
    const char* pieces[4];  // upper and lower group, upper and lower left-hand text
  };
  const Case cases[] = {
      {"#UDB(CSD#R1(H#R1)#R2(H#R2)#UDB)", "C", 'S', 'D', {"H", "H", "", ""}},
      {"#UDB(CSS  #R1(#LP(H_3C-#LP)H#R1) #UDB)", "C", 'S', 'S', {"H", "", "H_3C-", ""}},
      {"#UDB(CSS#R2(#LP(a#LP)b#R2)#UDB)", "C", 'S', 'S', {"", "b", "", "a"}},
      {"#UDB(C#UDB)", "C", ' ', ' ', {"", "", "", ""}},
      // A left-hand text that does not open its group: the group loses its front all the same.
      {"#UDB(CSS#R1(H#LP(a#LP)#R1)#UDB)", "C", 'S', 'S', {")", "", "a", ""}},
      {"#UDB(CSS#R1(H#UDB)", "C", 'S', 'S', {"&FC=Rojo:*ERROR*&FC=Negro:", "", "", ""}},
  };
  for (const Case& c : cases) {
    const BondParts p = CutBonds(c.block);
    EXPECT_EQ(p.pieces[kCentralSymbol], c.symbol) << c.block;
    EXPECT_EQ(p.upper, c.upper) << c.block;
    EXPECT_EQ(p.lower, c.lower) << c.block;
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(p.pieces[static_cast<std::size_t>(k)], c.pieces[k - 1]) << c.block << " " << k;
  }
}

}  // namespace
}  // namespace stagora::engine::test
