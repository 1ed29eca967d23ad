#include <gtest/gtest.h>

#include "tests/engine_layout/engine_fixture.h"
#include "viewer/engine/symbol_table.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;
constexpr double kTpp = 15.0;  // twips per pixel of the recording page
// Every ordinary character gets one twip of room on each side.
constexpr double kCharAdvance = kModelCharWidth + 2;

class InlineCodes : public EngineTest {};

TEST_F(InlineCodes, FontSizeFollowsZoomAndTargetAndIndicesTakeTwoThirds) {
  plat::RecordingSurface printer(500, 500);
  printer.setScaleMode(plat::ScaleMode::Twips);
  struct Case {
    plat::Surface* target;
    double zoom;
    double expected;
  };
  const Case cases[] = {{&page_, 1.5, 21}, {&page_, 1.0, 14}, {&printer, 1.0, 14}, {&printer, 2.0, 28}};
  V.DestinoImpresora = &printer;
  for (const Case& c : cases) {
    V.Zoom = c.zoom;
    c.target->setFont(plat::FontSpec{});
    S.ContadorCajas = 1;
    S.ModoDibujo = kModoDibujar;
    std::string part;
    auto* rec = static_cast<plat::RecordingSurface*>(c.target);
    rec->clearLog();
    ProcesarLinea("&FS=14:x^2y", *c.target, part, S, V);
    const auto& ops = rec->ops();
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_DOUBLE_EQ(ops[0].font.size, c.expected);
    EXPECT_DOUBLE_EQ(ops[1].font.size, c.expected * 8 / 12);  // the superscript
    EXPECT_DOUBLE_EQ(ops[2].font.size, c.expected);
    EXPECT_DOUBLE_EQ(ops[1].y1, ops[0].y1);  // a superscript's top is the line's top
  }
}

TEST_F(InlineCodes, ExponentFormDrawsTimesTenUprightAndARaisedSmallExponent) {
  struct Case {
    const char* line;
    std::vector<std::u16string> texts;
  };
  const Case cases[] = {
      {"2&E-3", {u"2", u"\u00D710", u"\u20133"}},
      {"2&E+03", {u"2", u"\u00D710", u"03"}},
      {"2&E", {u"2", u"\u00D710", u""}},
      {"&Ex", {u"\u00D710", u"", u"x"}},
      {"&E12a", {u"\u00D710", u"12", u"a"}},
  };
  for (const Case& c : cases) {
    page_.setFont(plat::FontSpec{});
    page_.setFontItalic(true);
    MeasureAndDraw(c.line, 3000, 1500);
    std::vector<std::u16string> texts;
    for (const RecordedOp& op : Ops(RecordedOp::Text)) texts.push_back(op.text);
    std::vector<std::u16string> expected = c.texts;
    std::erase(expected, u"");  // an empty exponent prints nothing
    EXPECT_EQ(texts, expected) << c.line;
    for (const RecordedOp& op : Ops(RecordedOp::Text)) {
      EXPECT_DOUBLE_EQ(op.y1, 1500 / kTpp) << c.line;  // nothing is lowered
      if (op.text == u"\u00D710") {
        EXPECT_FALSE(op.font.italic);
        EXPECT_DOUBLE_EQ(op.font.size, 12);
      }
      if (op.text == u"\u20133" || op.text == u"03" || op.text == u"12") {
        EXPECT_DOUBLE_EQ(op.font.size, 8);
      }
    }
    // The measured width is the drawn one.
    EXPECT_NEAR(page_.currentX() - 3000, S.TablaCajas(1).Avance, 1e-9) << c.line;
  }
}

TEST_F(InlineCodes, DrawnSignsAreSegmentsScaledByZoomAndTextHeight) {
  struct Seg {
    double x1, y1, x2, y2;  // twips from the sign's position, H = 276
  };
  struct Case {
    const char* code;
    double zoom;
    std::vector<Seg> segments;
    int spaces;
  };
  const double h = kModelTextHeight;
  const Case cases[] = {
      {"&Q", 1, {{0, h / 2.5, 240, h / 2.5}, {240, h / 2.5, 180, h / 2.5 - 50}, {0, h / 1.7, 240, h / 1.7},
                 {0, h / 1.7, 60, h / 1.7 + 50}}, 4},
      {"&Q", 2, {{0, h / 2.5, 480, h / 2.5}, {480, h / 2.5, 360, h / 2.5 - 100}, {0, h / 1.7, 480, h / 1.7},
                 {0, h / 1.7, 120, h / 1.7 + 100}}, 4},
      {"&=", 1, {{20, 0.351 * h, 150, 0.351 * h}, {20, 0.588 * h, 150, 0.588 * h}}, 3},
      {"&#", 1, {{20, 0.3 * h, 150, 0.3 * h}, {20, 0.48 * h, 150, 0.48 * h}, {20, 0.66 * h, 150, 0.66 * h}}, 3},
  };
  for (const Case& c : cases) {
    V.Zoom = c.zoom;
    page_.setFont(plat::FontSpec{});
    const double x = 2000, y = 3000;
    MeasureAndDraw(c.code, x, y);
    const auto lines = Ops(RecordedOp::Line);
    ASSERT_EQ(lines.size(), c.segments.size()) << c.code;
    for (std::size_t k = 0; k < lines.size(); ++k) {
      EXPECT_NEAR(lines[k].x1 * kTpp, x + c.segments[k].x1, 1e-6) << c.code << k;
      EXPECT_NEAR(lines[k].y1 * kTpp, y + c.segments[k].y1, 1e-6) << c.code << k;
      EXPECT_NEAR(lines[k].x2 * kTpp, x + c.segments[k].x2, 1e-6) << c.code << k;
      EXPECT_NEAR(lines[k].y2 * kTpp, y + c.segments[k].y2, 1e-6) << c.code << k;
      EXPECT_EQ(lines[k].pen, 1);  // 0.05 x 276 twips is under one pixel
    }
    EXPECT_DOUBLE_EQ(page_.currentX(), x + c.spaces * kModelCharWidth) << c.code;
    EXPECT_DOUBLE_EQ(page_.currentY(), y) << c.code;
    EXPECT_DOUBLE_EQ(S.TablaCajas(1).Avance, c.spaces * kModelCharWidth) << c.code;
  }
}

TEST_F(InlineCodes, SymbolsAreDrawnAsTheirCharactersInTheSymbolFonts) {
  struct Case {
    const char* code;
    const char* font;
    char16_t glyph;
  };
  const Case cases[] = {
      {"&alfa", "Symbol", u'\u03B1'},   {"&Ypsilon", "Symbol", u'\u03D2'}, {"&vacio", "Symbol", u'\u2205'},
      {"&Vacio", "Symbol", u'\u2205'},  {"&ard", "Symbol", u'\u21D2'},     {"&!=", "Symbol", u'\u2260'},
      {"&todo", "Symbol", u'\u2200'},   {"&fi", "Symbol", u'\u03D5'},      {"&or", "Symbol", u'\u2228'},
      {"&union", "MT Extra", u'\u222A'}, {"&mp", "MT Extra", u'\u2213'},   {"&hbar", "MT Extra", u'\u210F'},
  };
  for (const Case& c : cases) {
    page_.setFont(plat::FontSpec{});
    MeasureAndDraw(c.code, 1500, 1500);
    const auto texts = Ops(RecordedOp::Text);
    ASSERT_EQ(texts.size(), 1u) << c.code;
    EXPECT_EQ(texts[0].text, std::u16string(1, c.glyph)) << c.code;
    EXPECT_EQ(texts[0].font.name, c.font) << c.code;
    EXPECT_DOUBLE_EQ(texts[0].y1, 1500 / kTpp) << c.code;  // same ascent: the same baseline
    EXPECT_EQ(page_.font().name, "Times New Roman") << c.code;
  }
  // Every entry of the table draws a character its font has.
  for (int k = 1; k <= kNumSimbolos; ++k) {
    page_.setFont(plat::FontSpec{});
    MeasureAndDraw(TablaSimbolos()[k].codigo);
    const auto texts = Ops(RecordedOp::Text);
    ASSERT_EQ(texts.size(), 1u) << TablaSimbolos()[k].codigo;
    EXPECT_NE(texts[0].text, u"\uFFFD") << TablaSimbolos()[k].codigo;
  }
}

TEST_F(InlineCodes, AFontNameLastsUntilTheNextSymbolThenTheLineFontReturns) {
  MeasureAndDraw("&FN=Arial:x&alfay");
  const auto texts = Ops(RecordedOp::Text);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].font.name, "Arial");
  EXPECT_EQ(texts[1].font.name, "Symbol");
  EXPECT_EQ(texts[2].font.name, "Times New Roman");
}

// No font's face name is longer than 31 characters; a longer "&FN=" value (a hostile
// document's may run on for a megabyte) is refused and the font in force stays.
TEST_F(InlineCodes, AFontNameLongerThanAnyFaceNameIsRefused) {
  const std::string longest(31, 'F');
  MeasureAndDraw("&FN=Arial:a&FN=" + std::string(32, 'F') + ":b&FN=" + longest + ":c");
  const auto texts = Ops(RecordedOp::Text);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[1].font.name, "Arial");
  EXPECT_EQ(texts[2].font.name, longest);
}

TEST_F(InlineCodes, TabPutsTheTextAtItsShareOfTheUsableWidth) {
  const double usable = S.AnchoPagina - S.MargenIzq - S.MargenDer;
  MeasureAndDraw("abcdefgh&SP=50:z&SP=25:w", S.MargenIzq, 1000);
  const auto texts = Ops(RecordedOp::Text);
  ASSERT_EQ(texts.size(), 10u);
  EXPECT_NEAR(texts[8].x1 * kTpp, S.MargenIzq + 0.5 * usable + 1, 1e-9);
  EXPECT_NEAR(texts[9].x1 * kTpp, S.MargenIzq + 0.25 * usable + 1, 1e-9);  // a tab may move back
  // Only the last tab position and what follows count for the width.
  EXPECT_NEAR(S.TablaCajas(1).Avance, 0.25 * usable + kCharAdvance, 1e-9);
}

TEST_F(InlineCodes, FilledFiguresTakeMillimetresTimesZoomAndNoWidth) {
  struct Case {
    const char* line;
    double zoom;
    double x1, y1, x2, y2;  // twips
    plat::Color colour;
  };
  const double mm = 1440 / 25.4;
  const double x = 2000, y = 3000;
  const Case cases[] = {
      {"&BC=230;230;230:&FF=REC,170,1.5:", 1, x, y, x + 170 * mm, y + 1.5 * mm, plat::Rgb(230, 230, 230)},
      {"&BC=Rojo:&FF=REC,10,2:", 2, x, y, x + 20 * mm, y + 4 * mm, plat::Rgb(255, 0, 0)},
      // Zero height: from the top edge down the whole height of the target. To the left of
      // the current position the box ends in the pixel column before the one the position
      // falls in (x is 133.3 pixels), which holds the letters set from there.
      {"&BC=Azul:&FF=REC,-40,0:", 1, x - 40 * mm, 0, 132 * kTpp, kPageHeightPx * kTpp, plat::Rgb(0, 0, 255)},
  };
  for (const Case& c : cases) {
    V.Zoom = c.zoom;
    MeasureAndDraw(c.line, x, y);
    const auto boxes = Ops(RecordedOp::FilledRect);
    ASSERT_EQ(boxes.size(), 1u) << c.line;
    EXPECT_NEAR(boxes[0].x1 * kTpp, c.x1, 1e-6) << c.line;
    EXPECT_NEAR(boxes[0].y1 * kTpp, c.y1, 1e-6) << c.line;
    EXPECT_NEAR(boxes[0].x2 * kTpp, c.x2, 1e-6) << c.line;
    EXPECT_NEAR(boxes[0].y2 * kTpp, c.y2, 1e-6) << c.line;
    EXPECT_EQ(boxes[0].color, c.colour) << c.line;
    EXPECT_DOUBLE_EQ(S.TablaCajas(1).Avance, 0) << c.line;
    EXPECT_DOUBLE_EQ(page_.currentX(), x) << c.line;
    EXPECT_DOUBLE_EQ(page_.currentY(), y) << c.line;
  }
  // Any other figure draws nothing.
  MeasureAndDraw("&FF=CIR,10,10:");
  EXPECT_TRUE(page_.ops().empty());
}

TEST_F(InlineCodes, ColoursTextAndLineColourTakeEffectInTheirPasses) {
  S.ColorLinea = 0;
  Measure("&FC=Rojo:&LC=Verde:&BC=Azul:");
  EXPECT_EQ(page_.foreColor(), 0u);  // the measure pass skips "&FC" and "&BC"
  EXPECT_EQ(S.ColorLinea, plat::Rgb(0, 255, 0));
  MeasureAndDraw("&FC=Rojo:a&FC=0;0;255:b&BC=Amarillo:");
  const auto texts = Ops(RecordedOp::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].color, plat::Rgb(255, 0, 0));
  EXPECT_EQ(texts[1].color, plat::Rgb(0, 0, 255));
  EXPECT_EQ(S.ColorFondo, plat::Rgb(255, 255, 0));
}

TEST_F(InlineCodes, SoftHyphenShowsOnlyWhereADrawnPartEndsWithIt) {
  MeasureAndDraw("ab&_cd");
  EXPECT_EQ(DrawnText(), "abcd");
  EXPECT_DOUBLE_EQ(S.TablaCajas(1).Avance, 4 * kCharAdvance + kModelCharWidth);  // one "-" counted
  MeasureAndDraw("ab&_");
  EXPECT_EQ(DrawnText(), "ab-");
}

TEST_F(InlineCodes, EscapesAndUnknownCodesAreText) {
  MeasureAndDraw("&zz #qq ## && a& b &+Xc");
  EXPECT_EQ(DrawnText(), "zz qq # & a b +Xc");
}

TEST_F(InlineCodes, StyleSwitchesSetAndClearTheFontStyles) {
  MeasureAndDraw("&+Ba&+Ib&+Uc&+Sd&-Be&-If&-Ug&-Sh");
  const auto texts = Ops(RecordedOp::Text);
  ASSERT_EQ(texts.size(), 8u);
  const bool expected[8][4] = {{1, 0, 0, 0}, {1, 1, 0, 0}, {1, 1, 1, 0}, {1, 1, 1, 1},
                               {0, 1, 1, 1}, {0, 0, 1, 1}, {0, 0, 0, 1}, {0, 0, 0, 0}};
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(texts[k].font.bold, expected[k][0]) << k;
    EXPECT_EQ(texts[k].font.italic, expected[k][1]) << k;
    EXPECT_EQ(texts[k].font.underline, expected[k][2]) << k;
    EXPECT_EQ(texts[k].font.strikethru, expected[k][3]) << k;
  }
}

TEST_F(InlineCodes, AParameterCodeWithoutItsColonEndsTheLineAndStillRecordsItsBox) {
  S.TablaCajas(1).Avance = 99999;  // what an earlier line left
  S.TablaCajas(1).AltoBajo = 99999;
  const std::string line = "abc&FS=20 def";  // the box's text is a view of it
  MeasureAndDraw(line);
  EXPECT_EQ(DrawnText(), "abc");
  EXPECT_DOUBLE_EQ(S.TablaCajas(1).Avance, 3 * kCharAdvance);
  EXPECT_DOUBLE_EQ(S.TablaCajas(1).AltoBajo, kModelTextHeight);
  EXPECT_EQ(S.TablaCajas(1).Texto, "abc&FS=20 def");
  EXPECT_DOUBLE_EQ(page_.font().size, 12);  // the size in force stays
}

}  // namespace
}  // namespace stagora::engine::test
