// The row text of the equilibrium table: the lenient reading that project files, table files
// and the clipboard share, and the file and clipboard forms it is written in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "designer/files/table_rows_text.h"

namespace stagora {
namespace {

using Pairs = std::vector<std::pair<double, double>>;

Pairs Read(const std::string& text) {
  Pairs out;
  for (const TableRowText& row : TableRowsText(text)) out.emplace_back(row.x, row.y);
  return out;
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(TableRowsText, ReadsLeniently) {
  struct Case {
    const char* what;
    std::string text;
    Pairs expected;
  };
  const std::vector<Case> cases = {
      {"decimal commas", "0,25 0,41", {{0.25, 0.41}}},
      {"a TAB", "0.25\t0.41", {{0.25, 0.41}}},
      {"five blanks", "0.25     0.41", {{0.25, 0.41}}},
      {"line ends around the rows", "\r\n\r\n0 0\r\n1 1\r\n\r\n", {{0, 0}, {1, 1}}},
      {"seven empty lines between rows", "0.1 0.2" + Repeat("\r\n", 8) + "0.3 0.4", {{0.1, 0.2}, {0.3, 0.4}}},
      {"many empty lines are skipped like any line without a blank",
       "0.1 0.2" + Repeat("\r\n", 20) + "0.3 0.4", {{0.1, 0.2}, {0.3, 0.4}}},
      {"a line without a blank gives its place to the next", "0.5\r\n]]\r\n0.1 0.2", {{0.1, 0.2}}},
      {"a heading of two words", "x y\r\n0.5 0.6", {{0, 0}, {0.5, 0.6}}},
      {"a third column runs into y", "1 2 3", {{1, 23}}},
      {"a leading blank leaves x empty", " 0.3 0.5", {{0, 0.3}}},
      {"a lone LF is part of the line", "0.1 0.2\n0.3 0.4", {{0.1, 0.2}}},
      {"a lone CR is part of the line", "0.1 0.2\r0.3 0.4", {{0.1, 0.2}}},
      {"the file form's own numbers", ".25\t.41\r\n-1\t-1\r\n1E-05\t2.5E-05", {{0.25, 0.41}, {-1, -1}, {1e-5, 2.5e-5}}},
      {"nothing at all", "", {}},
      {"only line ends", "\r\n\r\n\r\n", {}},
      {"a line of blanks is a pair of empty numbers", "     ", {{0, 0}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Read(c.text), c.expected) << c.what;
}

TEST(TableRowsText, ExaminesAtMostOneHundredLines) {
  std::string rows;
  for (int i = 0; i < 150; ++i) rows += std::to_string(i) + " " + std::to_string(i) + "\r\n";
  const Pairs read = Read(rows);
  ASSERT_EQ(read.size(), 100u);
  EXPECT_EQ(read.back(), std::make_pair(99.0, 99.0));

  // Skipped lines count among the hundred.
  EXPECT_EQ(Read(Repeat("junk\r\n", 50) + rows).size(), 50u);
}

TEST(TableRowsText, ANumberBeyondTheRangeOfADoubleReadsAsZeroAndIsMarked) {
  const std::vector<TableRowText> rows = TableRowsText("1E999 0.5\r\n0.1 -1e400\r\n0.2 0.3");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].x, 0);
  EXPECT_EQ(rows[0].y, 0.5);
  EXPECT_TRUE(rows[0].unreadable);
  EXPECT_EQ(rows[1].y, 0);
  EXPECT_TRUE(rows[1].unreadable);
  EXPECT_FALSE(rows[2].unreadable);
}

TEST(TableRowsText, RowBlockIsTheTextBetweenTheFirstMarkers) {
  struct Case {
    std::string file;
    std::optional<std::string> block;
  };
  const std::vector<Case> cases = {
      {"<A=x>\r\n[[\r\n0 0\r\n]]\r\n", "\r\n0 0\r\n"},
      {"[[]]", ""},
      {"[[ a ]] b ]] [[", " a "},
      {"no markers", std::nullopt},
      {"[[ only the start", std::nullopt},
      {"only the end ]]", std::nullopt},
      {"]] end before start [[ 0 0", std::nullopt},
      {"[]]", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<std::string_view> block = RowBlock(c.file);
    EXPECT_EQ(block ? std::optional<std::string>(std::string(*block)) : std::nullopt, c.block) << c.file;
  }
}

struct Table {
  TableColumn x, y;
  Table() {
    x.fill(kEmptyTableValue);
    y.fill(kEmptyTableValue);
  }
};

TEST(TableRowsText, FileFormWritesEveryRowAndClipboardFormOnlyTheFilledOnes) {
  Table t;
  t.x[0] = 0, t.y[0] = 0;
  t.x[1] = 0.25, t.y[1] = 0.41;
  t.x[3] = 1, t.y[3] = 1;
  t.x[4] = 0.5;  // an empty cell leaves the row out of the clipboard form

  EXPECT_EQ(TableRowsClipboardText(t.x, t.y), "0\t0\r\n0.25\t0.41\r\n1\t1\r\n");

  const std::string file = TableRowsFileText(t.x, t.y);
  std::string expected = "0\t0\r\n.25\t.41\r\n-1\t-1\r\n1\t1\r\n.5\t-1\r\n";
  for (int i = 5; i < kTableRows; ++i) expected += "-1\t-1\r\n";
  EXPECT_EQ(file, expected);
}

TEST(TableRowsText, NumberTextHasNoLeadingZeroAndFifteenDigits) {
  struct Case {
    double v;
    const char* text;
  };
  const Case cases[] = {
      {0.25, ".25"}, {-0.5, "-.5"},   {1, "1"},       {0, "0"}, {-1, "-1"},
      {0.05, ".05"}, {1e-5, "1E-05"}, {0.1 + 0.2, ".3"},  // 15 significant digits
      {0.123456789012345, ".123456789012345"},
  };
  for (const Case& c : cases) EXPECT_EQ(RowNumberText(c.v), c.text) << c.v;

  Table t;
  t.x[0] = -0.5;
  t.y[0] = 0.5;
  EXPECT_EQ(TableRowsClipboardText(t.x, t.y), "-.5\t0.5\r\n");
}

TEST(TableRowsText, FileFormReadsBackToTheSameRows) {
  Table t;
  const double xs[] = {0, 1e-5, 0.0123456789, 0.25, 0.333333333333333, 1};
  const double ys[] = {0, 3.2e-5, 0.05, 0.41, 0.6, 1};
  for (int i = 0; i < 6; ++i) {
    t.x[i] = xs[i];
    t.y[i] = ys[i];
  }
  t.x[8] = t.y[8] = 0.75;  // a row after an empty one comes back in its place
  const std::vector<TableRowText> rows = TableRowsText(TableRowsFileText(t.x, t.y));
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kTableRows));
  for (int i = 0; i < kTableRows; ++i) {
    EXPECT_EQ(rows[i].x, t.x[i]) << i;
    EXPECT_EQ(rows[i].y, t.y[i]) << i;
  }
}

}  // namespace
}  // namespace stagora
