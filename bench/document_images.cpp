// A result document carrying 10,000 small pictures, opened as the viewer opens it: read, its
// pictures extracted into an empty scratch folder, and each looked up as the typesetting looks
// it up. Target: about a second on a Release build (the folders are listed once, not once per
// picture).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/paths.h"
#include "platform/textfile.h"
#include "viewer/document/result_document.h"
#include "viewer/engine/images.h"

namespace {

namespace fs = std::filesystem;
using namespace stagora::viewer;

constexpr int kPictures = 10000;
constexpr std::size_t kPictureBytes = 120;

std::string BenchFolder() {
  static const std::string folder = [] {
    const fs::path p = fs::temp_directory_path() / ("stagora-bench-images-" + std::to_string(::getpid()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p.string();
  }();
  return folder;
}

// The document's bytes: every picture named once in the second resolution level.
const std::string& Document() {
  static const std::string bytes = [] {
    const std::string source = BenchFolder() + "/source";
    fs::create_directories(source);
    ResultSections sections;
    sections.StatementText = "Pictures";
    sections.SolutionText = "Many";
    for (int i = 0; i < kPictures; ++i) {
      const std::string name = "pic" + std::to_string(100000 + i) + ".png";
      std::string picture(kPictureBytes, static_cast<char>('a' + i % 26));
      if (!plat::WriteScratchFile(source + "/" + name, picture)) std::abort();
      sections.ResolutionTexts[1] += "#IMG('" + name + "'#IMG)\r\n";
    }
    std::string out;
    if (BuildResultDocument(sections, {source, source}, out).error != SaveError::None) std::abort();
    return out;
  }();
  return bytes;
}

void BM_OpenDocumentWith10000Pictures(benchmark::State& state) {
  const std::string& bytes = Document();
  const ImageFolders folders{BenchFolder() + "/img", plat::ScratchFolderOf(BenchFolder() + "/temp")};
  stagora::engine::FolderListings listings;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(BenchFolder() + "/temp");
    fs::create_directories(BenchFolder() + "/temp");
    state.ResumeTiming();
    const ReadResult read = ReadResultDocument(bytes);
    if (read.images.size() != kPictures) state.SkipWithError("not every picture was read");
    if (!ExtractImages(read.images, folders).empty()) state.SkipWithError("a picture was not extracted");
    for (const EmbeddedImage& image : read.images) {
      if (stagora::engine::FindImageFile(image.name, BenchFolder() + "/temp", listings).empty()) {
        state.SkipWithError("a picture was not found");
        break;
      }
    }
  }
}
BENCHMARK(BM_OpenDocumentWith10000Pictures)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(BenchFolder());
  return 0;
}
