// Every fixture page has its expected page beside it (NAME.htfc -> NAME.ops): the page as
// page_operations.h writes it, laid out on a fresh page picture at zoom 1 and size 12 under
// the model metrics. A drift anywhere on a page fails here with the fixture and its first
// differing line. When a change of the drawn result is meant, refresh the expected pages with
//   STAGORA_REFRESH_EXPECTED=1 build/tests/test_engine_layout --gtest_filter='ExpectedPages.*'
// and review the difference of the .ops files before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/textfile.h"
#include "tests/engine_layout/page_operations.h"
#include "tests/support/test_support.h"

namespace stagora::engine::test {
namespace {

namespace fs = std::filesystem;

bool Refreshing() {
  const char* v = std::getenv("STAGORA_REFRESH_EXPECTED");
  return v && *v && std::string(v) != "0";
}

void WriteLines(const fs::path& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) out << line << '\n';
}

TEST(ExpectedPages, EveryFixturePageDrawsItsExpectedOperations) {
  const fs::path fixtures = fs::path(stagora::test::SourceDir()) / "tests" / "fixtures";
  int pages = 0;
  for (const char* folder : {"markup_layout", "markup_formulas"}) {
    std::vector<fs::path> inputs;
    for (const fs::directory_entry& entry : fs::directory_iterator(fixtures / folder)) {
      if (entry.path().extension() == ".htfc") inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& input : inputs) {
      const std::string name = std::string(folder) + "/" + input.filename().string();
      const std::optional<std::string> text = plat::ReadTextFile(input.string());
      ASSERT_TRUE(text) << name;
      const std::vector<std::string> drawn = LaidOutPage(*text);
      fs::path expectedFile = input;
      expectedFile.replace_extension(".ops");
      ++pages;
      if (Refreshing()) {
        WriteLines(expectedFile, drawn);
        continue;
      }
      if (!fs::exists(expectedFile)) {
        ADD_FAILURE() << name << ": no expected page " << expectedFile.filename()
                      << "; write it with STAGORA_REFRESH_EXPECTED=1";
        continue;
      }
      const std::string difference = FirstDifference(ReadLines(expectedFile), drawn);
      if (!difference.empty()) ADD_FAILURE() << name << " differs from " << expectedFile.filename() << " at " << difference;
    }
  }
  EXPECT_GE(pages, 15);
}

}  // namespace
}  // namespace stagora::engine::test
