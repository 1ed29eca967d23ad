// Any byte sequence is a result document: reading it must neither fail nor hang, an error
// leaves nothing half-read, its images are put into the scratch folder and shown as the
// viewer opens them, and what the viewer saves of a document it read reads back to the same
// sections. The target has a program folder and a scratch folder of its own with a few
// pictures in them; the scratch folder goes back to those after every input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/surface.h"
#include "tests/fuzz/fuzz_folders.h"
#include "viewer/document/result_document.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The markers the format has no escape for: a section that holds one is found elsewhere
// when read again, so such a document cannot be expected to read back the same.
bool HoldsMarker(const std::string& s) {
  for (std::string_view m : {"#BINDIR(", "#DEC(", "#ENU(", "#ENU)", "#SOL(", "#SOL)", "#RS1(", "#RS1)", "#RS2(",
                             "#RS2)"}) {
    if (s.find(m) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stagora::viewer;
  namespace fuzz = stagora::fuzz;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const fuzz::FuzzFolders& f = fuzz::Folders();
  const ImageFolders folders{f.programImages, f.scratch};

  const ReadResult read = ReadResultDocument(bytes);
  if (read.error != ReadError::None) {
    Check(read.images.empty() && read.sections == ResultSections{});
    return 0;
  }
  Check(read.sections.SimboloDecimal == "." || read.sections.SimboloDecimal == ",");
  for (const EmbeddedImage& image : read.images) Check(IsPlainFileName(image.name));

  // Opened as the viewer opens it: the images written out, then each looked up and loaded.
  ExtractImages(read.images, folders);
  for (const EmbeddedImage& image : read.images) {
    const std::string path = FindImage(folders, image.name);
    if (!path.empty()) plat::Picture::Load(path);
  }

  const ResultSections& s = read.sections;
  if (!HoldsMarker(s.StatementText) && !HoldsMarker(s.SolutionText) && !HoldsMarker(s.ResolutionTexts[0]) &&
      !HoldsMarker(s.ResolutionTexts[1])) {
    std::string saved;
    const SaveResult r = BuildResultDocument(s, folders, saved);
    if (r.error == SaveError::None) {
      const ReadResult again = ReadResultDocument(saved);
      Check(again.error == ReadError::None);
      Check(again.sections == s);
    }
  }
  fuzz::ResetScratch();
  return 0;
}
