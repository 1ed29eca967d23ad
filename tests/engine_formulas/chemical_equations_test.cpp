#include <gtest/gtest.h>

#include <utility>

#include "tests/engine_formulas/formula_fixture.h"
#include "viewer/engine/chemical_equations.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

constexpr double kGap = 0.67 * kH;     // between columns
constexpr double kRowGap = 0.59 * kH;  // from a row's axis to its rule
constexpr double kPlusWidth = kModelCharWidth;

class ChemicalEquations : public FormulaTest {
 protected:
  std::vector<RecordedOp> TextsOf(const std::u16string& text) const {
    std::vector<RecordedOp> out;
    for (const RecordedOp& op : Ops(RecordedOp::Text)) {
      if (op.text == text) out.push_back(op);
    }
    return out;
  }
};

TEST_F(ChemicalEquations, AOneRowEquationStandsInTheLineLikeText) {
  const Laid laid = Lay("#CEQ(1'A + B = C'#CEQ)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  EXPECT_EQ(laid.measuredTo, 2 + 4);  // the construct and its four cells
  // Columns " ", " A ", " B ", " C" and three gaps.
  const double widths[] = {kCharAdvance, 3 * kCharAdvance, 3 * kCharAdvance, 2 * kCharAdvance};
  const CajaHTFC& b = S.TablaCajas(2);
  EXPECT_NEAR(b.Avance, widths[0] + widths[1] + widths[2] + widths[3] + 3 * kGap, 1e-9);
  EXPECT_DOUBLE_EQ(b.AltoSobre, 0);
  EXPECT_NEAR(b.AltoEje, kAxis, 1e-9);
  EXPECT_DOUBLE_EQ(b.AltoBajo, kH);

  double column[4] = {kX};
  for (int c = 1; c < 4; ++c) column[c] = column[c - 1] + widths[c - 1] + kGap;
  for (const auto& [text, c] : {std::pair{u"A", 1}, {u"B", 2}, {u"C", 3}}) {
    const RecordedOp* op = TextOp(text);
    ASSERT_TRUE(op);
    EXPECT_NEAR(op->x1 * kTpp, column[c] + kCharAdvance + 1, 1e-9);  // after the cell's space
    EXPECT_NEAR(op->y1 * kTpp, kY, 1e-9);                             // on the line
  }
  // The plus sign centred on the left edge of the second species' column, clear of its
  // first character; the arrow two plus widths before the right side's column.
  const auto plus = TextsOf(u"+");
  ASSERT_EQ(plus.size(), 1u);
  EXPECT_NEAR(plus[0].x1 * kTpp, column[2] - kPlusWidth / 2, 1e-9);
  EXPECT_LE(plus[0].x2, TextOp(u"B")->x1);
  const RecordedOp* arrow = TextOp(u"\u2192");
  ASSERT_TRUE(arrow);
  EXPECT_EQ(arrow->font.name, "Symbol");
  EXPECT_NEAR(arrow->x1 * kTpp, column[3] - 2 * kPlusWidth, 1e-9);
  EXPECT_EQ(TextOp(u"C")->font.name, "Times New Roman");
  ExpectInside(Drawn(), BoxOf(laid.line), "one-row equation");
}

TEST_F(ChemicalEquations, TheArrowCodeChoosesTheArrow) {
  struct Case {
    const char* line;
    const char16_t* glyph;  // nullptr: the drawn equilibrium half-arrows
  };
  const Case cases[] = {
      {"#CEQ(1'A = B'#CEQ)", u"\u2192"},
      {"#CEQ(1'A &ars B'#CEQ)", u"\u2192"},
      {"#CEQ(1'A &als B'#CEQ)", u"\u2190"},
      {"#CEQ(1'A == B'#CEQ)", nullptr},
      {"#CEQ(1'A &Q B'#CEQ)", nullptr},
  };
  V.Zoom = 1.5;
  for (const Case& c : cases) {
    Lay(c.line);
    const auto lines = Ops(RecordedOp::Line);
    if (c.glyph) {
      EXPECT_NE(TextOp(c.glyph), nullptr) << c.line;
      EXPECT_TRUE(lines.empty()) << c.line;
      continue;
    }
    ASSERT_EQ(lines.size(), 4u) << c.line;
    // The right side's column starts after " ", "A " (or "A") and two gaps.
    const CajaHTFC& a = S.TablaCajas(4);
    const double column = kX + kCharAdvance + kGap + a.Avance + kGap;
    const double x1 = column - kPlusWidth / 2 - kModelCharWidth;  // less the width of "k"
    EXPECT_NEAR(lines[0].x1 * kTpp, x1, 1e-9) << c.line;
    EXPECT_NEAR(lines[0].y1 * kTpp, kY + kH / 2.5, 1e-9) << c.line;
    EXPECT_NEAR((lines[0].x2 - lines[0].x1) * kTpp, 240 * 1.5, 1e-9) << c.line;  // scaled by the zoom
    EXPECT_NEAR((lines[1].y2 - lines[1].y1) * kTpp, -50 * 1.5, 1e-9) << c.line;  // barb above
    EXPECT_NEAR(lines[2].y1 * kTpp, kY + kH / 1.7, 1e-9) << c.line;
    EXPECT_NEAR((lines[3].y2 - lines[3].y1) * kTpp, 50 * 1.5, 1e-9) << c.line;   // barb below
  }
  EXPECT_EQ(page_.drawWidth(), 1);
}

// The "=" of a symbol code is the symbol's: it is drawn where typed and adds no arrow.
TEST_F(ChemicalEquations, SymbolCodesInSpeciesAreDrawnWhereTyped) {
  struct Case {
    const char* line;
    const char16_t* symbol;
    std::size_t arrowGlyphs;  // Symbol-font arrows; the equilibrium is four strokes
    std::size_t strokes;
  };
  const Case cases[] = {
      {"#CEQ(1'N_2 + 3H_2 &Q 2NH_3 (T &>= 700 K)'#CEQ)", u"\u2265", 0, 4},
      {"#CEQ(1'A &<= B = C'#CEQ)", u"\u2264", 1, 0},
      {"#CEQ(1'A &!= B &ars C'#CEQ)", u"\u2260", 1, 0},
  };
  for (const Case& c : cases) {
    const Laid laid = Lay(c.line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << c.line;
    EXPECT_TRUE(TextIn(kRed).empty()) << c.line;
    EXPECT_NE(TextOp(c.symbol), nullptr) << c.line;
    EXPECT_EQ(TextsOf(u"\u2192").size(), c.arrowGlyphs) << c.line;
    EXPECT_EQ(Ops(RecordedOp::Line).size(), c.strokes) << c.line;
    EXPECT_EQ(DrawnText().find('&'), std::string::npos) << DrawnText();
  }
}

TEST_F(ChemicalEquations, TableRowsStandUnderTheSpeciesWithARuleBetweenThem) {
  const Laid laid = Lay(
      "&LC=Azul:#CEQ(3'A = B'#A21(mol#A21)#A22(1#A22)#A23(2#A23)#A31(g#A31)#A32(10#A32)#A33(20#A33)#CEQ)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const double widths[] = {5 * kCharAdvance, 4 * kCharAdvance, 4 * kCharAdvance};  // " mol ", " 10 ", " 20 "
  const double total = widths[0] + widths[1] + widths[2] + 2 * kGap;
  const CajaHTFC& b = S.TablaCajas(2);
  EXPECT_NEAR(b.Avance, total, 1e-9);
  EXPECT_NEAR(b.AltoBajo, 3 * kH + 2 * kRowGap, 1e-9);
  EXPECT_NEAR(b.AltoEje, 0.7 * kH + kH, 1e-9);

  const double top = kY + kAxis - b.AltoEje;
  const auto rules = Ops(RecordedOp::Line);
  ASSERT_EQ(rules.size(), 2u);
  for (std::size_t r = 0; r < 2; ++r) {
    const double axis = top + kAxis + r * (kRowGap + kAxis);
    EXPECT_EQ(rules[r].color, plat::Rgb(0, 0, 255));
    EXPECT_NEAR(rules[r].x1 * kTpp, kX, 1e-9);
    EXPECT_NEAR(rules[r].x2 * kTpp, kX + total, 1e-9);
    EXPECT_NEAR(rules[r].y1 * kTpp, axis + kRowGap, 1e-9);
  }
  // Labels left-aligned, entries centred in their columns.
  EXPECT_NEAR(TextOp(u"m")->x1 * kTpp, kX + kCharAdvance + 1, 1e-9);
  EXPECT_NEAR(TextOp(u"g")->x1 * kTpp, kX + kCharAdvance + 1, 1e-9);
  const double second = kX + widths[0] + kGap;
  EXPECT_NEAR(TextOp(u"1")->x1 * kTpp, second + kCharAdvance / 2 + kCharAdvance + 1, 1e-9);
  EXPECT_NEAR(TextOp(u"1")->y1 * kTpp, top + kRowGap + kAxis, 1e-9);
  ExpectInside(Drawn(), BoxOf(laid.line), "table", 7.5);  // half the rules' pen past their ends
}

TEST_F(ChemicalEquations, WithoutARowCountNothingIsDrawnButTheGapsAreKept) {
  const Laid laid = Lay("#CEQ(x'A + B = C'#CEQ)z");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  EXPECT_NEAR(S.TablaCajas(2).Avance, 3 * kGap, 1e-9);
  EXPECT_EQ(DrawnText(), "z");
  EXPECT_NEAR(TextOp(u"z")->x1 * kTpp, kX + 3 * kGap + 1, 1e-9);
}

TEST_F(ChemicalEquations, AnEquationThatCannotBeLaidOutShowsTheErrorWordAndTheLineGoesOn) {
  const char* lines[] = {
      "#CEQ(1A = B#CEQ)z",                                      // no apostrophes
      "#CEQ(1'A = B#CEQ)z",                                     // one
      "#CEQ(1'A + B + C + D + E = F + G + H + I'#CEQ)z",        // nine species
      "#CEQ(1'A = B'z",                                         // not closed
      "#CEQ(1 Reaction: 'A = B'#CEQ)z",                         // a caption before the equation
  };
  for (const char* line : lines) {
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << line;
    EXPECT_EQ(TextIn(kRed), "*ERROR*") << line;
    EXPECT_EQ(DrawnText().substr(0, 17), "#CEQ(*ERROR*#CEQ)") << line;
    ExpectInside(Drawn(), BoxOf(laid.line), line);
  }
  // Eight species still fit.
  const Laid eight = Lay("#CEQ(1'A + B + C + D = E + F + G + H'#CEQ)");
  EXPECT_TRUE(TextIn(kRed).empty());
  EXPECT_EQ(TextsOf(u"+").size(), 6u);
  EXPECT_EQ(eight.drawnTo, 2 + 9);
}

TEST_F(ChemicalEquations, ConstructsInsideSpeciesAreDrawnWhole) {
  struct Case {
    const char* line;
    std::size_t plusSigns;
    std::size_t strokes;  // lines drawn: the ring's bonds, the fraction's bar
  };
  const Case cases[] = {
      {"#CEQ(1'#A6V(SSSSSS&EC=SDSDSD#A6V) + Br_2 = C_6H_5Br + HBr'#CEQ)z", 2, 9},
      {"#CEQ(1'#COC(a + b#N)(2#COC)X + Y = Z'#CEQ)z", 1, 1},
      // Apostrophes inside a nested construct are the construct's, not the equation's end.
      {"#CEQ(1'#COC(R'#N)(2#COC) + B = C'#CEQ)z", 1, 1},
      {"#CEQ(1'A + #CEQ(1'C = D'#CEQ) = B'#CEQ)z", 1, 0},
  };
  for (const Case& c : cases) {
    const Laid laid = Lay(c.line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << c.line;
    EXPECT_EQ(TextIn(kRed), "") << c.line;
    const std::string text = DrawnText();
    EXPECT_EQ(text.find('#'), std::string::npos) << text;
    EXPECT_EQ(text.find("A6V"), std::string::npos) << text;
    EXPECT_EQ(text.find("COC"), std::string::npos) << text;
    EXPECT_NE(TextOp(u"\u2192"), nullptr) << c.line;
    EXPECT_EQ(TextsOf(u"+").size(), c.plusSigns + (std::string(c.line).find("a + b") != std::string::npos)) << c.line;
    EXPECT_EQ(Ops(RecordedOp::Line).size(), c.strokes) << c.line;
    EXPECT_EQ(text.back(), 'z') << c.line;
  }
}

TEST_F(ChemicalEquations, AnEquationCutShortShowsTheErrorFormAndTheLineGoesOn) {
  for (const char* line : {
           "#CEQ(1'R'COOH + H_2O = R'COO^- + H_3O^+'#CEQ)z",  // primes
           "#CEQ(1'A &Q A' + B'#CEQ)z",                        // text after the closing apostrophe
           "#CEQ(1'A = B'C'#CEQ)z",
           "#CEQ(1'A + B #ATX(k#T)(x#ATX) C'#CEQ)z",           // its only arrow on an arrow's text
       }) {
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << line;
    EXPECT_EQ(TextIn(kRed), "*ERROR*") << line;
    EXPECT_EQ(DrawnText(), "#CEQ(*ERROR*#CEQ)z") << line;
  }
}

TEST_F(ChemicalEquations, AOneRowBoxHoldsItsRowWithTheRowsAxisOnTheLines) {
  const Laid laid = Lay("x#CEQ(1'#COC(1#N)(2#COC)A + B = C'#CEQ)y");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const double line = TextOp(u"x")->y1;
  for (const char16_t* text : {u"A", u"B", u"C", u"y"}) EXPECT_DOUBLE_EQ(TextOp(text)->y1, line);
  EXPECT_GT(laid.line.AltoSobre, 0);  // the line makes room for the fraction
  ExpectInside(Drawn(), BoxOf(laid.line), "tall species");

  // A subscript deepens the row as it deepens a line of text.
  Lay("#CEQ(1'H_2 = H'#CEQ)");
  EXPECT_NEAR(S.TablaCajas(2).AltoBajo, 1.1 * kH, 1e-9);
  EXPECT_NEAR(S.TablaCajas(2).AltoEje, kAxis, 1e-9);
}

TEST(EquationParts, TheEquationIsSplitAtItsArrowAndItsPlusSigns) {
  struct Case {
    const char* block;
    const char* arrow;
    int leftColumns;
    std::vector<std::string> first;  // row 1
  };
  const Case cases[] = {
      {"#CEQ(1'A + B = C'#CEQ)", "&ars", 3, {" ", " A ", " B ", " C"}},
      {"#CEQ(1' N_2 + 3H_2 == 2NH_3 '#CEQ)", "&Q", 3, {" ", " N_2 ", " 3H_2 ", " 2NH_3"}},
      {"#CEQ(1'A&als B + C'#CEQ)", "&als", 2, {" ", "A", " B ", " C"}},
      {"#CEQ(1'A+B &ars C'#CEQ)", "&ars", 2, {" ", "A+B ", " C"}},   // "+" alone splits nothing
      {"#CEQ(1'A B'#CEQ)", "", 2, {" ", "", ""}},                     // no arrow: nothing drawn
      {"#CEQ(1'A = B &ars C'#CEQ)", "&ars", 2, {" ", "A ", " B &ars C"}},  // any "=" wins
      // Only the equation's own level counts: not the "=" of a parameter code, nor the arrows
      // and plus signs inside a nested construct, nor what follows an escape.
      {"#CEQ(1'&FC=Rojo:A &ars B'#CEQ)", "&ars", 2, {" ", "&FC=Rojo:A ", " B"}},
      {"#CEQ(1'&FS=8:A + &FC=Azul:B == C'#CEQ)", "&Q", 3, {" ", " &FS=8:A ", " &FC=Azul:B ", " C"}},
      {"#CEQ(1'#A6V(SSSSSS&EC=SDSDSD#A6V) + Br_2 = C_6H_5Br + HBr'#CEQ)", "&ars", 3,
       {" ", " #A6V(SSSSSS&EC=SDSDSD#A6V) ", " Br_2 ", " C_6H_5Br ", " HBr"}},
      {"#CEQ(1'#COC(a + b#N)(2#COC)X + Y = Z'#CEQ)", "&ars", 3, {" ", " #COC(a + b#N)(2#COC)X ", " Y ", " Z"}},
      {"#CEQ(1'A + #ATX(x = y#T)(#ATX) &als B'#CEQ)", "&als", 3, {" ", " A ", " #ATX(x = y#T)(#ATX) ", " B"}},
      {"#CEQ(1'##COC(x = y#COC)'#CEQ)", "&ars", 2, {" ", "##COC(x ", " y#COC)"}},
      {"#CEQ(1'#COC(a = b'#CEQ)", "&ars", 2, {" ", "#COC(a ", " b"}},  // not closed: only its tag
      // The apostrophes that bound the equation are those of its own level too.
      {"#CEQ(1'#COC(R'#N)(2#COC) + B = C'#CEQ)", "&ars", 3, {" ", " #COC(R'#N)(2#COC) ", " B ", " C"}},
      {"#CEQ(1'A + B #ATX(k'#T)(x#ATX) = C'#CEQ)", "&ars", 3, {" ", " A ", " B #ATX(k'#T)(x#ATX) ", " C"}},
      {"#CEQ(1'A + #CEQ(1'C = D'#CEQ) = B'#CEQ)", "&ars", 3, {" ", " A ", " #CEQ(1'C = D'#CEQ) ", " B"}},
      {"#CEQ(1'&FN=O'Neil:A = B'#CEQ)", "&ars", 2, {" ", "&FN=O'Neil:A ", " B"}},
      // A symbol code is read whole: the "=" of "&>=", "&<=" and "&!=" is no arrow.
      {"#CEQ(1'N_2 + 3H_2 &Q 2NH_3 (T &>= 700 K)'#CEQ)", "&Q", 3, {" ", " N_2 ", " 3H_2 ", " 2NH_3 (T &>= 700 K)"}},
      {"#CEQ(1'A &<= B &ars C'#CEQ)", "&ars", 2, {" ", "A &<= B ", " C"}},
      {"#CEQ(1'A &!= B == C + &alfa'#CEQ)", "&Q", 2, {" ", "A &!= B ", " C ", " &alfa"}},
      {"#CEQ(1'A &<== B'#CEQ)", "&ars", 2, {" ", "A &<=", " B"}},
  };
  for (const Case& c : cases) {
    const ChemicalEquation q = CutEquation(c.block);
    ASSERT_TRUE(q.readable) << c.block;
    EXPECT_EQ(q.arrow, c.arrow) << c.block;
    EXPECT_EQ(q.leftColumns, c.leftColumns) << c.block;
    EXPECT_EQ(q.columns, static_cast<int>(c.first.size())) << c.block;
    ASSERT_EQ(q.cells.size(), 1u) << c.block;
    EXPECT_EQ(q.cells[0], c.first) << c.block;
  }
}

TEST(EquationParts, TableCellsAreCutInRowOrder) {
  const std::string error = " &FC=Rojo:*ERROR*&FC=Negro: ";
  const ChemicalEquation q = CutEquation("#CEQ(2'A = B'#A21(s#A21)#A22((g)#A22)#A23((l)#A23)#CEQ)");
  ASSERT_EQ(q.cells.size(), 2u);
  EXPECT_EQ(q.cells[1], (std::vector<std::string>{" s ", " (g) ", " (l) "}));
  // A missing cell shows the error word; the rest loses the error text's length, so the
  // cells after it are lost too.
  const ChemicalEquation gap = CutEquation("#CEQ(2'A = B'#A21(s#A21)#A23(l#A23)#CEQ)");
  ASSERT_EQ(gap.cells.size(), 2u);
  EXPECT_EQ(gap.cells[1], (std::vector<std::string>{" s ", error, error}));
  // The row count is one digit; anything else counts no rows at all.
  EXPECT_EQ(CutEquation("#CEQ(0'A = B'#CEQ)").rows, 0);
  EXPECT_EQ(CutEquation("#CEQ('A = B'#CEQ)").rows, 0);
  EXPECT_EQ(CutEquation("#CEQ(9'A = B'#CEQ)").rows, 9);
  for (const char* unreadable : {"#CEQ(1A = B#CEQ)", "#CEQ(1'A = B#CEQ)", "#CEQ(1'A + B + C + D + E = F + G + H + I'#CEQ)"}) {
    EXPECT_FALSE(CutEquation(unreadable).readable) << unreadable;
  }
}

// Nothing before or after the equation is dropped in silence: blanks and table blocks may
// stand there (blocks the row count does not ask for included), anything else makes the
// equation unreadable.
TEST(EquationParts, TextAroundTheEquationOtherThanTableBlocksMakesItUnreadable) {
  struct Case {
    const char* block;
    bool readable;
  };
  const Case cases[] = {
      {"#CEQ(1'A = B'  #CEQ)", true},
      {"#CEQ(2'A = B' #A21(x#A21) #A22(y#A22)#A23(z#A23) #CEQ)", true},
      {"#CEQ(1'A = B'#A21(it's#A21)#CEQ)", true},
      {"#CEQ(1'A = B'C'#CEQ)", false},
      {"#CEQ(1'A &Q A' + B'#CEQ)", false},
      {"#CEQ(1'A = B'x#CEQ)", false},
      {"#CEQ(2'A = B'#A21(x#A21)#A22(y#A22)#A23(z#A23) w#CEQ)", false},
      {"#CEQ(2'A = B'#A21(x#A21)#A22(y#CEQ)", false},  // a table tag that does not close
      {"#CEQ(1'A = B'#COC(1#N)(2#COC)#CEQ)", false},
      // Before the equation, the same.
      {"#CEQ(1 Reaction: 'A = B'#CEQ)", false},
      {"#CEQ(1\nReaction:\n'A = B'#CEQ)", false},
      {"#CEQ(2 hello #A21(x#A21)#A22(y#A22)#A23(z#A23)'A = B'#CEQ)", false},
      {"#CEQ(2#A21(x#A21)#A22(y#A22)#A23(z#A23) hello 'A = B'#CEQ)", false},
      {"#CEQ(2#A21(x#A21)#A22(y#CEQ)'A = B'#CEQ)", false},
      {"#CEQ(1&FC=Rojo:'A = B'#CEQ)", false},
      {"#CEQ( 1'A = B'#CEQ)", false},  // the count is the sixth character: "1" is text here
  };
  for (const Case& c : cases) EXPECT_EQ(CutEquation(c.block).readable, c.readable) << c.block;
}

// A line break (LF as a file written on Linux holds it, a bare CR), a TAB or a space may stand
// before and after the equation, between the table blocks and before the closing tag; the
// table is read whole whichever it is.
TEST(EquationParts, EveryBlankMayStandAroundTheEquationAndItsTable) {
  const std::vector<std::string> table{" x ", " y ", " z "};
  for (const std::string blank : {" ", "\t", "\r", "\n", "\r\n", " \n\t"}) {
    const std::string blocks = "#A21(x#A21)" + blank + "#A22(y#A22)" + blank + "#A23(z#A23)";
    for (const std::string& block : {
             "#CEQ(2'A = B'" + blank + blocks + blank + "#CEQ)",
             "#CEQ(2" + blank + "'A = B'" + blank + "#CEQ)",  // no table: its cells show the error word
             "#CEQ(2" + blank + blocks + blank + "'A = B'" + blank + "#CEQ)",
             "#CEQ(2" + blank + "#A21(x#A21)" + blank + "'A = B'" + blank + "#A22(y#A22)" + blank + "#A23(z#A23)#CEQ)",
         }) {
      const ChemicalEquation q = CutEquation(block);
      ASSERT_TRUE(q.readable) << block;
      EXPECT_EQ(q.cells[0], (std::vector<std::string>{" ", "A ", " B"})) << block;
      ASSERT_EQ(q.cells.size(), 2u) << block;
      if (block.find("#A21") != std::string::npos) {
        EXPECT_EQ(q.cells[1], table) << block;
      }
    }
  }
}

// An equation without an arrow of its own draws nothing when it holds no arrow at all; when an
// arrow code or a texts-on-arrow construct stands anywhere inside it, it was read other than
// written and shows the error form instead of vanishing.
TEST(EquationParts, AnEquationWithoutItsOwnArrowIsBlankOnlyWhenItHoldsNone) {
  struct Case {
    const char* block;
    bool readable;
  };
  const Case cases[] = {
      {"#CEQ(1'A B'#CEQ)", true},
      {"#CEQ(2'A + B'#A21(x#A21)#A22(y#A22)#CEQ)", true},
      // Codes whose characters are no arrow: parameter and symbol codes, escapes, a ring's
      // bonds, an image's options.
      {"#CEQ(1'&FC=Rojo:A B'#CEQ)", true},
      {"#CEQ(1'&FS=8:A &>= B &&Q'#CEQ)", true},
      {"#CEQ(1'#A6V(SSSSSS&EC=SDSDSD#A6V) B'#CEQ)", true},
      {"#CEQ(1'#IMG('x.png'DXmm=5:DYmm=5:#IMG) B'#CEQ)", true},
      {"#CEQ(1'R'COOH + H_2O = R'COO^- + H_3O^+'#CEQ)", false},  // primes
      {"#CEQ(1'A + B #ATX(k#T)(x#ATX) C'#CEQ)", false},            // a texts-on-arrow construct
      {"#CEQ(1'A + B #ATX(#T)(heat = 500 K#ATX) C'#CEQ)", false},
      {"#CEQ(1'#COC(a = b#N)(2#COC) B'#CEQ)", false},              // arrow codes nested at any depth
      {"#CEQ(1'A #CEQ(1'B &ars C'#CEQ)'#CEQ)", false},
      {"#CEQ(1'#COC(&Q#N)(&als#COC)'#CEQ)", false},
  };
  for (const Case& c : cases) {
    const ChemicalEquation q = CutEquation(c.block);
    EXPECT_EQ(q.readable, c.readable) << c.block;
    if (c.readable && q.readable) {
      EXPECT_EQ(q.arrow, "") << c.block;
      EXPECT_EQ(q.cells[0], (std::vector<std::string>{" ", "", ""})) << c.block;
    }
  }
}

// A cell framing a stretch of the line by spaces finds, through the line's matches, the
// blocks a plain reading of the cell finds, whatever the stretch and wherever it looks from.
TEST(EquationCells, AFramedCellFindsTheBlocksItsOwnTextHolds) {
  const std::string line = "x#CEQ(2'A = B'#A21(#INT(a#INT)#INT(b#A21)#A22(#INT(#INT(c #INT)#INT)#A22)#CEQ) y#INT)";
  const std::pair<const char*, const char*> tags[] = {{"#INT(", "#INT)"}, {"#A21(", "#A21)"}, {"#CEQ(", "#CEQ)"}};
  BlockCutter lineBlocks(line);
  for (std::size_t at = 0; at < line.size(); ++at) {
    for (std::size_t end = at + 1; end <= line.size(); ++end) {
      const std::string_view source = std::string_view(line).substr(at, end - at);
      const std::string cell = " " + std::string(source) + " ";
      BlockCutter framed(cell, 1, source, &lineBlocks);
      const BlockFinder finder(&framed);
      for (const std::string_view part : {std::string_view(cell), std::string_view(cell).substr(2)}) {
        for (std::size_t from = 0; from <= part.size(); ++from) {
          for (const auto& [open, close] : tags) {
            BlockExtent plain = FindBlock(part.substr(from), open, close);
            if (plain.at != std::string_view::npos) plain.at += from;
            const BlockExtent found = finder.Find(part, from, open, close);
            ASSERT_EQ(found.at, plain.at) << cell << " from " << from << " " << open;
            ASSERT_EQ(found.length, plain.length) << cell << " from " << from << " " << open;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace stagora::engine::test
