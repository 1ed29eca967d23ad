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
#include <sstream>

#include "platform/textfile.h"
#include "tests/engine_layout/engine_fixture.h"
#include "tests/engine_layout/page_operations.h"
#include "tests/support/test_support.h"

namespace stagora::engine::test {
namespace {

namespace fs = std::filesystem;

bool Refreshing() {
  const char* v = std::getenv("STAGORA_REFRESH_EXPECTED");
  return v && *v && std::string(v) != "0";
}

std::vector<std::string> LaidOutPage(const std::string& text) {
  plat::RecordingSurface page(kPageWidthPx, kPageHeightPx, 15.0, plat::RecordingSurface::Metrics::Model);
  EngineState state;
  ViewerValues viewer;
  InitHTFC(state, viewer);
  viewer.DestinoPantalla = &page;
  double size = 12;
  DibujarHTFC(text, size, page, state, viewer);
  return PageLines(state, page);
}

std::vector<std::string> ReadLines(const fs::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

void WriteLines(const fs::path& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) out << line << '\n';
}

// "" when equal, else where and how the two first differ.
std::string FirstDifference(const std::vector<std::string>& expected, const std::vector<std::string>& actual) {
  const std::size_t n = std::min(expected.size(), actual.size());
  for (std::size_t k = 0; k < n; ++k) {
    if (expected[k] != actual[k]) {
      return "line " + std::to_string(k + 1) + "\n  expected: " + expected[k] + "\n  drawn:    " + actual[k];
    }
  }
  if (expected.size() == actual.size()) return "";
  std::ostringstream out;
  out << "line " << n + 1 << ": expected " << expected.size() << " lines, drawn " << actual.size();
  out << (expected.size() > n ? "\n  expected: " + expected[n] : "\n  drawn:    " + actual[n]);
  return out.str();
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
