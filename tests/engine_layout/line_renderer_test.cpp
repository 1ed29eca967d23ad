#include <gtest/gtest.h>

#include "tests/engine_layout/engine_fixture.h"
#include "viewer/engine/construct_dispatch.h"
#include "viewer/engine/symbol_table.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;
constexpr double kTpp = 15.0;
constexpr double kCharAdvance = kModelCharWidth + 2;  // one twip of room on each side
constexpr double kAxis = 0.574 * kModelTextHeight;

class LineRenderer : public EngineTest {
 protected:
  // A page whose usable width holds exactly `chars` plain characters.
  void UsableWidthOf(int chars) { S.AnchoPagina = chars * kCharAdvance + S.MargenIzq + S.MargenDer; }
};

TEST_F(LineRenderer, TextAdvancesCurrentXOnlyAndLineEndsAtItsEndPoint) {
  page_.setCurrentX(1000);
  page_.setCurrentY(2000);
  page_.print("abc");
  EXPECT_DOUBLE_EQ(page_.currentX(), 1000 + 3 * kModelCharWidth);
  EXPECT_DOUBLE_EQ(page_.currentY(), 2000);
  page_.line(300, 400, 1500, 900);
  EXPECT_DOUBLE_EQ(page_.currentX(), 1500);
  EXPECT_DOUBLE_EQ(page_.currentY(), 900);
  page_.line(100, 200, 700, 800, std::nullopt, plat::LineShape::FilledBox);
  EXPECT_DOUBLE_EQ(page_.currentX(), 700);
  EXPECT_DOUBLE_EQ(page_.currentY(), 800);
}

TEST_F(LineRenderer, AnEmptyLineMeasuresOnePlainLineHeight) {
  S.TablaCajas(1) = CajaHTFC{1, 2, 3, 4, 5, "old", 0, 0};
  EXPECT_EQ(Measure(""), "");
  const CajaHTFC& b = S.TablaCajas(1);
  EXPECT_DOUBLE_EQ(b.DesplazamientoX, 0);
  EXPECT_DOUBLE_EQ(b.Avance, 0);
  EXPECT_NEAR(b.AltoSobre, 0, 1e-12);
  EXPECT_DOUBLE_EQ(b.AltoEje, kAxis);
  EXPECT_DOUBLE_EQ(b.AltoBajo, kModelTextHeight);
  EXPECT_EQ(b.Texto, "");
}

TEST_F(LineRenderer, DigitsAndPunctuationStandUprightInItalicAndWidthsAgree) {
  page_.setFontItalic(true);
  MeasureAndDraw("x2y(z);", 500, 500);
  const auto texts = Ops(RecordedOp::Text);
  ASSERT_EQ(texts.size(), 7u);
  const bool italic[] = {true, false, true, false, true, false, false};
  for (std::size_t k = 0; k < texts.size(); ++k) EXPECT_EQ(texts[k].font.italic, italic[k]) << k;
  EXPECT_DOUBLE_EQ(page_.currentX() - 500, S.TablaCajas(1).Avance);
  EXPECT_TRUE(page_.font().italic);  // the italic state survives the upright characters
}

TEST_F(LineRenderer, OperatorsGetRoomAndTheirSizeClassShift) {
  page_.setFontSize(24);  // H = 552 twips: size class 3
  const double h = 2 * kModelTextHeight;
  MeasureAndDraw("-+=", 1000, 1000);
  const auto texts = Ops(RecordedOp::Text);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, u"\u2013");  // the hyphen is set as the en dash
  const double room = 0.04 * h;
  const double charWidth = 2 * kModelCharWidth;
  const double shifts[] = {-0.012 * h, 0.072 * h, 0.07 * h};
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(texts[k].x1 * kTpp, 1000 + room + k * (charWidth + 2 * room), 1e-3) << k;
    EXPECT_NEAR(texts[k].y1 * kTpp, 1000 + shifts[k], 1e-3) << k;
    EXPECT_FALSE(texts[k].font.italic);
  }
  EXPECT_NEAR(S.TablaCajas(1).Avance, 3 * (charWidth + 2 * room), 1e-9);
}

TEST_F(LineRenderer, OneCharacterIndicesAndTheDepthTheyGiveTheLine) {
  MeasureAndDraw("H_2O", 0, 3000);
  EXPECT_DOUBLE_EQ(S.TablaCajas(1).AltoBajo, 1.1 * kModelTextHeight);
  auto texts = Ops(RecordedOp::Text);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_DOUBLE_EQ(texts[1].font.size, 8);
  EXPECT_NEAR(texts[1].y1 * kTpp, 3000 + (8.0 / 12 * kModelTextHeight) / 1.4, 1e-9);
  EXPECT_DOUBLE_EQ(texts[2].y1 * kTpp, 3000);

  MeasureAndDraw("x^2", 0, 3000);
  EXPECT_DOUBLE_EQ(S.TablaCajas(1).AltoBajo, kModelTextHeight);
  EXPECT_DOUBLE_EQ(Ops(RecordedOp::Text)[1].y1 * kTpp, 3000);

  MeasureAndDraw("x_12");  // only the 1 is the index
  texts = Ops(RecordedOp::Text);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_DOUBLE_EQ(texts[1].font.size, 8);
  EXPECT_DOUBLE_EQ(texts[2].font.size, 12);

  MeasureAndDraw("a__b^^c");
  EXPECT_EQ(DrawnText(), "a_b^c");
}

TEST_F(LineRenderer, ALineTooWideBreaksAfterItsLastBlankBeforeTheLimit) {
  UsableWidthOf(10);
  struct Case {
    const char* line;
    const char* fitting;
  };
  const Case cases[] = {
      {"aaaa bbbb", ""},                        // fits
      {"aaaa bbbb cccc", "aaaa bbbb "},         // the blank that still fits
      {"aaaa bbbbb ccc", "aaaa "},              // a blank that itself crosses is no break
      {"abcdefghijklmnop", "abcdefghijk"},      // no blank: what crossed the limit is kept
      {"aaaa&_bbbbbbbbb", "aaaa&_"},            // the soft hyphen is a break
      {"aaaa& bbbbbbbbb", "aaaa& bbbbbb"},      // the kept blank is none
      {"aaaaaaaaaa&alfa", "aaaaaaaaaa&alfa"},   // a whole code crosses
  };
  for (const Case& c : cases) EXPECT_EQ(Measure(c.line), c.fitting) << c.line;
}

TEST_F(LineRenderer, ConstructsTakeIncreasingBoxNumbersTheSameInBothPasses) {
  const std::string line = "a#COC(x#N)(y#COC)b#POT(yy#PB)(2#POT)c";
  Measure(line);
  EXPECT_EQ(S.ContadorCajas, 7);  // the line, each construct and each of its two parts
  EXPECT_EQ(S.SubcajasHTFC(2, 1), 3);
  EXPECT_EQ(S.SubcajasHTFC(2, 2), 4);
  EXPECT_EQ(S.SubcajasHTFC(5, 1), 6);
  EXPECT_EQ(S.SubcajasHTFC(5, 2), 7);
  EXPECT_EQ(S.TablaCajas(2).Texto, "#COC(x#N)(y#COC)");
  EXPECT_EQ(S.TablaCajas(5).Texto, "#POT(yy#PB)(2#POT)");
  const double first = S.TablaCajas(2).Avance, second = S.TablaCajas(5).Avance;
  EXPECT_DOUBLE_EQ(first, 2 * 0.09 * kModelTextHeight + kCharAdvance);  // a margin each side of the parts

  page_.setFont(plat::FontSpec{});
  S.ContadorCajas = 1;
  S.ModoDibujo = kModoDibujar;
  page_.setCurrentX(1000);
  page_.setCurrentY(2000);
  page_.clearLog();
  std::string unused;
  ProcesarLinea(line, page_, unused, S, V);
  EXPECT_EQ(S.ContadorCajas, 7);
  EXPECT_DOUBLE_EQ(S.TablaCajas(2).InicioX, 1000 + kCharAdvance);
  // The text after a construct goes on at its start + DesplazamientoX + Avance.
  EXPECT_DOUBLE_EQ(S.TablaCajas(5).InicioX, 1000 + 2 * kCharAdvance + first);
  EXPECT_DOUBLE_EQ(page_.currentX(), 1000 + 3 * kCharAdvance + first + second);
  EXPECT_EQ(DrawnText(), "axybyy2c");
}

TEST_F(LineRenderer, AxisConstructsAreCentredOnTheLineAndOthersHangFromItsTop) {
  // The fraction's axis (the middle of its bar) lies lower than the line's; a root hangs
  // from the line's top whatever its content.
  MeasureAndDraw("#COC(&FS=24:x#N)(y#COC)#SQR(&FS=24:x#SQR)", 0, 5000);
  EXPECT_GT(S.TablaCajas(2).AltoEje, kAxis);
  EXPECT_NEAR(S.TablaCajas(2).InicioY, 5000 + kAxis - S.TablaCajas(2).AltoEje, 1e-9);
  EXPECT_DOUBLE_EQ(S.TablaCajas(5).InicioY, 5000);
  EXPECT_DOUBLE_EQ(page_.font().size, 12);  // the line's size is back after each construct
}

TEST_F(LineRenderer, AConstructsPartsNeverMoveTheLinesBreakPoint) {
  UsableWidthOf(30);
  std::string content;
  for (int k = 0; k < 40; ++k) content += "x ";
  const std::string line = "aaa bbb #NES(()" + content + "#NES) ccc";
  EXPECT_EQ(Measure(line), "aaa bbb ");
  // The part is measured whole: the box covers all it draws.
  EXPECT_DOUBLE_EQ(S.TablaCajas(S.SubcajasHTFC(2, 1)).Avance, 80 * kCharAdvance);
}

TEST_F(LineRenderer, DispatchTableNamesEachFamilysDrawerAndPlacement) {
  struct Case {
    const char* tag;
    const char* drawer;
    Placement placement;
  };
  const Case cases[] = {
      {"#RAD(", "DibujarRaiz", Placement::Top},   {"#CUR(", "DibujarRaiz", Placement::Top},
      {"#VEC(", "DibujarAdorno", Placement::Top}, {"#CDI(", "DibujarAdorno", Placement::Top},
      {"#INT(", "DibujarINT", Placement::Top},    {"#IMG(", "DibujarIMG", Placement::Top},
      {"#UDB(", "DibujarUDB", Placement::Top},    {"#A3V(", "DibujarAnillo", Placement::Top},
      {"#A9D(", "DibujarAnillo", Placement::Top}, {"#BCH(", "DibujarAnillo", Placement::Top},
      {"#NES(", "DibujarNES", Placement::Top},    {"#EXP(", "DibujarPOT", Placement::Top},
      {"#DDL(", "DibujarCOC", Placement::Axis},   {"#SPB(", "DibujarSPB", Placement::Axis},
      {"#ATX(", "DibujarATX", Placement::Axis},   {"#TST(", "DibujarTST", Placement::Top},
      {"#RWS(", "DibujarRWS", Placement::Axis},   {"#CEQ(", "DibujarCEQ", Placement::Axis},
  };
  for (const Case& c : cases) {
    const ConstructFamily* f = FindConstruct(c.tag);
    ASSERT_NE(f, nullptr) << c.tag;
    EXPECT_STREQ(f->drawer, c.drawer) << c.tag;
    EXPECT_EQ(f->placement, c.placement) << c.tag;
  }
  for (const char* other : {"#A2V(", "#A3X(", "#COC)", "#N)(", "#MARK", "#coc(", "#COC"}) {
    EXPECT_EQ(FindConstruct(other), nullptr) << other;
  }
  EXPECT_EQ(ClosingTag("#A5L("), "#A5L)");
}

TEST_F(LineRenderer, AnUnclosedConstructDrawsItsErrorBlockAndTheLineGoesOn) {
  MeasureAndDraw("a#NES((b");
  EXPECT_EQ(DrawnText(), "a#NES(*ERROR*#NES)");
  std::u16string red;
  for (const RecordedOp& op : Ops(RecordedOp::Text)) {
    if (op.color == plat::Rgb(255, 0, 0)) red += op.text;
  }
  EXPECT_EQ(red, u"*ERROR*");
}

TEST_F(LineRenderer, DeeplyNestedConstructsStopAtTheErrorWordAndTheRestIsLaidOut) {
  std::string line = "start ";
  for (int k = 0; k < 300; ++k) line += "#COC(";
  line += "x";
  for (int k = 0; k < 300; ++k) line += "#COC)";
  line += " end";
  S.AnchoPagina = 1e9;
  MeasureAndDraw(line);
  const std::string drawn = DrawnText();
  EXPECT_NE(drawn.find("*ERROR*"), std::string::npos);
  EXPECT_EQ(drawn.substr(0, 6), "start ");
  EXPECT_EQ(drawn.substr(drawn.size() - 4), " end");
}

TEST_F(LineRenderer, AMarkInsideALineRecordsNoBand) {
  S.NumMarcas = 1;
  S.MarcaArriba[0] = 123;
  MeasureAndDraw("text #MARK=005 more");
  EXPECT_EQ(DrawnText(), "text  more");
  EXPECT_DOUBLE_EQ(S.MarcaArriba[0], 123);
}

}  // namespace
}  // namespace stagora::engine::test
