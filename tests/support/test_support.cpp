#include "tests/support/test_support.h"

#include <unistd.h>

#include <filesystem>

namespace stagora::test {

#ifndef STAGORA_SOURCE_DIR
#define STAGORA_SOURCE_DIR "."
#endif
#ifndef STAGORA_PROGRAM_DIR
#define STAGORA_PROGRAM_DIR "."
#endif

std::string ScratchDir(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("stagora-test-" + std::to_string(::getpid())) / name;
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir, ec);
  return dir.string();
}

const std::string& ProgramDir() {
  static const std::string dir = STAGORA_PROGRAM_DIR;
  return dir;
}

const std::string& SourceDir() {
  static const std::string dir = STAGORA_SOURCE_DIR;
  return dir;
}

std::string ArtefactDir() {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(ProgramDir()).parent_path() / "test-artefacts";
  std::error_code ec;
  fs::create_directories(dir, ec);
  return dir.string();
}

MessageBoxRecorder::MessageBoxRecorder() {
  previous_ = plat::SetMsgBoxHandler([this](const plat::MsgRequest& req) {
    requests_.push_back(req);
    if (script_.empty()) return plat::DefaultButtonOf(req.style);
    const int b = script_.front();
    script_.erase(script_.begin());
    return b;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { plat::SetMsgBoxHandler(std::move(previous_)); }

}  // namespace stagora::test
