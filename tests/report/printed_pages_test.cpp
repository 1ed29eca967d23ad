// The two printed result pages as composed on a surface in millimetres: where each text
// goes and in which font, how a text splits into printed lines, the sheet order of a print
// run, and a failing page that still ends its sheet.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "designer/report/printed_pages.h"
#include "platform/recording_surface.h"

namespace stagora::test {
namespace {

// 96 dots per inch: one millimetre is 96 / 25.4 device pixels.
constexpr double kTwipsPerPixel = 15;
constexpr double kPxPerMm = 1440.0 / kTwipsPerPixel / 25.4;

// One printed text, back in millimetres.
struct Printed {
  std::string text;
  double x, y;
  plat::FontSpec font;
};

class PageTest : public ::testing::Test {
 protected:
  PageTest() : surface_(210 * kPxPerMm, 297 * kPxPerMm, kTwipsPerPixel) {
    surface_.setScaleMode(plat::ScaleMode::Millimetres);
    // What the diagram of the page before may have left on the printer.
    surface_.setFontItalic(true);
    surface_.setFontUnderline(true);
    surface_.setFontStrikethru(true);
  }

  std::vector<Printed> Texts() const {
    std::vector<Printed> out;
    for (const plat::RecordedOp& op : surface_.ops()) {
      // An empty line is printed as nothing.
      if (op.kind != plat::RecordedOp::Text || op.text.empty()) continue;
      out.push_back({std::string(op.text.begin(), op.text.end()), op.x1 / kPxPerMm, op.y1 / kPxPerMm, op.font});
    }
    return out;
  }

  plat::RecordingSurface surface_;
};

void ExpectAt(const Printed& p, const std::string& text, double x, double y, const char* font, double size,
              bool bold) {
  SCOPED_TRACE(text);
  EXPECT_EQ(p.text, text);
  EXPECT_NEAR(p.x, x, 1e-6);
  EXPECT_NEAR(p.y, y, 1e-6);
  EXPECT_EQ(p.font.name, font);
  EXPECT_EQ(p.font.size, size);
  EXPECT_EQ(p.font.bold, bold);
  EXPECT_FALSE(p.font.italic || p.font.underline || p.font.strikethru);
}

TEST_F(PageTest, PageOneTitleRuleBodyAndFixedPitchStretch) {
  ComposePage1(surface_, "Title",
               "first\r\nsecond\r\n<TAB\r\nFeed:  Zf\r\nDist:  Xd\r\nTAB>\r\n\r\n<TAB \r\nlast\r\n");
  const std::vector<Printed> t = Texts();
  ASSERT_EQ(t.size(), 7u);
  ExpectAt(t[0], "Title", 10, 10, "Arial", 11, true);
  ExpectAt(t[1], "first", 10, 18, "Arial", 10, false);
  ExpectAt(t[2], "second", 10, 22, "Arial", 10, false);
  // The marker lines take no space; the stretch's lines follow at 4 mm steps after four blanks.
  ExpectAt(t[3], "    Feed:  Zf", 10, 26, "Courier New", 10, true);
  ExpectAt(t[4], "    Dist:  Xd", 10, 30, "Courier New", 10, true);
  // An empty line prints nothing but takes its 4 mm: the next text is at 38.
  // A marker with a trailing blank is no marker.
  ExpectAt(t[5], "<TAB ", 10, 38, "Arial", 10, false);
  ExpectAt(t[6], "last", 10, 42, "Arial", 10, false);

  // The rule: one black filled box from (10, 14.5) to (180, 15).
  int rules = 0;
  for (const plat::RecordedOp& op : surface_.ops()) {
    if (op.kind != plat::RecordedOp::FilledRect) continue;
    ++rules;
    EXPECT_EQ(op.fill, plat::Color{0});
    EXPECT_NEAR(op.x1 / kPxPerMm, 10, 1e-6);
    EXPECT_NEAR(op.y1 / kPxPerMm, 14.5, 1e-6);
    EXPECT_NEAR(op.x2 / kPxPerMm, 180, 1e-6);
    EXPECT_NEAR(op.y2 / kPxPerMm, 15.0, 1e-6);
  }
  EXPECT_EQ(rules, 1);
}

TEST_F(PageTest, PageTwoHeadingAndTableLines) {
  ComposePage2(surface_, "Stages", "   x       y      \r\n 0.85  0.85\r\n");
  const std::vector<Printed> t = Texts();
  ASSERT_EQ(t.size(), 3u);
  ExpectAt(t[0], "Stages", 10, 200, "Arial", 10, false);
  ExpectAt(t[1], "       x       y      ", 10, 205, "Courier New", 10, true);
  ExpectAt(t[2], "     0.85  0.85", 10, 209, "Courier New", 10, true);
}

TEST(PrintedLines, OnlyLinesEndedByCrLfUpToABlankRest) {
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"no line end", {}},
      {"a\r\nb", {"a"}},                       // the last line lacks its CR LF
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"a\r\n   \r\nb\r\n", {"a", "   ", "b"}},  // blanks inside the text are a line
      {"a\r\n    ", {"a"}},                    // a rest of blanks ends the lines
      {"a\r\n  \r\n", {"a", "  "}},          // blanks before a line end are not a blank rest
      {"a\nb\r\n", {"a\nb"}},                  // a lone LF ends no line
  };
  for (const Case& c : cases) EXPECT_EQ(PrintedLines(c.text), c.lines) << c.text;
}

TEST(SheetOrder, CollatedSetsOrEachPagesCopiesTogether) {
  EXPECT_EQ(SheetOrder(1, true), (std::vector<int>{1, 2}));
  EXPECT_EQ(SheetOrder(1, false), (std::vector<int>{1, 2}));
  EXPECT_EQ(SheetOrder(3, true), (std::vector<int>{1, 2, 1, 2, 1, 2}));
  EXPECT_EQ(SheetOrder(3, false), (std::vector<int>{1, 1, 1, 2, 2, 2}));
  EXPECT_EQ(SheetOrder(1999, false).size(), 3998u);
}

TEST(PaperLargeEnough, NeedsAtLeast190By260Millimetres) {
  EXPECT_TRUE(PaperLargeEnough(190, 260));
  EXPECT_TRUE(PaperLargeEnough(210, 297));
  EXPECT_FALSE(PaperLargeEnough(200, 255));
  EXPECT_FALSE(PaperLargeEnough(189.9, 300));
}

TEST(PrintSheet, AFailingPageStillEndsItsSheetTheRunGoesOnAndTheFailureIsTold) {
  std::vector<std::string> log;
  const auto end = [&] { log.push_back("end"); };
  testing::internal::CaptureStderr();
  PrintSheet([&] { log.push_back("page 1"); }, end);
  PrintSheet(
      [&] {
        log.push_back("page 2 begun");
        throw std::runtime_error("the printer failed");
      },
      end);
  PrintSheet([&] { log.push_back("page 1"); }, end);
  PrintSheet([&] { log.push_back("page 2"); }, [] { throw std::runtime_error("no paper"); });
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(log, (std::vector<std::string>{"page 1", "end", "page 2 begun", "end", "page 1", "end", "page 2"}));
  EXPECT_NE(said.find("composed completely: the printer failed"), std::string::npos) << said;
  EXPECT_NE(said.find("could not be ended: no paper"), std::string::npos) << said;
  // Whatever is not a failure of the page's drawing is not swallowed.
  EXPECT_THROW(PrintSheet([] { throw 42; }, end), int);
}

}  // namespace
}  // namespace stagora::test
