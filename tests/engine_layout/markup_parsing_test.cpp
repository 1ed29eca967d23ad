#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "viewer/engine/block_cutter.h"
#include "viewer/engine/document_layout.h"
#include "viewer/engine/markup_parsing.h"
#include "viewer/engine/viewer_values.h"

namespace stagora::engine {
namespace {

TEST(ExtraerBloque, CutsTheFirstBalancedBlock) {
  struct Case {
    const char* text;
    const char* open;
    const char* close;
    const char* expected;
  };
  const Case cases[] = {
      {"x#COC(a#N)(b#COC)y", "#COC(", "#N)", "#COC(a#N)"},
      {"#COC(1#COC(2#N)3#N)4", "#COC(", "#N)", "#COC(1#COC(2#N)3#N)"},
      {"#COC(a#COC)#COC(b#COC)", "#COC(", "#COC)", "#COC(a#COC)"},
      {"pre #SQR(#SQR(x#SQR)#SQR)", "#SQR(", "#SQR)", "#SQR(#SQR(x#SQR)#SQR)"},
      // A closing tag that also begins the opening tag still ends the search.
      {"#N)(a#N)", "#N)(", "#N)", "#N)(a#N)"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExtraerBloque(c.text, c.open, c.close), c.expected) << c.text;
}

TEST(ExtraerBloque, AnUnbalancedConstructGivesItsErrorBlock) {
  const std::string error = "#COC(&FC=Rojo:*ERROR*&FC=Negro:#COC)";
  EXPECT_EQ(ExtraerBloque("#COC(a#N)(b", "#COC(", "#COC)"), error);       // never closed
  EXPECT_EQ(ExtraerBloque("#COC(1#COC(2#COC)", "#COC(", "#COC)"), error);  // closed once of twice
  EXPECT_EQ(ExtraerBloque("text only", "#COC(", "#COC)"), error);          // no opening tag
  EXPECT_EQ(ExtraerBloque("#COC)#COC(", "#COC(", "#COC)"), error);         // close only before open
  EXPECT_EQ(ExtraerBloque("abc", "", ""), "&FC=Rojo:*ERROR*&FC=Negro:");   // empty tags never loop
}

// The block as the plain definition finds it: the next closing tag, and an opening tag before
// it if there is one, counted until the opening tag's match.
std::string ReferenceBlock(std::string_view text, std::string_view open, std::string_view close) {
  const std::size_t p = text.find(open);
  if (p == std::string_view::npos || text.find(close) == std::string_view::npos) return ErrorBlock(open, close);
  int depth = 1;
  std::size_t from = p + open.size();
  for (;;) {
    const std::size_t c = text.find(close, from);
    if (c == std::string_view::npos) return ErrorBlock(open, close);
    const std::size_t o = text.find(open, from);
    if (o == std::string_view::npos || o > c) {
      if (--depth == 0) return std::string(text.substr(p, c + close.size() - p));
      from = c + close.size();
    } else {
      ++depth;
      from = o + open.size();
    }
  }
}

// Random texts of tag fragments: the line's cutter, asked in any order about any part of the
// line from any position, finds what the plain definition finds in a copy of that part.
TEST(BlockCutter, FindsInEveryPartWhatThePlainDefinitionFinds) {
  const char* pieces[] = {"#COC(", "#COC)", "#N)", "#N)(", "x", "#", "(", ")", "#COC", "N)"};
  const std::pair<const char*, const char*> tags[] = {
      {"#COC(", "#COC)"}, {"#COC(", "#N)"}, {"#N)(", "#COC)"}, {"#N)(", "#N)"} /* tags that overlap */};
  std::mt19937 random(20260101);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int n = static_cast<int>(random() % 40);
    for (int k = 0; k < n; ++k) text += pieces[random() % std::size(pieces)];
    BlockCutter cutter(text);
    const BlockFinder finder(&cutter);
    for (int query = 0; query < 30; ++query) {
      const std::size_t a = random() % (text.size() + 1);
      const std::size_t b = a + random() % (text.size() - a + 1);
      const std::string_view part = std::string_view(text).substr(a, b - a);
      const std::size_t from = random() % (part.size() + 1);
      const auto& [open, close] = tags[random() % std::size(tags)];
      const std::string expected = ReferenceBlock(std::string(part.substr(from)), open, close);
      const BlockExtent found = finder.Find(part, from, open, close);
      const std::string got = found.at == std::string_view::npos ? ErrorBlock(open, close)
                                                                 : std::string(part.substr(found.at, found.length));
      ASSERT_EQ(got, expected) << text << " part " << a << "-" << b << " from " << from << " " << open << close;
      EXPECT_EQ(ExtraerBloque(part.substr(from), open, close), expected);
    }
  }
}

TEST(LeerColor, ReadsTriplesNumbersAndNames) {
  struct Case {
    const char* text;
    plat::Color expected;
  };
  const Case cases[] = {
      {"255;128;0", plat::Rgb(255, 128, 0)},
      {"naranja", plat::Rgb(255, 128, 0)},
      {"  Orange ", plat::Rgb(255, 128, 0)},
      {"16711680", plat::Rgb(0, 0, 255)},
      {"10;20", plat::Rgb(10, 20, 20)},  // a missing blue repeats green
      {"300;-5;12.6", plat::Rgb(255, 0, 13)},
      {"Rojo", plat::Rgb(255, 0, 0)},
      {"GRIS", plat::Rgb(192, 192, 192)},
      {"canelo", plat::Rgb(128, 64, 0)},
      {"fucsia", plat::Rgb(255, 128, 255)},
      {"violeta", plat::Rgb(128, 0, 255)},
      {"chartreuse", 0},
      {"", 0},
      {"99999999999999999999", plat::Rgb(255, 255, 255)},
  };
  for (const Case& c : cases) EXPECT_EQ(LeerColor(c.text), c.expected) << c.text;
}

TEST(LeerFigura, SplitsNameAndTwoNumbers) {
  std::string name;
  double a = -1, b = -1;
  LeerFigura("REC,30,12.5", name, a, b);
  EXPECT_EQ(name, "REC");
  EXPECT_DOUBLE_EQ(a, 30);
  EXPECT_DOUBLE_EQ(b, 12.5);
  LeerFigura(" REC,-40,0 ", name, a, b);
  EXPECT_EQ(name, "REC");
  EXPECT_DOUBLE_EQ(a, -40);
  EXPECT_DOUBLE_EQ(b, 0);
  // Malformed texts read 0 for what is missing.
  LeerFigura("REC,7", name, a, b);
  EXPECT_EQ(name, "REC");
  EXPECT_DOUBLE_EQ(a, 7);
  EXPECT_DOUBLE_EQ(b, 0);
  LeerFigura("REC", name, a, b);
  EXPECT_EQ(name, "REC");
  EXPECT_DOUBLE_EQ(a, 0);
  EXPECT_DOUBLE_EQ(b, 0);
}

TEST(Val, ReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    double expected;
  };
  const Case cases[] = {
      {"12", 12},          {"12.5mm", 12.5},  {"-3.25:", -3.25}, {"+7", 7},    {" 1 2 ", 12},
      {"1.2.3", 1.2},      {".5", 0.5},       {"abc", 0},        {"", 0},      {"-", 0},
      {"007abc", 7},       {"1e5", 1},        {"1,5", 1},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.expected) << c.text;
  // A number longer than any double stays finite.
  EXPECT_DOUBLE_EQ(Val(std::string(400, '9')), 1e300);
  EXPECT_EQ(RoundToLong(1e300), 2147483647L);
  EXPECT_EQ(RoundToLong(2.5), 2L);
}

TEST(SustituirMacros, ReplacesEveryPlaceholderWithTheViewersSymbols) {
  ViewerValues V;
  V.SimboloDecimal = ",";
  struct Case {
    const char* line;
    const char* expected;
  };
  const Case cases[] = {
      {"1&.5", "1,5"},
      {"a&\xB7" "b", "a\xD7" "b"},
      {"x&,y", "x;y"},
      {"&DT", "&sigma"},
      {"&sen(x)", "sin(x)"},
      {"&(a&:b&)", "(a\xF7" "b)"},
      {"&FA &SM &NSM &NPM", "n \x80 euro euros"},
      {"x &and y", "x and y"},
      {"no placeholders", "no placeholders"},
  };
  for (const Case& c : cases) EXPECT_EQ(SustituirMacros(c.line, V), c.expected) << c.line;
  EXPECT_EQ(SustituirMacros("1&.5&E-3", ViewerValues{}), "1.5&E-3");  // the start-up decimal point
}

}  // namespace
}  // namespace stagora::engine
