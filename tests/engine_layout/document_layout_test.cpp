#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/textfile.h"
#include "tests/engine_layout/engine_fixture.h"
#include "tests/support/test_support.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;
constexpr double kTpp = 15.0;
constexpr double kLineStep = kModelTextHeight + kModelTextHeight / 5;  // a line and its leading
// Lines whose tops lie at or below this many steps cross the foot of the 1125-pixel page.
constexpr int kLinesPerPage = 45;

std::string Lines(const std::string& first, int count) {
  std::string out = first;
  for (int k = 1; k < count; ++k) out += "&LFline " + std::to_string(k);
  return out;
}

class DocumentLayout : public EngineTest {
 protected:
  std::vector<double> TextTops() const {
    std::vector<double> tops;
    for (const RecordedOp& op : Ops(RecordedOp::Text)) {
      if (tops.empty() || tops.back() != op.y1 * kTpp) tops.push_back(op.y1 * kTpp);
    }
    return tops;
  }
};

TEST_F(DocumentLayout, ASizeOfZeroBecomesFiveTimesZoomAndIsWrittenBack) {
  V.Zoom = 1.5;
  double size = 0;
  DibujarHTFC("x", size, page_, S, V);
  EXPECT_DOUBLE_EQ(size, 7.5);
  ASSERT_EQ(Ops(RecordedOp::Text).size(), 1u);
  EXPECT_DOUBLE_EQ(Ops(RecordedOp::Text)[0].font.size, 7.5);
}

TEST_F(DocumentLayout, LinesEndAtLFAndCRLFJoinsTheText) {
  Render("a\r\nb");
  EXPECT_EQ(TextTops().size(), 1u);
  EXPECT_EQ(DrawnText(), "ab");
  page_.clearLog();
  Render("a&LFb");
  const auto tops = TextTops();
  ASSERT_EQ(tops.size(), 2u);
  EXPECT_DOUBLE_EQ(tops[0], kMargin);
  EXPECT_NEAR(tops[1] - tops[0], kLineStep, 1e-9);
  EXPECT_NEAR(Ops(RecordedOp::Text)[0].x1 * kTpp, kMargin + 1, 1e-9);
}

TEST_F(DocumentLayout, AnEmptyTextLaysOutOneEmptyLine) {
  static int pumped;
  pumped = 0;
  V.MessagePump = [] { ++pumped; };
  S.BloqueCorte = 55;
  Render("");
  V.MessagePump = nullptr;
  EXPECT_EQ(S.BloqueCorte, 0);
  EXPECT_EQ(S.NumMarcas, 0);
  EXPECT_EQ(pumped, 1);
  EXPECT_TRUE(Ops(RecordedOp::Text).empty());
}

TEST_F(DocumentLayout, ScreenAndPrinterPagesTakeTheirOwnGeometry) {
  V.Zoom = 2;
  Render("x");
  EXPECT_DOUBLE_EQ(S.AnchoPagina, (kPageWidthPx - 2) * kTpp);
  EXPECT_DOUBLE_EQ(S.AltoPagina, (kPageHeightPx - 2) * kTpp);
  for (double m : {S.MargenIzq, S.MargenDer, S.MargenSup, S.MargenInf}) EXPECT_NEAR(m, 2 * 907.0866, 1e-4);

  plat::RecordingSurface printer(4960, 7016, 1440.0 / 600);
  V.DestinoImpresora = &printer;
  double size = 12;
  DibujarHTFC("x", size, printer, S, V);
  EXPECT_DOUBLE_EQ(S.AnchoPagina, printer.width());
  EXPECT_NEAR(S.MargenIzq, 559.0866, 1e-4);
  EXPECT_NEAR(S.MargenDer, 759.0866, 1e-4);
  EXPECT_NEAR(S.MargenSup, 620.0866, 1e-4);
  EXPECT_NEAR(S.MargenInf, 621.0866, 1e-4);
}

TEST_F(DocumentLayout, BloqueCorteReportsTheLastMarkOrTheBlockThatDidNotFit) {
  struct Case {
    std::string text;
    long bloqueCorte;
    long marks;
  };
  const Case cases[] = {
      {"#MARK=007 some text", 7, 1},
      {"#MARK=001 one&LF#MARK=002 two&LF#MARK=003 three", 3, 3},
      {Lines("#MARK=001 a", 3) + "&LF" + Lines("#MARK=002 b", 60), -2, 2},
      {Lines("#MARK=001 a", 60) + "&LF#MARK=002 b", -1, 1},
      {Lines("no mark", 60) + "&LF#MARK=002 b", 0, 0},
      {"text before the first mark&LF#MARK=004 x", 4, 1},
      // The number is the three digits only, whatever digits the block's text begins with.
      {"#MARK=02521: the next step&LF#MARK=0263.5 kmol", 26, 2},
      {"#MARK=999999", 999, 1},
  };
  for (const Case& c : cases) {
    Render(c.text);
    EXPECT_EQ(S.BloqueCorte, c.bloqueCorte) << c.text.substr(0, 40);
    EXPECT_EQ(S.NumMarcas, c.marks) << c.text.substr(0, 40);
  }
}

TEST_F(DocumentLayout, BandsAreRecordedInPageOrderAndCloseWhereTheNextBegins) {
  S.MarcaSeleccionada.fill(true);
  Render("#MARK=001 one&LF#MARK=002 two&LFmore&LFmore&LF#MARK=003 three&LFlast");
  ASSERT_EQ(S.NumMarcas, 3);
  const double tops[] = {kMargin, kMargin + kLineStep, kMargin + 4 * kLineStep};
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(S.MarcaArriba[k], tops[k], 1e-9) << k;
    EXPECT_FALSE(S.MarcaSeleccionada[k]) << k;
    EXPECT_EQ(S.MarcaPagina[k], k + 1) << k;
  }
  EXPECT_NEAR(S.MarcaAbajo[0], tops[1] - kModelTextHeight / 8, 1e-9);
  EXPECT_NEAR(S.MarcaAbajo[1], tops[2] - kModelTextHeight / 8, 1e-9);
  // The last band ends at the foot of the last line drawn, on the target like the others.
  EXPECT_NEAR(S.MarcaAbajo[2], kMargin + 5 * kLineStep + kModelTextHeight, 1e-9);
}

TEST_F(DocumentLayout, AMarkWhoseFirstLineDoesNotFitOpensNoBandAndTheBandBeforeItCloses) {
  Render(Lines("#MARK=001 a", kLinesPerPage) + "&LF#MARK=002 b&LFmore");
  EXPECT_EQ(S.BloqueCorte, -2);
  ASSERT_EQ(S.NumMarcas, 1);
  EXPECT_NEAR(S.MarcaAbajo[0], kMargin + (kLinesPerPage - 1) * kLineStep + kModelTextHeight, 1e-9);
  EXPECT_EQ(TextTops().size(), static_cast<std::size_t>(kLinesPerPage));
}

TEST_F(DocumentLayout, MoreMarksThanTheTableHoldsAreLaidOutButNotRecorded) {
  plat::RecordingSurface tall(kPageWidthPx, 20000);
  V.DestinoPantalla = &tall;
  std::string text;
  for (int k = 1; k <= 600; ++k) text += (k > 1 ? "&LF#MARK=" : "#MARK=") + std::to_string(k) + " x";
  double size = 12;
  DibujarHTFC(text, size, tall, S, V);
  EXPECT_EQ(S.NumMarcas, kMaxMarcas);
  EXPECT_EQ(S.BloqueCorte, 600);
  EXPECT_EQ(S.MarcaPagina[kMaxMarcas - 1], kMaxMarcas);
}

TEST_F(DocumentLayout, EachEngineStateKeepsItsOwnPageAndMarks) {
  Render("#MARK=001 one&LF#MARK=002 two");
  const EngineState first = S;
  EngineState other;
  plat::RecordingSurface printer(4960, 7016, 1440.0 / 600);
  V.DestinoImpresora = &printer;
  double size = 12;
  DibujarHTFC("#MARK=009 x&LSAN=10:y", size, printer, other, V);
  EXPECT_EQ(other.BloqueCorte, 9);
  EXPECT_EQ(S.BloqueCorte, 2);
  EXPECT_EQ(S.NumMarcas, 2);
  EXPECT_EQ(S.MarcaArriba, first.MarcaArriba);
  EXPECT_EQ(S.MargenIzq, first.MargenIzq);
  EXPECT_EQ(S.SangriaIzq, 0);
}

TEST_F(DocumentLayout, TheIndentLastsUntilItIsSetToZero) {
  Render("&LSAN=10:abc&LFdef&LF&LSAN=0:ghi");
  const double indent = 0.73 * 10 / 25.4 * 1440;  // 413.86 twips
  std::vector<double> starts;
  for (const RecordedOp& op : Ops(RecordedOp::Text)) {
    if (op.text == u"a" || op.text == u"d" || op.text == u"g") starts.push_back(op.x1 * kTpp);
  }
  ASSERT_EQ(starts.size(), 3u);
  EXPECT_NEAR(starts[0], kMargin + indent + 1, 1e-9);
  EXPECT_NEAR(starts[1], kMargin + indent + 1, 1e-9);
  EXPECT_NEAR(starts[2], kMargin + 1, 1e-9);
  EXPECT_EQ(DrawnText(), "abcdefghi");
}

TEST_F(DocumentLayout, AWideLineWrapsInsideTheMarginsOneStepPerPiece) {
  std::string line;
  for (int k = 0; k < 60; ++k) line += "word ";
  Render(line);
  const auto tops = TextTops();
  ASSERT_EQ(tops.size(), 4u);
  for (std::size_t k = 1; k < tops.size(); ++k) EXPECT_NEAR(tops[k] - tops[k - 1], kLineStep, 1e-9);
  for (const RecordedOp& op : Ops(RecordedOp::Text)) {
    EXPECT_LE(op.x2 * kTpp, S.AnchoPagina - S.MargenDer + 1e-9);
    EXPECT_GE(op.x1 * kTpp, S.MargenIzq);
  }
  std::string joined = DrawnText();
  EXPECT_EQ(joined, line);
}

TEST_F(DocumentLayout, StylesCarryToTheNextLineButNotIntoTheNextCall) {
  Render("&+B&FC=Rojo:x&LFy");
  auto texts = Ops(RecordedOp::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_TRUE(texts[1].font.bold);
  EXPECT_EQ(texts[1].color, plat::Rgb(255, 0, 0));
  page_.clearLog();
  Render("z");
  texts = Ops(RecordedOp::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_FALSE(texts[0].font.bold);
  EXPECT_EQ(texts[0].color, 0u);
}

// Pagination's trial pages are only measured: they must break where the drawn page breaks,
// also where a wrapped line's font changes just past the piece that fits, and draw nothing.
TEST_F(DocumentLayout, MeasuringAPageBreaksItWhereDrawingItDoes) {
  namespace fs = std::filesystem;
  std::vector<std::string> texts;
  for (const char* folder : {"markup_layout", "markup_formulas"}) {
    for (const auto& entry : fs::directory_iterator(fs::path(stagora::test::SourceDir()) / "tests" / "fixtures" / folder)) {
      if (entry.path().extension() == ".htfc") texts.push_back(plat::ReadTextFile(entry.path().string()).value_or(""));
    }
  }
  std::string wrapped;
  for (int k = 1; k <= 30; ++k) {
    // After a construct the font name goes back to the one its piece began with.
    wrapped += "#MARK=" + std::to_string(100 + k) + std::string(60, 'w') + " &FS=" + std::to_string(8 + k % 20) +
               ":&FN=" + (k % 2 ? "Arial" : "Courier New") + ":#POT(x#PB)(2#POT)" + std::string(40, 'v') + "&LF";
  }
  texts.push_back(wrapped);
  ASSERT_GE(texts.size(), 10u);
  for (const std::string& text : texts) {
    for (double zoom : {0.5, 1.0, 2.0}) {
      V.Zoom = zoom;
      page_.clearLog();
      double size = 12 * zoom;
      MedirHTFC(text, size, page_, S, V);
      EXPECT_TRUE(page_.ops().empty());
      const long measuredBreak = S.BloqueCorte, measuredMarks = S.NumMarcas;
      const plat::FontSpec measuredFont = page_.font();
      size = 12 * zoom;
      DibujarHTFC(text, size, page_, S, V);
      EXPECT_EQ(measuredBreak, S.BloqueCorte) << text.substr(0, 60) << " at " << zoom;
      EXPECT_EQ(measuredMarks, S.NumMarcas) << text.substr(0, 60) << " at " << zoom;
      EXPECT_EQ(measuredFont, page_.font()) << text.substr(0, 60) << " at " << zoom;
    }
  }
}

}  // namespace
}  // namespace stagora::engine::test
