#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine_formulas/formula_fixture.h"
#include "viewer/engine/delimiters.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

constexpr double kS = 0.1 * kH;       // spacing unit, 27.6 twips
constexpr double kT = 0.04 * kH;      // stroke, 11.04 twips
// The content of the worked example: a fraction of one-line parts.
constexpr double kFractionAbove = 15 + kH + 7.5 - kAxis;          // its reach above the line's top
constexpr double kFractionBelow = 7.5 + 15 + kH + kAxis;          // and below
// Pens are at least one pixel wide, so a stroke thinner than a pixel may reach half a pixel
// past the geometry it was given.
constexpr double kHalfPixel = kTpp / 2;

class Delimiters : public FormulaTest {
 protected:
  // Lines that begin or end left (or right) of x, in twips.
  std::vector<RecordedOp> LinesLeftOf(double x) const {
    std::vector<RecordedOp> out;
    for (const RecordedOp& op : Ops(RecordedOp::Line)) {
      if (std::min(op.x1, op.x2) * kTpp < x) out.push_back(op);
    }
    return out;
  }
  std::vector<RecordedOp> LinesRightOf(double x) const {
    std::vector<RecordedOp> out;
    for (const RecordedOp& op : Ops(RecordedOp::Line)) {
      if (std::max(op.x1, op.x2) * kTpp > x) out.push_back(op);
    }
    return out;
  }
  static Extent ExtentOf(const std::vector<RecordedOp>& ops) {
    Extent e;
    for (const RecordedOp& op : ops) e.add(op.x1 * kTpp, op.y1 * kTpp, op.x2 * kTpp, op.y2 * kTpp);
    return e;
  }
};

TEST_F(Delimiters, ParenthesesAroundAFractionSpanItAndCentreOnItsAxis) {
  const Laid laid = Lay("#NES(()#COC(1#N)(2#COC)#NES)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const CajaHTFC& box = S.TablaCajas(2);
  EXPECT_NEAR(box.DesplazamientoX, 3 * kS + kT, 1e-9);
  EXPECT_NEAR(box.AltoSobre, 2 * kS + kFractionAbove, 1e-9);
  EXPECT_NEAR(box.AltoBajo, 2 * kS + kFractionBelow, 1e-9);
  EXPECT_NEAR(box.AltoEje, kAxis, 1e-9);  // the content's axis

  const double x0 = kX + box.DesplazamientoX;  // where the content starts
  const double contentEnd = x0 + S.TablaCajas(3).Avance;
  const double top = kY - kFractionAbove, bottom = kY + kFractionBelow;
  const auto left = LinesLeftOf(x0), right = LinesRightOf(contentEnd);
  ASSERT_EQ(left.size(), 9u + 1 + 9);  // arc, stem, arc
  ASSERT_EQ(right.size(), 9u + 1 + 9);
  for (const Extent& e : {ExtentOf(left), ExtentOf(right)}) {
    EXPECT_LT(e.top, top);       // taller than the fraction
    EXPECT_GT(e.bottom, bottom);
    EXPECT_GT(e.top, top - 2 * kS);  // but inside the room above and below
    EXPECT_LT(e.bottom, bottom + 2 * kS);
  }
  // The upper arc of "(": radius 4 s round (xl + 4 s, T + 2 s), starting at 120 degrees.
  const double xl = x0 - 2 * kS - kT / 2;
  const double cx = xl + 4 * kS, cy = top + 2 * kS, r = 4 * kS;
  EXPECT_NEAR(r, 110.4, 1e-9);
  for (int k = 0; k < 9; ++k) {
    EXPECT_NEAR(std::hypot(left[k].x1 * kTpp - cx, left[k].y1 * kTpp - cy), r, 1e-6) << k;
    EXPECT_NEAR(std::hypot(left[k].x2 * kTpp - cx, left[k].y2 * kTpp - cy), r, 1e-6) << k;
  }
  EXPECT_NEAR(left[0].x1 * kTpp, cx + r * std::cos(V.Pi * 2 / 3), 1e-6);
  EXPECT_NEAR(left[0].y1 * kTpp, cy - r * std::sin(V.Pi * 2 / 3), 1e-6);
  // The stem joins the two arcs on the stroke line.
  EXPECT_NEAR(left[9].x1 * kTpp, xl, 1e-9);
  EXPECT_NEAR(left[9].y1 * kTpp, top + 2 * kS, 1e-9);
  EXPECT_NEAR(left[9].y2 * kTpp, bottom - 2 * kS, 1e-9);
  // Tapering: the tip is thin, the stem thick (in whole pixels, at least one).
  EXPECT_EQ(page_.drawWidth(), 1);
  ExpectInside(Drawn(), BoxOf(laid.line), "parentheses", kHalfPixel);
}

TEST_F(Delimiters, AnUnknownLeftDelimiterDrawsNothingButKeepsItsRoom) {
  const Laid brace = Lay("#NES(X}#RWS(R#RW1(x+y=1#RW1)#RW2(x-y=0#RW2)#RWS)#NES)");
  EXPECT_EQ(brace.drawnTo, brace.measuredTo);
  const CajaHTFC box = S.TablaCajas(2);
  EXPECT_NEAR(box.DesplazamientoX, 3 * kS + kT, 1e-9);
  const double contentEnd = kX + box.DesplazamientoX + S.TablaCajas(3).Avance;
  EXPECT_TRUE(LinesLeftOf(kX + box.DesplazamientoX).empty());
  const auto right = Ops(RecordedOp::Line);
  EXPECT_FALSE(LinesRightOf(contentEnd).empty());
  // The brace spans both rows.
  const RecordedOp* first = TextOp(u"1");
  const RecordedOp* last = TextOp(u"0");
  ASSERT_TRUE(first && last);
  const Extent e = ExtentOf(right);
  EXPECT_LT(e.top, first->y1 * kTpp);
  EXPECT_GT(e.bottom, last->y2 * kTpp);
  ExpectInside(Drawn(), BoxOf(brace.line), "brace", kHalfPixel);

  // A brace on the right is 2 s wider than a parenthesis.
  Lay("#NES(X)a#NES)");
  const double paren = S.TablaCajas(2).Avance;
  Lay("#NES(X}a#NES)");
  EXPECT_NEAR(S.TablaCajas(2).Avance - paren, 2 * kS, 1e-9);
}

TEST_F(Delimiters, ReversedBracketsTurnTheirSerifsOutwards) {
  const Laid laid = Lay("#NES(][a#NES)");
  const double x0 = kX + S.TablaCajas(2).DesplazamientoX;
  const double xl = x0 - 2 * kS - kT / 2, xr = x0 + kCharAdvance + 2 * kS + kT / 2;
  const auto lines = Ops(RecordedOp::Line);
  ASSERT_EQ(lines.size(), 6u);
  // Left "]": the stem at xl + s, its serifs reach s further left.
  EXPECT_NEAR(lines[0].x1 * kTpp, xl + kS, 1e-9);
  EXPECT_NEAR(lines[1].x1 * kTpp, xl - kS, 1e-9);
  EXPECT_NEAR(lines[1].x2 * kTpp, xl + kS, 1e-9);
  // Right "[": the stem at xr - s, its serifs reach s further right.
  EXPECT_NEAR(lines[3].x1 * kTpp, xr - kS, 1e-9);
  EXPECT_NEAR(lines[4].x1 * kTpp, xr + kS, 1e-9);
  EXPECT_NEAR(lines[4].x2 * kTpp, xr - kS, 1e-9);
  ExpectInside(Drawn(), BoxOf(laid.line), "brackets", kHalfPixel);
}

TEST_F(Delimiters, EveryDelimiterStaysInsideItsBoxAndRestoresTheTarget) {
  struct Case {
    const char* line;
    double size;
  };
  const Case cases[] = {{"#NES(||a#NES)", 12},
                        {"#NES([]#COC(1#N)(2#COC)#NES)", 12},
                        {"#NES({}x#NES)", 12},
                        {"#NES({}#RWS(L#RW1(a#RW1)#RW2(b#RW2)#RW3(c#RW3)#RWS)#NES)", 12},
                        {"#NES((}#SQR(x#SQR)#NES)", 30},
                        {"#NES({]x#NES)", 6}};
  for (const auto& [line, size] : cases) {
    page_.setFont(plat::FontSpec{});
    page_.setFontSize(size);
    page_.setFontItalic(true);
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << line;
    ExpectInside(Drawn(), BoxOf(laid.line), line, kHalfPixel);
    EXPECT_EQ(page_.drawWidth(), 1) << line;
    EXPECT_TRUE(page_.font().italic) << line;
  }
}

TEST_F(Delimiters, ArcEndAngleBelowTheStartIsRaisedByATurnAndRunsOneStepPast) {
  page_.setDrawWidth(4);
  const double r = 300;
  DibujarArco(1000, 1000, r, 300, 0, 15, 45, 8, page_, V);
  const auto strokes = Ops(RecordedOp::Line);
  ASSERT_EQ(strokes.size(), 9u);
  const auto angleOf = [r, this](double x, double y) {
    return std::atan2(-(y * kTpp - 1000) / r, (x * kTpp - 1000) / r) * 180 / V.Pi;
  };
  EXPECT_NEAR(angleOf(strokes[0].x1, strokes[0].y1), -60, 1e-6);  // 300 degrees
  EXPECT_NEAR(angleOf(strokes[7].x2, strokes[7].y2), 0, 1e-6);    // 360 degrees
  EXPECT_NEAR(angleOf(strokes[8].x2, strokes[8].y2), 7.5, 1e-6);  // one step past
  EXPECT_EQ(strokes[0].pen, 1);
  EXPECT_EQ(strokes[8].pen, 3);
  EXPECT_EQ(page_.drawWidth(), 4);
}

TEST_F(Delimiters, AConstructWithoutRoomForItsDelimitersIsSetAsText) {
  const Laid empty = Lay("#NES(()#NES)z");  // twelve characters: an empty content
  EXPECT_EQ(empty.drawnTo, empty.measuredTo);
  EXPECT_EQ(DrawnText(), "z");
  for (const char* line : {"#NES(#NES)z", "#NES((a"}) {
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << line;
    EXPECT_TRUE(Ops(RecordedOp::Line).empty()) << line;
    EXPECT_NE(DrawnText().find("#NES("), std::string::npos) << line;
  }
  EXPECT_EQ(TextIn(kRed), "*ERROR*");  // the unclosed one
}

}  // namespace
}  // namespace stagora::engine::test
