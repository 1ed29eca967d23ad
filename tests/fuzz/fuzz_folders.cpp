#include "tests/fuzz/fuzz_folders.h"

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>

#include "platform/paths.h"

namespace stagora::fuzz {
namespace {

namespace fs = std::filesystem;

struct Picture {
  const char* folder;  // "img" or "nrtemp"
  const char* name;
  const char* format;
  int width, height;
};

// Both folders hold LOGO.PNG, so that the program folder's copy must win; the case of the
// names differs from what documents write, as it does on the user's disk.
constexpr Picture kPictures[] = {
    {"img", "logo.png", "PNG", 24, 12},
    {"img", "Photo.JPG", "JPG", 16, 16},
    {"img", "chart.bmp", "BMP", 8, 30},
    {"nrtemp", "LOGO.PNG", "PNG", 4, 4},
    {"nrtemp", "extracted.gif", "PNG", 10, 5},  // a PNG under another extension
};

std::set<std::string>& ScratchNames() {
  static std::set<std::string> names;
  return names;
}

fs::path MakeRoot() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/stagora-fuzz-XXXXXX";
  if (!mkdtemp(pattern.data())) std::abort();
  return pattern;
}

FuzzFolders Make() {
  const fs::path root = MakeRoot();
  FuzzFolders f;
  f.program = (root / "program").string();
  f.temp = (root / "temp").string();
  f.programImages = (root / "program" / "img").string();
  f.scratch = (root / "temp" / "nrtemp").string();
  fs::create_directories(f.programImages);
  fs::create_directories(f.scratch);
  for (const Picture& p : kPictures) {
    QImage image(p.width, p.height, QImage::Format_RGB32);
    image.fill(QColor(40, 120, 200));
    const fs::path path = (p.folder == std::string_view("img") ? f.programImages : f.scratch) + "/" + p.name;
    if (!image.save(QString::fromStdString(path.string()), p.format)) std::abort();
    if (p.folder == std::string_view("nrtemp")) ScratchNames().insert(p.name);
  }
  plat::SetProgramFolder(f.program);
  static const std::string rootText = root.string();
  std::atexit([] {
    std::error_code ec;
    fs::remove_all(rootText, ec);
  });
  return f;
}

}  // namespace

const FuzzFolders& Folders() {
  static const FuzzFolders folders = Make();
  return folders;
}

void ResetScratch() {
  const FuzzFolders& f = Folders();
  std::error_code ec;
  fs::create_directories(f.scratch, ec);
  std::vector<fs::path> extra;
  for (const fs::directory_entry& entry : fs::directory_iterator(f.scratch, ec)) {
    if (!ScratchNames().count(entry.path().filename().string())) extra.push_back(entry.path());
  }
  for (const fs::path& p : extra) fs::remove_all(p, ec);
}

const std::vector<std::string>& PictureNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (const Picture& p : kPictures) out.emplace_back(p.name);
    return out;
  }();
  return names;
}

}  // namespace stagora::fuzz
