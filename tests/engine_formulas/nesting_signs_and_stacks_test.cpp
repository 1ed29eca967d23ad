// The integral, the decorations, the stacked texts, the texts on an arrow and the stacked
// parts nested in fractions and delimiters and in one another.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine_formulas/formula_fixture.h"

namespace stagora::engine::test {
namespace {

// Three of these constructs draw a little outside their boxes, as they are meant to: the
// upper text on an arrow is raised by two margins (0.18 H), the barb of "#VEC(" reaches half
// a head (0.09 H) above the content, and the integral sign, which is not measured, may end
// 0.12 H below its box. Pens are at least one pixel wide besides.
constexpr double kOvershoot = 0.18 * kH + kTpp / 2;

const char* const kDecorationTags[] = {"TDX", "TDU", "TDD", "REC", "VEC", "VED", "SEG",
                                       "UDL", "SED", "AND", "ARC", "DOL", "CDE", "CDI"};

class NestedSignsAndStacks : public FormulaTest {
 protected:
  void ExpectLaidOutWhole(const std::string& line) {
    page_.setFont(plat::FontSpec{});
    const Laid laid = Lay(line + "z");
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << line;
    EXPECT_TRUE(TextIn(kRed).empty()) << line;
    ExpectInside(Drawn(), BoxOf(laid.line), line, kOvershoot);
    const plat::RecordedOp* z = TextOp(u"z");
    ASSERT_TRUE(z) << line;
    EXPECT_NEAR(z->x2 * kTpp + 1, kX + laid.line.Avance, 1e-9) << line;  // ends where measured
    EXPECT_EQ(S.NivelFraccion, 0) << line;
    EXPECT_EQ(S.NivelIndice, 0) << line;
    EXPECT_EQ(page_.font(), plat::FontSpec{}) << line;
    EXPECT_EQ(page_.drawWidth(), 1) << line;
  }
};

TEST_F(NestedSignsAndStacks, EachNestedTwoDeepInFractionsAndDelimiters) {
  const char* lines[] = {
      "#COC(#INT(#COC(1#N)(x#COC) dx#INT)#N)(#NES(()#INT(#SQR(x#SQR)#INT)#NES)#COC)",
      "#COC(#TST(#COC(a#N)(b#COC)#TS)(#ST1(i=1#ST1)#TST)#N)(#NES(()#TST(a#TS)(#ST1(#NES(||x#NES)#ST1)#TST)#NES)#COC)",
      "#NES([]#ATX(#COC(a#N)(b#COC)#T)(#SQR(c#SQR)#ATX)#NES)",
      "#COC(x#N)(#NES({)#ATX(k#T)(#COC(1#N)(T#COC)#ATX)#NES)#COC)",
      "#COC(#SPB(C#COC(1#N)(2#COC)#T)(#NES(()x#NES)#SPB)#N)(y#COC)",
      "#NES({}#SPB(R#NES(||a#NES)#T)(#COC(b#N)(c#COC)#SPB)#NES)",
  };
  for (const char* line : lines) ExpectLaidOutWhole(line);
  for (const char* tag : kDecorationTags) {
    const std::string d = tag;
    ExpectLaidOutWhole("#COC(#" + d + "(#COC(1#N)(2#COC)#" + d + ")#N)(#NES(()#" + d + "(x#" + d + ")#NES)#COC)");
    ExpectLaidOutWhole("#NES([]#" + d + "(#NES(()a#NES)#" + d + ")#NES)");
  }
}

TEST_F(NestedSignsAndStacks, ThreeDeepAndInOneAnother) {
  const char* lines[] = {
      "#NES(()#COC(#SPB(C#INT(x#INT)#T)(#TST(a#TS)(#ST1(#REC(b#REC)#ST1)#TST)#SPB)#N)(#ATX(#UDL(k#UDL)#T)(#COC(1#N)(T#COC)#ATX)#COC)#NES)",
      "#INT(#INT(#INT(x#INT)#INT)#INT)",
      "#REC(#TDX(#CDI(#COC(a#N)(b#COC)#CDI)#TDX)#REC)",
      "#TST(#TST(a#TS)(#ST1(b#ST1)#TST)#TS)(#ST1(#TST(c#TS)(#ST1(d#ST1)#ST2(e#ST2)#TST)#ST1)#ST2(f#ST2)#TST)",
      // (An arrow in an upper text would raise its own upper text by two margins more.)
      "#ATX(a#T)(#ATX(c#T)(#ATX(d#T)(e#ATX)#ATX)#ATX)",
      "#SPB(C#SPB(R#SPB(L1#T)(2#SPB)#T)(3#SPB)#T)(#SPB(C4#T)(5#SPB)#SPB)",
      "#POT(#INT(x#INT)#PB)(#SPB(Cn#T)(#TST(k#TS)(#ST1(j#ST1)#TST)#SPB)#POT)",
      "#RWS(L#RW1(#ATX(a#T)(b#ATX)#RW1)#RW2(#VEC(#TST(c#TS)(#ST1(d#ST1)#TST)#VEC)#RW2)#RWS)",
  };
  for (const char* line : lines) ExpectLaidOutWhole(line);
}

TEST_F(NestedSignsAndStacks, MalformedOnesShowTheErrorWordAndTheLineGoesOn) {
  const char* closed[] = {"#INT(#INT)",          "#REC(#REC)",           "#TST(#TST)", "#TST(a#TS)(#ST1(b#TST)",
                          "#ATX(#ATX)",          "#ATX(a#T)(b#T)(c#ATX)", "#SPB(#SPB)", "#SPB(a#T)(b#T)(c#SPB)",
                          "#COC(#ATX(a#N)(b#COC)", "#NES(()#SPB(C#NES)"};
  for (const char* construct : closed) {
    page_.setFont(plat::FontSpec{});
    const std::string line = std::string(construct) + "z";
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << line;
    const plat::RecordedOp* z = TextOp(u"z");
    ASSERT_TRUE(z) << line;
    EXPECT_NEAR(z->x2 * kTpp + 1, kX + laid.line.Avance, 1e-9) << line;
    EXPECT_EQ(S.NivelFraccion, 0) << line;
    EXPECT_EQ(S.NivelIndice, 0) << line;
  }
  // Not closed at all: the construct takes the rest of the line with it.
  const char* unclosed[] = {"#INT(x", "#VEC(x", "#TST(a#TS)(#ST1(b#ST1)", "#ATX(a#T)(b", "#SPB(Ca#T)(b"};
  for (const char* line : unclosed) {
    page_.setFont(plat::FontSpec{});
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << line;
    EXPECT_NE(TextIn(kRed).find("*ERROR*"), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace stagora::engine::test
