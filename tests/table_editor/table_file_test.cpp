// The table file's text and the clipboard's rows, without a window.
#include <gtest/gtest.h>

#include <string>

#include "designer/files/table_file.h"
#include "designer/files/table_rows_text.h"

namespace stagora {
namespace {

TEST(TableFile, WritesNamesAndAllRowsAndReadsThemBack) {
  VleTableFile file;
  file.A = "Ethanol <pure>";  // nothing is escaped; a ">" in a name cuts it on reading
  file.B = "Water";
  file.X.fill(kEmptyTableValue);
  file.Y.fill(kEmptyTableValue);
  file.X[0] = 0;
  file.Y[0] = 0;
  file.X[1] = 0.25;
  file.Y[1] = 0.41;
  file.X[3] = 1;
  file.Y[3] = 1;
  const std::string text = VleTableFileText(file);
  std::string expected = "<A=Ethanol <pure>>\r\n<B=Water>\r\n[[\r\n0\t0\r\n.25\t.41\r\n-1\t-1\r\n1\t1\r\n";
  for (int i = 4; i < kTableRows; ++i) expected += "-1\t-1\r\n";
  expected += "]]\r\n";
  EXPECT_EQ(text, expected);

  const VleTableFileRead read = ReadVleTableFile(text);
  EXPECT_TRUE(read.hasRows);
  EXPECT_EQ(read.A, "Ethanol <pure");
  EXPECT_EQ(read.B, "Water");
  EXPECT_EQ(read.X, file.X);
  EXPECT_EQ(read.Y, file.Y);
}

TEST(TableFile, WithoutMarkersTheNamesAreReadButNoRows) {
  for (const char* text : {"<A=Benzene>\r\n<B=Toluene>\r\n0\t0\r\n1\t1\r\n", "<A=Benzene>\r\n<B=Toluene>\r\n[[\r\n.5\t.6\r\n",
                           "<A=Benzene>\r\n<B=Toluene>\r\n]]\r\n.5\t.6\r\n[[\r\n"}) {
    const VleTableFileRead read = ReadVleTableFile(text);
    EXPECT_FALSE(read.hasRows) << text;
    EXPECT_EQ(read.A, "Benzene");
    EXPECT_EQ(read.B, "Toluene");
  }
  const VleTableFileRead nothing = ReadVleTableFile("");
  EXPECT_FALSE(nothing.hasRows);
  EXPECT_FALSE(nothing.A.has_value());
}

TEST(TableFile, ExtensionIsAddedUnlessAlreadyThereInAnyCase) {
  EXPECT_EQ(WithTableExtension("/tmp/tabla"), "/tmp/tabla.vle");
  EXPECT_EQ(WithTableExtension("/tmp/TABLA.VLE"), "/tmp/TABLA.VLE");
  EXPECT_EQ(WithTableExtension("/tmp/t.sgr"), "/tmp/t.sgr.vle");
}

TEST(ClipboardRows, LineFeedsAloneEndLinesAsCrLfDoes) {
  const std::vector<std::pair<const char*, std::size_t>> texts = {
      {"0\t0\n0.25\t0.41\n1\t1\n", 3},
      {"0\t0\r\n0.25\t0.41\r\n1\t1\r\n", 3},
      {"0\t0\r\n0.25\t0.41\n1\t1", 3},      // mixed, no line end at the close
      {"x y\n\n\n0,25  0,41\n", 2},         // a heading reads as (0, 0); empty lines drop out
      {"0.5\n", 0},
  };
  for (const auto& [text, count] : texts) {
    const std::vector<TableRowText> rows = ClipboardTableRows(text);
    ASSERT_EQ(rows.size(), count) << text;
    if (count >= 2) {
      EXPECT_EQ(rows[1].x, 0.25) << text;
      EXPECT_EQ(rows[1].y, 0.41) << text;
    }
  }
}

}  // namespace
}  // namespace stagora
