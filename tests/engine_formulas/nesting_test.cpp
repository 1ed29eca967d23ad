#include <gtest/gtest.h>

#include <filesystem>

#include "platform/textfile.h"
#include "tests/engine_formulas/formula_fixture.h"
#include "tests/engine_layout/page_operations.h"
#include "tests/support/test_support.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;

// Pens are at least one pixel wide, so a stroke thinner than a pixel may reach half a pixel
// past the geometry it was given.
constexpr double kHalfPixel = kTpp / 2;

class Nesting : public FormulaTest {};

TEST_F(Nesting, EveryConstructNestedTwoAndThreeDeepKeepsItsNumbersAndStaysInItsBox) {
  const char* lines[] = {
      // two deep
      "#COC(#SQR(x#SQR)#N)(#POT(y#PB)(2#POT)#COC)",
      "#NES(()#COC(a#N)(b#COC)#NES)",
      "#SQR(#COC(1#N)(x#COC)#SQR)",
      "#POT(#NES(()a+b#NES)#PB)(#COC(1#N)(2#COC)#POT)",
      "#RWS(R#RW1(#COC(a#N)(b#COC)#RW1)#RW2(#SQR(c#SQR)#RW2)#RWS)",
      "#NES(X}#RWS(R#RW1(x+y=1#RW1)#RW2(x-y=0#RW2)#RWS)#NES)",
      "#CUR(#POT(x#PB)(3#POT)#CUR)",
      "#EXP(#COC(-x#N)(2#COC)#EXP)",
      // three deep
      "#COC(#COC(#COC(1#N)(2#COC)#N)(3#COC)#N)(4#COC)",
      "#NES([]#NES((}#NES(||x#NES)#NES)#NES)",
      "#SQR(#SQR(#SQR(x#SQR)#SQR)#SQR)",
      "#RAD(#RI(n#RI)#COC(#POT(a#PB)(#COC(1#N)(n#COC)#POT)#N)(b#COC)#RAD)",
      "#NES({)#COC(#SQR(#POT(x#PB)(2#POT)+1#SQR)#N)(#NES(()a-b#NES)#COC)#NES)",
      "#RWS(C#RW1(#NES(()#COC(#SQR(a#SQR)#N)(2#COC)#NES)#RW1)#RW2(#RWS(L#RW1(#POT(e#PB)(x#POT)#RW1)#RWS)#RW2)#RWS)",
      "#POT(#POT(#POT(a#PB)(b#POT)#PB)(c#POT)#PB)(d#POT)",
      "x = #COC(-b &pm #SQR(#POT(b#PB)(2#POT) - 4ac#SQR)#N)(2a#COC) and #DDL(n#L)(k#DDL)",
  };
  for (const char* line : lines) {
    page_.setFont(plat::FontSpec{});
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << line;
    EXPECT_TRUE(TextIn(kRed).empty()) << line;
    ExpectInside(Drawn(), BoxOf(laid.line), line, kHalfPixel);
    EXPECT_EQ(S.NivelFraccion, 0) << line;
    EXPECT_EQ(S.NivelIndice, 0) << line;
  }
}

TEST_F(Nesting, AMalformedConstructShowsTheErrorWordAndTheLineGoesOn) {
  const char* lines[] = {
      "#COC(1#COC)z",     "#COC(1#N)(2#N)(3#COC)z", "#NES(#NES)z",          "#NES(()#NES)z",
      "#POT(#PB)(#POT)z", "#POT(a#PB)#POT)z",       "#SQR(#SQR)z",          "#RAD(#RI(#RI)#RAD)z",
      "#RAD(#RI(3#RAD)z", "#RWS(#RWS)z",            "#RWS(L#RW2(a#RW2)#RWS)z", "#IMG(#IMG)z",
      "#IMG('#IMG)z",     "#COC(#NES(()#N)(#RWS(L#COC)z",
  };
  for (const char* line : lines) {
    page_.setFont(plat::FontSpec{});
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << line;
    ASSERT_NE(TextOp(u"z"), nullptr) << line;
    EXPECT_NEAR(TextOp(u"z")->x2 * kTpp + 1, kX + laid.line.Avance, 1e-9) << line;
    ExpectInside(Drawn(), BoxOf(laid.line), line, kHalfPixel);
  }
}

// The pages kept as fixtures render whole: the last line of each is drawn, whatever the
// constructs before it.
TEST_F(Nesting, EveryFixturePageRendersToItsLastLine) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(stagora::test::SourceDir()) / "tests" / "fixtures" / "markup_formulas";
  int pages = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() != ".htfc") continue;
    const std::optional<std::string> text = plat::ReadTextFile(entry.path().string());
    ASSERT_TRUE(text) << entry.path();
    page_.clearLog();
    Render("#MARK=001" + *text);
    EXPECT_NE(DrawnText().find("END"), std::string::npos) << entry.path();
    EXPECT_EQ(S.BloqueCorte, 1) << entry.path();  // everything fitted on the page
    ++pages;
  }
  EXPECT_GT(pages, 0);
}

// Documents nested far past the limit draw what the kept page nested 30 deep draws: the
// levels within the limit and the error form below them. They are made here, up to 1.5 MB,
// and must come out quickly (ctest's timeout stands for a stall).
TEST(DeepNesting, FractionsNestedThousandsDeepDrawTheKeptPage) {
  namespace fs = std::filesystem;
  const fs::path kept =
      fs::path(stagora::test::SourceDir()) / "tests" / "fixtures" / "markup_formulas" / "nested_fractions.ops";
  const std::vector<std::string> expected = ReadLines(kept);
  ASSERT_GT(expected.size(), 24u);
  for (long depth : {1000L, 4000L, 100000L}) {
    std::string text = "&FS=6:";
    for (long k = 0; k < depth; ++k) text += "#COC(";
    text += "1";
    for (long k = 0; k < depth; ++k) text += "#N)(2#COC)";
    text += "&LF&FS=12:END";
    const std::string difference = FirstDifference(expected, LaidOutPage(text));
    EXPECT_EQ(difference, "") << depth << " deep";
  }
}

// A long run of constructs that never close, inside the part of a construct that measures
// its part whole: every one is met and set as its error form, as one alone is, and the run
// must come out quickly (ctest's timeout stands for a stall).
TEST_F(Nesting, AnOpenRunInAPartSetsEveryOneAsItsErrorForm) {
  const char* heads[] = {"#INT(", "#VEC(", "#TST(", "#ATX(", "#SPB(C", "#A6V(SSSSSS#R1(", "#UDB(CSS#R1(",
                         "#CEQ(2'A = B'#A21(a#A21)#A22("};
  const auto errors = [this](const std::string& text) {
    std::size_t count = 0;
    const std::string red = TextIn(kRed);
    for (std::size_t at = red.find("*ERROR*"); at != std::string::npos; at = red.find("*ERROR*", at + 1)) ++count;
    EXPECT_NE(DrawnText().find("END"), std::string::npos) << text;
    return count;
  };
  constexpr std::size_t kUnits = 3000;
  for (const std::string head : heads) {
    // The unit is longer than the error block a construct that does not close is set as.
    const std::string unit = head + "x abcdefghijklmnopqrstuvwxyz abcdefghijklmnop ";
    const std::string open = head == "#INT(" ? "#VEC(" : "#INT(", close = head == "#INT(" ? "#VEC)" : "#INT)";
    std::string run;
    for (std::size_t k = 0; k < kUnits; ++k) run += unit;
    page_.clearLog();
    Render(open + unit + close + "&LF&FS=12:END");
    const std::size_t one = errors(head);
    EXPECT_GT(one, 0u) << head;
    page_.clearLog();
    Render(open + run + close + "&LF&FS=12:END");
    EXPECT_EQ(errors(head), kUnits * one) << head;
  }
}

}  // namespace
}  // namespace stagora::engine::test
