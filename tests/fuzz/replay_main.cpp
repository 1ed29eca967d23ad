// Replays kept fuzzer inputs through a target in the normal build: every file named, and
// every file of every folder named (in name order), goes once through LLVMFuzzerTestOneInput.
// A crash or sanitizer report fails the run, as it did in the fuzzer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool Replay(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", file.c_str());
    return false;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::fprintf(stderr, "%s\n", file.c_str());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int count = 0;
  bool ok = true;
  for (int k = 1; k < argc; ++k) {
    const fs::path arg = argv[k];
    std::error_code ec;
    if (!fs::exists(arg, ec)) continue;  // a target with no kept findings yet
    if (fs::is_directory(arg, ec)) {
      std::vector<fs::path> files;
      for (const fs::directory_entry& e : fs::recursive_directory_iterator(arg, ec))
        if (e.is_regular_file()) files.push_back(e.path());
      std::sort(files.begin(), files.end());
      for (const fs::path& f : files) ok = Replay(f) && ok, ++count;
    } else {
      ok = Replay(arg) && ok;
      ++count;
    }
  }
  std::printf("replayed %d inputs\n", count);
  return ok && count > 0 ? 0 : 1;
}
