// The project file as text: the bytes Save writes, and what opening takes from a file or
// why it refuses it.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "designer/files/project_file.h"
#include "designer/files/table_rows_text.h"

namespace stagora {
namespace {

std::string Header(const std::string& vle) {
  return "<A=Benzene>\r\n<B=Toluene>\r\n<ALPHA=2,5>\r\n<Q=1>\r\n<ZF=.46>\r\n<XB=0.17>\r\n<XD=0.85>\r\n<R=3>\r\n<E=1>\r\n" +
         vle + "\r\n";
}

std::string FileWithRows(const std::string& rows, const std::string& vle = "<VLE=TABLE>") {
  return Header(vle) + "[[\r\n" + rows + "]]\r\n";
}

ProjectFile SampleProject() {
  ProjectFile p;
  p.values = {"  Benzene ", "Toluene", "2,5", "1", ".46", "0.17", "0.85", "3", "1"};
  p.VleTable = true;
  const double xs[] = {0, 0.25, 0.5, 1};
  const double ys[] = {0, 0.41, 0.7, 1};
  for (int i = 0; i < 4; ++i) {
    p.table.TablaX[i] = xs[i];
    p.table.TablaY[i] = ys[i];
  }
  p.table.UltimoPuntoTabla = 3;
  return p;
}

TEST(ProjectFile, SaveWritesTheTaggedLinesThenAllHundredRows) {
  const std::string text = ProjectFileText(SampleProject());
  std::string rows = "0\t0\r\n.25\t.41\r\n.5\t.7\r\n1\t1\r\n";
  for (int i = 4; i < kTableRows; ++i) rows += "-1\t-1\r\n";
  // Blanks around a value are dropped; XB comes before XD.
  EXPECT_EQ(text, FileWithRows(rows));

  ProjectFile cleared;  // after clearing: every tag directly followed by ">"
  const std::string empty = ProjectFileText(cleared);
  EXPECT_EQ(empty.rfind("<A=>\r\n<B=>\r\n<ALPHA=>\r\n<Q=>\r\n<ZF=>\r\n<XB=>\r\n<XD=>\r\n<R=>\r\n<E=>\r\n"
                        "<VLE=ALPHA>\r\n[[\r\n-1\t-1\r\n",
                        0),
            0u);
}

TEST(ProjectFile, WhatSaveWritesOpensAndSavesToTheSameBytes) {
  const std::string first = ProjectFileText(SampleProject());
  const ProjectFileRead read = ReadProjectFile(first);
  ASSERT_TRUE(read.ok()) << read.errorKey;
  ProjectFile again;
  for (int tag = 0; tag < kProjectTagCount; ++tag) again.values[tag] = read.values[tag].value();
  again.VleTable = read.VleTable;
  again.table = read.table;
  EXPECT_EQ(ProjectFileText(again), first);
  EXPECT_EQ(read.table.UltimoPuntoTabla, 3);
  EXPECT_TRUE(read.TableMode());
  EXPECT_EQ(*read.values[kTagA], "Benzene");
  EXPECT_EQ(*read.values[kTagAlpha], "2,5");  // the decimal comma stays as typed
}

TEST(ProjectFile, TagsAreFoundAnywhereAndValuesEndAtTheFirstGreaterThan) {
  const ProjectFileRead read =
      ReadProjectFile("junk <XD=0.9> <A=x<B=y>z> <ALPHA= 2 > <E=1 [[ ]] > <Q=no close");
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.values[kTagXD], "0.9");
  EXPECT_EQ(read.values[kTagA], "x<B=y");
  EXPECT_EQ(read.values[kTagB], "y");  // found inside the first name
  EXPECT_EQ(read.values[kTagAlpha], " 2 ");  // not trimmed
  EXPECT_EQ(read.values[kTagE], "1 [[ ]] ");
  EXPECT_EQ(read.values[kTagQ], std::nullopt);  // no ">" after it
  EXPECT_EQ(read.values[kTagZF], std::nullopt);  // no tag
  EXPECT_FALSE(read.VleTable);
}

TEST(ProjectFile, OpeningCompletesTheTableWithItsEndPoints) {
  struct Case {
    const char* what;
    std::string rows;
    std::string vle;
    std::vector<std::pair<double, double>> table;  // rows 0 .. UltimoPuntoTabla
    bool tableMode;
  };
  const std::vector<Case> cases = {
      {"a single row (0, 0) gets (1, 1)", "0 0\r\n", "<VLE=TABLE>", {{0, 0}, {1, 1}}, true},
      {"an empty block gives both end points", "\r\n\r\n", "<VLE=TABLE>", {{0, 0}, {1, 1}}, true},
      {"(0, 0) goes before a first row that is not", ".2 .4\r\n1 1\r\n", "<VLE=TABLE>",
       {{0, 0}, {0.2, 0.4}, {1, 1}}, true},
      {"a row with x = -1 ends the table", "0 0\r\n.5 .7\r\n-1 .9\r\n.8 .95\r\n", "<VLE=TABLE>",
       {{0, 0}, {0.5, 0.7}, {1, 1}}, true},
      {"the prefix alone chooses the table", "0 0\r\n1 1\r\n", "<VLE=TABLEWARE", {{0, 0}, {1, 1}}, true},
      {"relative volatility keeps the table", "0 0\r\n.5 .7\r\n1 1\r\n", "<VLE=ALPHA>",
       {{0, 0}, {0.5, 0.7}, {1, 1}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ProjectFileRead read = ReadProjectFile(FileWithRows(c.rows, c.vle));
    ASSERT_TRUE(read.ok()) << read.errorKey;
    ASSERT_EQ(read.table.UltimoPuntoTabla, static_cast<int>(c.table.size()) - 1);
    for (std::size_t i = 0; i < c.table.size(); ++i) {
      EXPECT_EQ(read.table.TablaX[i], c.table[i].first) << i;
      EXPECT_EQ(read.table.TablaY[i], c.table[i].second) << i;
    }
    EXPECT_EQ(read.TableMode(), c.tableMode);
  }

  // Rows after the one that ends the table are kept, so saving writes them back; where an end
  // point took the row that ended the table, the next row ends it, so the saved file opens to
  // the same table.
  for (const char* rows : {"0 0\r\n.5 .7\r\n1 1\r\n-1 .9\r\n.9 .97\r\n",
                           "0 0\r\n.5 .7\r\n-1 .9\r\n.8 .95\r\n.9 .97\r\n",
                           ".5 .7\r\n1 1\r\n-1 .9\r\n.8 .95\r\n.9 .97\r\n"}) {
    SCOPED_TRACE(rows);
    const ProjectFileRead ended = ReadProjectFile(FileWithRows(rows));
    ASSERT_TRUE(ended.ok()) << ended.errorKey;
    EXPECT_EQ(ended.table.UltimoPuntoTabla, 2);
    EXPECT_EQ(ended.table.TablaX[3], -1);
    EXPECT_EQ(ended.table.TablaX[4], 0.9);
    ProjectFile saved;
    saved.table = ended.table;
    const ProjectFileRead reopened = ReadProjectFile(ProjectFileText(saved));
    ASSERT_TRUE(reopened.ok()) << reopened.errorKey;
    EXPECT_EQ(reopened.table.TablaX, ended.table.TablaX);
    EXPECT_EQ(reopened.table.TablaY, ended.table.TablaY);
  }

  // A table of all hundred rows has no room for a missing end point.
  std::string full;
  for (int i = 0; i < kTableRows; ++i) full += RowNumberText(i / 100.0) + " " + RowNumberText(i / 100.0) + "\r\n";
  const ProjectFileRead hundred = ReadProjectFile(FileWithRows(full));
  ASSERT_TRUE(hundred.ok()) << hundred.errorKey;
  EXPECT_EQ(hundred.table.UltimoPuntoTabla, 99);
  EXPECT_EQ(hundred.table.TablaX[99], 0.99);
}

TEST(ProjectFile, AFileWithoutRowBlockIsRefusedWithItsTaggedValues) {
  const std::array<std::optional<std::string>, kProjectTagCount> header = {
      "Benzene", "Toluene", "2,5", "1", ".46", "0.17", "0.85", "3", "1"};
  struct Case {
    const char* what;
    std::string text;
    std::array<std::optional<std::string>, kProjectTagCount> values;
  };
  const std::vector<Case> cases = {
      {"empty or unreadable", "", {}},
      {"no row block", Header("<VLE=TABLE>"), header},
      {"truncated inside the rows", Header("<VLE=TABLE>") + "[[\r\n0\t0\r\n.2", header},
      {"end marker before the start", Header("") + "]]\r\n0 0\r\n[[\r\n", header},
      {"truncated inside the tags", Header("").substr(0, 45), {"Benzene", "Toluene", "2,5", "1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ProjectFileRead read = ReadProjectFile(c.text);
    EXPECT_EQ(read.errorKey, project_key::kInvalidFormatFile);
    EXPECT_TRUE(read.NoRowBlock());
    EXPECT_EQ(read.values, c.values);
    EXPECT_EQ(read.table.UltimoPuntoTabla, -1);
  }
}

TEST(ProjectFile, FilesWhoseRowsAreRefusedHandBackOnlyTheReason) {
  struct Case {
    const char* what;
    std::string text;
    std::string_view key;
  };
  const std::vector<Case> cases = {
      {"a row above 1", FileWithRows("0 0\r\n.5 1.2\r\n1 1\r\n"), project_key::kDataOutRange},
      {"a negative row", FileWithRows("-.5 0\r\n1 1\r\n"), project_key::kDataOutRange},
      {"a number beyond any double", FileWithRows("1E999 1E999\r\n1 1\r\n"), project_key::kDataOutRange},
      {"an empty y", FileWithRows(".5 -1\r\n1 1\r\n"), project_key::kDataOutRange},
      {"equal y values", FileWithRows("0 0\r\n.3 .5\r\n.4 .5\r\n1 1\r\n"), project_key::kDataNoConsecutive},
      {"x going back", FileWithRows("0 0\r\n.5 .6\r\n.4 .7\r\n1 1\r\n"), project_key::kDataNoConsecutive},
      {"y = 0 at x > 0", FileWithRows("0 0\r\n.1 0\r\n"), project_key::kDataNoConsecutive},
      {"x = 0 with y > 0", FileWithRows("0 .1\r\n1 1\r\n"), project_key::kDataInvalidPureDisol},
      {"y = 1 before x = 1", FileWithRows("0 0\r\n.9 1\r\n"), project_key::kDataInvalidPureDisol},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ProjectFileRead read = ReadProjectFile(c.text);
    EXPECT_EQ(read.errorKey, c.key);
    EXPECT_FALSE(read.NoRowBlock());
    for (const auto& value : read.values) EXPECT_EQ(value, std::nullopt);
    EXPECT_EQ(read.table.UltimoPuntoTabla, -1);
  }
}

TEST(ProjectFile, TheExtensionIsAddedUnlessTheNameEndsWithIt) {
  EXPECT_EQ(WithProjectExtension("/p/column"), "/p/column.sgr");
  EXPECT_EQ(WithProjectExtension("/p/column.sgr"), "/p/column.sgr");
  EXPECT_EQ(WithProjectExtension("/p/COLUMN.SGR"), "/p/COLUMN.SGR");
  EXPECT_EQ(WithProjectExtension("/p/column.txt"), "/p/column.txt.sgr");
  EXPECT_EQ(WithProjectExtension("sgr"), "sgr.sgr");
}

}  // namespace
}  // namespace stagora
