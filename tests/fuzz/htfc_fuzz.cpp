// The fuzz target: see htfc_fuzz_input.h for what an input is. Images are looked up in a
// program folder and a scratch folder of the target's own, which hold a few pictures.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "tests/fuzz/fuzz_folders.h"
#include "tests/fuzz/htfc_fuzz_input.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  for (int k = 1; k < *argc; ++k) {
    if (std::strncmp((*argv)[k], "-max_len=", 9) == 0) return 0;
  }
  // The flags are read after this returns: add the larger cap to them.
  static std::string maxLen = "-max_len=" + std::to_string(stagora::fuzz::kMaxDocument);
  static char** args = new char*[static_cast<std::size_t>(*argc) + 2];
  for (int k = 0; k < *argc; ++k) args[k] = (*argv)[k];
  args[*argc] = maxLen.data();
  args[*argc + 1] = nullptr;
  ++*argc;
  *argv = args;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  stagora::fuzz::LayOut(data, size, stagora::fuzz::Folders().temp);
  return 0;
}
