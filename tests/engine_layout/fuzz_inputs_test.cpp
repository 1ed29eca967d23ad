// Every input the fuzzer reported (a crash, a hang or a slow unit), laid out as the fuzz
// target lays it out: it must come through, and quickly enough for ctest's timeout.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/htfc_fuzz_input.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

TEST(FuzzInputs, EveryReportedInputLaysOut) {
  const fs::path dir = fs::path(stagora::test::SourceDir()) / "tests" / "fuzz" / "regressions" / "htfc";
  int inputs = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SCOPED_TRACE(entry.path().filename().string());
    stagora::fuzz::LayOut(data.data(), data.size());
    ++inputs;
  }
  EXPECT_GT(inputs, 0);
}

}  // namespace
