#include <gtest/gtest.h>

#include <cmath>

#include "tests/engine_formulas/formula_fixture.h"
#include "viewer/engine/rings.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

// The ring's proportions at 12 points (H = 276): the radius, the margin (raised to 15 twips),
// the axis offset and the inner-bond inset.
constexpr double kR = 1.5 * kH;
constexpr double kP = 15;
constexpr double kA = 0.574 * kH;
constexpr double kInset = 0.18 * kH;
const double kSin60 = std::sqrt(3.0) / 2;

// The ring's left vertex lies on the box's left edge: half of the one-pixel pen may stand
// past it.
constexpr double kHalfPen = 7.5;

double Distance(double x1, double y1, double x2, double y2) { return std::hypot(x2 - x1, y2 - y1); }

class Rings : public FormulaTest {
 protected:
  // The ring's centre when the line is laid out from (kX, kY) and the ring reaches `left`
  // to the left of it, after a left offset of `offset`.
  static double CentreX(double left, double offset = 0) { return kX + offset + left; }
  static constexpr double kCentreY = kY + kA;
};

TEST_F(Rings, AHexagonStandsOnTheLinesAxisInItsBox) {
  const Laid laid = Lay("#A6V(SSSSSS#A6V)");
  EXPECT_EQ(laid.drawnTo, laid.measuredTo);
  const CajaHTFC& ring = S.TablaCajas(2);
  EXPECT_NEAR(ring.DesplazamientoX, 0, 1e-9);
  EXPECT_NEAR(ring.Avance, 2 * kR * kSin60 + kP, 1e-6);
  EXPECT_NEAR(ring.AltoSobre, kR - kA + kP, 1e-6);
  EXPECT_NEAR(ring.AltoEje, kA, 1e-9);
  EXPECT_NEAR(ring.AltoBajo, kR + kA + kP, 1e-6);

  const auto edges = Ops(RecordedOp::Line);
  ASSERT_EQ(edges.size(), 6u);
  const double cx = CentreX(kR * kSin60);
  // Edge 1 runs from the top vertex down to the right; every vertex lies R from the centre.
  EXPECT_NEAR(edges[0].x1 * kTpp, cx, 1e-6);
  EXPECT_NEAR(edges[0].y1 * kTpp, kCentreY - kR, 1e-6);
  EXPECT_NEAR(edges[0].x2 * kTpp, cx + kR * kSin60, 1e-6);
  for (const RecordedOp& e : edges) {
    EXPECT_NEAR(Distance(cx, kCentreY, e.x1 * kTpp, e.y1 * kTpp), kR, 1e-6);
    EXPECT_EQ(e.pen, 1);
  }
  EXPECT_NEAR(edges[5].x2, edges[0].x1, 1e-9);  // the last edge closes the ring
  ExpectInside(Drawn(), BoxOf(laid.line), "hexagon", kHalfPen);
}

TEST_F(Rings, EveryOrderAndOrientationStaysInsideItsBox) {
  // Rings of odd order reach further on one side than the other (a vertex at the far right,
  // or straight down); the box covers the ring whichever way it points.
  for (char n = '3'; n <= '9'; ++n) {
    for (char letter : {'V', 'L', 'I', 'D'}) {
      const std::string tag = std::string("#A") + n + letter;
      const Laid laid = Lay(tag + "(SSSSSSSSS&EC=TDTDTDTDT" + tag + ")");
      EXPECT_EQ(laid.drawnTo, laid.measuredTo) << tag;
      const int vertices = n - '0', triples = (vertices + 1) / 2, doubles = vertices / 2;
      EXPECT_EQ(Ops(RecordedOp::Line).size(), static_cast<std::size_t>(vertices + 2 * triples + doubles)) << tag;
      ExpectInside(Drawn(), BoxOf(laid.line), tag, kHalfPen);
    }
  }
}

TEST_F(Rings, TheOrientationLetterTurnsTheFirstVertex) {
  struct Case {
    const char* ring;
    double vertexX, vertexY;  // vertex 1 from the centre, of R
    double left;              // the reach to the left, of R
  };
  const double c30 = std::cos(M_PI / 6), c36 = std::cos(M_PI / 5);
  const Case cases[] = {
      {"#A6L(SSSSSS#A6L)", 0.5, -c30, 1},   // an edge across the top, vertices left and right
      {"#BCH(SSSSSS#BCH)", 0.5, -c30, 1},
      {"#A5I(SSSSS#A5I)", -1, 0, 1},        // a vertex at the far left
      {"#A5D(SSSSS#A5D)", 1, 0, c36},       // a vertex at the far right
  };
  for (const Case& c : cases) {
    Lay(c.ring);
    const auto edges = Ops(RecordedOp::Line);
    ASSERT_FALSE(edges.empty()) << c.ring;
    const double cx = CentreX(c.left * kR);
    EXPECT_NEAR(edges[0].x1 * kTpp, cx + c.vertexX * kR, 1e-6) << c.ring;
    EXPECT_NEAR(edges[0].y1 * kTpp, kCentreY + c.vertexY * kR, 1e-6) << c.ring;
  }
  // "L" puts an edge across the top: vertex 6 and vertex 1 at one height.
  Lay("#A6L(SSSSSS#A6L)");
  const auto edges = Ops(RecordedOp::Line);
  EXPECT_NEAR(edges[5].y1, edges[5].y2, 1e-9);
  EXPECT_NEAR(edges[2].y1, edges[2].y2, 1e-9);  // and one across the bottom
}

TEST_F(Rings, TheAromaticRingHasItsCircleAndNoInnerBonds) {
  const Laid laid = Lay("#BCV(SSSSSS&EC=DDDDDD#BCV)");
  EXPECT_EQ(Ops(RecordedOp::Line).size(), 6u);
  const auto circles = Ops(RecordedOp::Ellipse);
  ASSERT_EQ(circles.size(), 1u);
  const RecordedOp& c = circles[0];
  EXPECT_FALSE(c.filled);
  EXPECT_NEAR((c.x1 + c.x2) / 2 * kTpp, CentreX(kR * kSin60), 1e-6);
  EXPECT_NEAR((c.y1 + c.y2) / 2 * kTpp, kCentreY, 1e-6);
  EXPECT_NEAR((c.x2 - c.x1) / 2 * kTpp, 0.62 * kR, 1e-6);
  ExpectInside(Drawn(), BoxOf(laid.line), "benzene", kHalfPen);
}

TEST_F(Rings, DoubleAndTripleRingBondsAreInsetParallelToTheirEdge) {
  Lay("#A3V(SSS&EC=TSS#A3V)");
  const auto lines = Ops(RecordedOp::Line);
  ASSERT_EQ(lines.size(), 5u);  // three edges, two inner lines for the triple bond
  const double cx = CentreX(kR * kSin60);
  const double d = kInset * 1.6;  // a triangle's inset is deeper
  EXPECT_NEAR(Distance(cx, kCentreY, lines[3].x1 * kTpp, lines[3].y1 * kTpp), kR - d, 1e-6);
  EXPECT_NEAR(Distance(cx, kCentreY, lines[3].x2 * kTpp, lines[3].y2 * kTpp), kR - d, 1e-6);
  EXPECT_NEAR(Distance(cx, kCentreY, lines[4].x1 * kTpp, lines[4].y1 * kTpp), kR - 2 * d, 1e-6);
  // Parallel to edge 1.
  const double edge = std::atan2(lines[0].y2 - lines[0].y1, lines[0].x2 - lines[0].x1);
  EXPECT_NEAR(std::atan2(lines[4].y2 - lines[4].y1, lines[4].x2 - lines[4].x1), edge, 1e-9);

  Lay("#A6V(SSSSSS&EC=SDSDSD#A6V)");
  EXPECT_EQ(Ops(RecordedOp::Line).size(), 9u);
  Lay("#A4V(SSSS&EC=D#A4V)");  // bonds missing at the end are single
  const auto square = Ops(RecordedOp::Line);
  ASSERT_EQ(square.size(), 5u);
  EXPECT_NEAR(Distance(CentreX(kR), kCentreY, square[4].x1 * kTpp, square[4].y1 * kTpp), kR - kInset * 1.3, 1e-6);
}

TEST_F(Rings, ASubstituentStandsBesideItsVertexAndWidensTheBoxOnItsSide) {
  // At the top vertex: the box grows upwards by the text's height and 0.3 R.
  const Laid top = Lay("#A6V(SSSSSS#R1(OH#R1)&EC=SDSDSD#A6V)");
  EXPECT_EQ(top.drawnTo, top.measuredTo);
  EXPECT_NEAR(S.TablaCajas(2).AltoSobre, kR - kA + kP + kH + 0.3 * kR, 1e-6);
  const double cx = CentreX(kR * kSin60);
  const RecordedOp* o = TextOp(u"O");
  ASSERT_TRUE(o);
  EXPECT_NEAR(o->x1 * kTpp, cx - 0.3 * kH + 1, 1e-6);
  EXPECT_NEAR(o->y2 * kTpp, kCentreY - kR - 0.45 * kH, 1e-6);  // its bottom 0.45 H above the vertex
  const auto lines = Ops(RecordedOp::Line);
  ASSERT_EQ(lines.size(), 10u);  // six edges, three inner lines, the stroke
  const RecordedOp& stroke = lines[9];  // straight up from the vertex
  EXPECT_NEAR(stroke.x1 * kTpp, cx, 1e-6);
  EXPECT_NEAR(stroke.y1 * kTpp, kCentreY - kR, 1e-6);
  EXPECT_NEAR(stroke.x2 * kTpp, cx, 1e-6);
  EXPECT_NEAR((stroke.y2 - stroke.y1) * kTpp, -0.15 * kH - kH + kAxis, 1e-6);
  ExpectInside(Drawn(), BoxOf(top.line), "substituent above", kHalfPen);

  // At the right-hand vertex of a ring pointing right: the advance grows.
  const Laid right = Lay("#A6D(SSSSSS#R1(OH#R1)#A6D)");
  EXPECT_NEAR(S.TablaCajas(2).Avance, 2 * kR + kP + 2 * kCharAdvance + 0.5 * kR, 1e-6);
  EXPECT_NEAR(TextOp(u"O")->x1 * kTpp, kX + 2 * kR + 0.7 * kH + 1, 1e-6);
  ExpectInside(Drawn(), BoxOf(right.line), "substituent right", kHalfPen);

  // At the left-hand vertex of a ring pointing left: the left offset.
  const Laid left = Lay("#A6I(SSSSSS#R1(OH#R1)#A6I)");
  const double offset = 2 * kCharAdvance + 0.5 * kR;
  EXPECT_NEAR(S.TablaCajas(2).DesplazamientoX, offset, 1e-6);
  const auto strokes = Ops(RecordedOp::Line);
  ASSERT_EQ(strokes.size(), 7u);
  EXPECT_NEAR(strokes[6].x1 * kTpp, kX + offset, 1e-6);  // from the far-left vertex
  EXPECT_NEAR((strokes[6].x2 - strokes[6].x1) * kTpp, -0.6 * kH, 1e-6);
  EXPECT_NEAR(TextOp(u"H")->x2 * kTpp + 1, kX + offset - 0.65 * kH, 1e-6);  // ends 0.65 H before it
  ExpectInside(Drawn(), BoxOf(left.line), "substituent left", kHalfPen);
}

TEST_F(Rings, TheVertexMarkChoosesTheStroke) {
  // A double stroke down to the text under the bottom vertex.
  const Laid laid = Lay("#A6V(SSSDSS#R4(N#R4)#A6V)");
  auto lines = Ops(RecordedOp::Line);
  ASSERT_EQ(lines.size(), 8u);
  const double cx = CentreX(kR * kSin60);
  for (int k : {6, 7}) {
    const RecordedOp& s = lines[static_cast<std::size_t>(k)];
    EXPECT_NEAR(std::abs(s.x1 * kTpp - cx), 0.075 * kH, 1e-6);
    EXPECT_NEAR(s.y1 * kTpp, kCentreY + kR, 1e-6);
    EXPECT_NEAR((s.y2 - s.y1) * kTpp, 0.58 * kH, 1e-6);  // the text's height above its line is 0
  }
  EXPECT_NEAR(TextOp(u"N")->y1 * kTpp, kCentreY + kR + 0.5 * kH, 1e-6);
  ExpectInside(Drawn(), BoxOf(laid.line), "double stroke below", kHalfPen);

  // Any other mark: the text without a stroke.
  Lay("#A6V(xSSSSS#R1(N#R1)#A6V)");
  EXPECT_EQ(Ops(RecordedOp::Line).size(), 6u);
  EXPECT_NE(TextOp(u"N"), nullptr);
}

TEST_F(Rings, OnPaperThePensAreInPrinterDots) {
  const std::vector<double> pens = LinePensOnPrinter("#A6V(SSSSSS#R1(OH#R1)#A6V)");
  ASSERT_EQ(pens.size(), 7u);
  for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(pens[k], 6);  // 15 twips / 2.4
  EXPECT_EQ(pens[6], 5);                                      // 0.8 of it
}

TEST_F(Rings, AfterARingTextGoesOnInBlackWithAThinPenAndTheLinesFont) {
  page_.setFont(plat::FontSpec{});
  Lay("&FC=Rojo:#A5V(SSSSS#R1(&+I&FS=20:Q#R1)#A5V)y");
  for (const RecordedOp& e : Ops(RecordedOp::Line)) EXPECT_EQ(e.color, kRed);
  const RecordedOp* y = TextOp(u"y");
  ASSERT_TRUE(y);
  EXPECT_EQ(y->color, 0u);
  EXPECT_FALSE(y->font.italic);
  EXPECT_DOUBLE_EQ(y->font.size, 12);
  EXPECT_EQ(page_.drawWidth(), 1);
}

TEST_F(Rings, BrokenRingsShowTheErrorWordAndTheLineGoesOn) {
  // An unbalanced substituent: the ring is drawn, the word stands at the vertex.
  const Laid sub = Lay("#A6V(SSSSSS#R1(OH#A6V)z");
  EXPECT_EQ(sub.drawnTo, sub.measuredTo);
  EXPECT_EQ(TextIn(kRed), "*ERROR*");
  EXPECT_GE(Ops(RecordedOp::Line).size(), 6u);
  EXPECT_NE(TextOp(u"z"), nullptr);

  // A ring that is not closed: its tags around the word, no ring drawn from the error text.
  const Laid open = Lay("#A6V(SSSSSS");
  EXPECT_EQ(open.drawnTo, open.measuredTo);
  EXPECT_EQ(TextIn(kRed), "*ERROR*");
  EXPECT_TRUE(Ops(RecordedOp::Line).empty());
  EXPECT_EQ(DrawnText(), "#A6V(*ERROR*#A6V)");
}

TEST(RingParts, MarksBondsAndSubstituentsAreFoundWhereverTheyStand) {
  struct Case {
    const char* block;
    int n;
    const char* marks;
    const char* bonds;
    int substituent;
    const char* text;
  };
  const Case cases[] = {
      {"#A6V(SSSSSS#R1(OH#R1)&EC=SDSDSD#A6V)", 6, "SSSSSS", "SDSDSD", 1, "OH"},
      {"#A6V(  SDSSSS&EC=DS #R3(#A3V(SSS#A3V)#R3) #A6V)", 6, "SDSSSS", "DS #R3", 3, "#A3V(SSS#A3V)"},
      {"#A3V(#R2(Cl#R2)SSS#A3V)", 3, "#R2", "", 2, "Cl"},  // marks read from the substituent
      {"#A3V(SSS#R5(x#R5)#A3V)", 3, "SSS", "", 5, ""},   // above n: never looked for
      {"#A6V(S#R1(#R1(a#R1)b#R1)#A6V)", 6, "S#R1(#", "", 1, "#R1(a#R1)b"},
      {"#A6V(SSSSSS#R1(OH#A6V)", 6, "SSSSSS", "", 1, "&FC=Rojo:*ERROR*&FC=Negro:"},
  };
  for (const Case& c : cases) {
    const RingParts r = CutRing(c.block, c.n);
    EXPECT_EQ(r.marks, c.marks) << c.block;
    EXPECT_EQ(r.bonds, c.bonds) << c.block;
    EXPECT_EQ(r.substituents[static_cast<std::size_t>(c.substituent)], c.text) << c.block;
  }
  const RingShape benzene = RingShapeOf("#BCH(");
  EXPECT_EQ(benzene.vertices, 6);
  EXPECT_TRUE(benzene.circle);
  EXPECT_EQ(benzene.letter, 'H');
  const RingShape nine = RingShapeOf("#A9D(");
  EXPECT_EQ(nine.vertices, 9);
  EXPECT_FALSE(nine.circle);
  EXPECT_EQ(nine.letter, 'D');
}

}  // namespace
}  // namespace stagora::engine::test
