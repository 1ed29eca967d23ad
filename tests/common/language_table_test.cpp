#include "common/language_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/paths.h"
#include "platform/textfile.h"
#include "tests/support/test_support.h"

namespace stagora {
namespace {

constexpr const char* kObject = "TST";

// A language folder of its own for every test, with the file of object TST written as bytes.
class LanguageFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = test::ScratchDir(std::string("lang-") +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  std::string FilePath() const {
    return plat::JoinPath(folder_, std::string("ENG_WIN_") + kObject + ".lmo");
  }
  void WriteFile(const std::string& bytes) const {
    ASSERT_TRUE(plat::WriteTextFile(FilePath(), bytes));
  }
  LanguageTable MakeTable() const {
    LanguageTable t(kObject);
    t.SetLanguageFolder(folder_);
    return t;
  }
  std::string folder_;
};

struct FileCase {
  const char* name;
  std::string bytes;
  bool loaded;
  std::vector<std::pair<std::string, std::string>> lookups;  // key asked -> text expected
};

TEST_F(LanguageFixture, FileFormatCases) {
  const std::vector<FileCase> cases = {
      {"leading blanks ignored, key trimmed and upper-cased, value untrimmed",
       "  [ File_Open ]=Open...  \r\n",
       true,
       {{"FILE_OPEN", "Open...  "}, {" file_open ", "Open...  "}, {"File_Open", "Open...  "}}},
      {"value after the first = behind the ]",
       "[a]b=c=d\r\n[k] x = y ]=\r\n",
       true,
       {{"a", "c=d"}, {"k", " y ]="}}},
      {"= inside the brackets only aborts the whole file",
       "[ok]=1\r\n[a=b]x\r\n[late]=2\r\n",
       false,
       {{"ok", ""}, {"late", ""}, {"a", ""}}},
      {"key line without ] aborts", "[ok]=1\r\n[broken=2\r\n", false, {{"ok", ""}}},
      {"key line without = aborts", "[ok]=1\r\n[bare]\r\n", false, {{"ok", ""}}},
      {"LF-only file is one line", "[a]=1\n[b]=2\n", true, {{"a", "1\n[b]=2\n"}, {"b", ""}}},
      {"LF-only file not starting with a key", "; header\n[a]=1\n", false, {{"a", ""}}},
      {"lone CR does not end a line", "[a]=1\r[b]=2\r\n", true, {{"a", "1\r[b]=2"}, {"b", ""}}},
      {"text before [ makes an ignored line", "x[a]=1\r\n[b]=2\r\n", true, {{"a", ""}, {"b", "2"}}},
      {"tab before [ is not a blank", "\t[a]=1\r\n[b]=2", true, {{"a", ""}, {"b", "2"}}},
      {"comments and empty lines ignored",
       "; comment\r\n\r\n[a]=1\r\nplain text\r\n",
       true,
       {{"a", "1"}}},
      {"empty file", "", false, {{"a", ""}}},
      {"comments only", "; one\r\n; two\r\n\r\n", false, {{"one", ""}}},
      {"first of duplicate keys wins", "[a]=first\r\n[A]=second\r\n", true, {{"a", "first"}}},
      {"line break code", "[m]=one%CRLF%two%CRLF%\r\n", true, {{"m", "one\r\ntwo\r\n"}}},
      {"missing key gives empty text", "[a]=1\r\n", true, {{"b", ""}, {"", ""}}},
      {"Windows-1252 keys and texts", "[a\xF1o]=\xE9t\xE9\r\n", true, {{"A\xD1O", "\xE9t\xE9"}}},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(c.bytes);
    LanguageTable table = MakeTable();
    EXPECT_EQ(table.LoadIdioma(kObject), c.loaded);
    EXPECT_EQ(table.IdiomaCargado(), c.loaded);
    for (const auto& [key, text] : c.lookups) EXPECT_EQ(table.GetL_win(key), text) << "key " << key;
  }
}

TEST_F(LanguageFixture, RemoveAmpersandStripsEveryAccessKeyMarkOnlyWhenAsked) {
  WriteFile("[File_calculate]=&Calculate && go\r\n");
  LanguageTable table = MakeTable();
  EXPECT_EQ(table.GetL_win("File_calculate"), "&Calculate && go");
  EXPECT_EQ(table.GetL_win("File_calculate", true), "Calculate  go");
}

TEST_F(LanguageFixture, FirstLookupLoadsTheWindowsOwnFile) {
  WriteFile("[a]=1\r\n");
  LanguageTable table = MakeTable();
  EXPECT_FALSE(table.IdiomaCargado());
  EXPECT_EQ(table.GetL_win("a"), "1");
  EXPECT_TRUE(table.IdiomaCargado());
}

TEST_F(LanguageFixture, LookupsRetryTheLoadUntilTheFileAppears) {
  LanguageTable table = MakeTable();
  EXPECT_FALSE(table.LoadIdioma(kObject));
  EXPECT_EQ(table.GetL_win("a"), "");
  EXPECT_FALSE(table.IdiomaCargado());
  WriteFile("[a]=1\r\n");
  EXPECT_EQ(table.GetL_win("a"), "1");
  EXPECT_TRUE(table.IdiomaCargado());
}

TEST_F(LanguageFixture, FailedReloadLeavesNoTextsUntilALoadSucceeds) {
  WriteFile("[a]=old\r\n");
  LanguageTable table = MakeTable();
  ASSERT_TRUE(table.LoadIdioma(kObject));
  WriteFile("[a]=new\r\n[bad\r\n");
  EXPECT_FALSE(table.LoadIdioma(kObject));
  EXPECT_EQ(table.GetL_win("a"), "") << "older texts are held but not shown";
  WriteFile("[a]=new\r\n");
  EXPECT_EQ(table.GetL_win("a"), "new");
}

TEST_F(LanguageFixture, TableWithoutObjectCodeAdoptsTheFirstOneLoaded) {
  LanguageTable table;
  table.SetLanguageFolder(folder_);
  EXPECT_EQ(table.GetL_win("a"), "") << "nothing to load yet";
  EXPECT_FALSE(table.LoadIdioma(kObject));
  EXPECT_EQ(table.ObjectCode(), kObject);
  WriteFile("[a]=1\r\n");
  EXPECT_EQ(table.GetL_win("a"), "1");
}

TEST_F(LanguageFixture, UnreadablePathLeavesTheWindowWithoutTexts) {
  std::filesystem::create_directories(FilePath());  // a folder where the file should be
  LanguageTable table = MakeTable();
  EXPECT_FALSE(table.LoadIdioma(kObject));
  EXPECT_EQ(table.GetL_win("a"), "");
}

TEST_F(LanguageFixture, ArbitraryBytesNeverCrashTheReader) {
  std::mt19937 rng(1234);
  static constexpr char kBytes[] = "[]= %CRLF&\r\n\t\0ab\xE9\xFF";
  const std::string alphabet(kBytes, sizeof kBytes - 1);
  bool someLoaded = false, someRefused = false;
  for (int round = 0; round < 300; ++round) {
    std::string bytes(rng() % 80, ' ');
    for (char& c : bytes) c = alphabet[rng() % alphabet.size()];
    // Every other file begins with a line of its own, whose text comes through whatever follows
    // it, unless the file as a whole is refused.
    const bool known = round % 2 == 1;
    if (known) bytes = "[known]=1\r\n" + bytes;
    SCOPED_TRACE(::testing::PrintToString(bytes));
    WriteFile(bytes);
    LanguageTable table = MakeTable();
    const bool loaded = table.LoadIdioma(kObject);
    (loaded ? someLoaded : someRefused) = true;
    EXPECT_EQ(table.IdiomaCargado(), loaded);
    const std::string stripped = table.GetL_win("a", true);
    const std::string asked = table.GetL_win(bytes, false);
    EXPECT_EQ(stripped.find('&'), std::string::npos);
    EXPECT_EQ(asked.find("%CRLF%"), std::string::npos);
    if (!loaded) {
      EXPECT_EQ(stripped, "");
      EXPECT_EQ(asked, "");
    }
    if (known) {
      EXPECT_EQ(table.GetL_win("known"), loaded ? "1" : "");
    }
  }
  // The bytes reached both outcomes, so neither branch above went unchecked.
  EXPECT_TRUE(someLoaded);
  EXPECT_TRUE(someRefused);
}

TEST(LanguageTable, FilesLiveInTheProgramFoldersLangFolder) {
  LanguageTable table("MAI");
  EXPECT_EQ(table.LanguageFilePath("MAI"), plat::ProgramFolder() + "/lang/ENG_WIN_MAI.lmo");
}

}  // namespace
}  // namespace stagora
