// The result document: the decimal symbol and the four mark-up sections of one worked
// problem and, in documents the viewer saved, the images the mark-up names. The designer
// writes ".rex" documents without images; the viewer reads both kinds and saves ".rep"
// documents with the images embedded.
//
// Layout of a saved document, byte positions counting from 1:
//   "#BINDIR(" directory position (8, blank-padded, "00000000" = no images) "#BINDIR)"
//   "#DEC(" symbol "#DEC)" "#ENU(" ... "#ENU)" "#SOL(" ... "#SOL)" "#RS1(" ... "#RS1)"
//   "#RS2(" ... "#RS2)", then 48 bytes per image (name 32, position 8, length 8), then the
//   images' bytes one after the other.
// Everything here is bytes in, bytes out (Windows-1252 text, image files unchanged).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/textfile.h"

namespace plat {
class ScratchClaim;
}

namespace stagora::viewer {

// The loaded document's sections.
struct ResultSections {
  std::string SimboloDecimal = ".";  // "." or ","
  std::string StatementText;
  std::string SolutionText;
  std::array<std::string, 2> ResolutionTexts;  // level 1, level 2
  bool operator==(const ResultSections&) const = default;
};

struct EmbeddedImage {
  std::string name;   // a bare file name
  std::string bytes;  // the file's content
};

constexpr std::size_t kHeaderLength = 24;
constexpr std::size_t kDirectoryEntryLength = 48;
constexpr std::size_t kImageNameLength = 32;
constexpr std::size_t kNumberFieldLength = 8;
// Positions and lengths are written in eight digits.
constexpr long long kLargestNumberField = 99999999;
// No document the viewer saves is larger than its fields can point into; a larger file is no
// result document and is refused before it is read.
constexpr std::uint64_t kLargestDocument = kLargestNumberField;

// ".rex" or ".rep" at the end of the path, without regard to case; blanks after it do not
// count ("x.rex " is still a document, of a name that ends in a blank).
bool IsResultDocumentPath(std::string_view path);

// The leading decimal number of a field: blanks are skipped wherever they stand, a sign may
// lead, the number ends at the first other character; an empty or non-numeric field is 0.
long long ReadNumberField(std::string_view field);
// The number as its shortest decimal form, left-justified and blank-padded to eight.
std::string NumberField(long long value);

enum class ReadError {
  None,
  NotAResultDocument,     // a section marker is missing (a truncated or foreign file)
  DamagedImageDirectory,  // the directory lies outside the file or is cut short
  DamagedImage,           // an image runs past the end of the file (detail: its name)
  UnsafeImageName,        // an image name is not a plain file name (detail: the name)
};

struct ReadResult {
  ReadError error = ReadError::None;
  std::string detail;
  ResultSections sections;
  std::vector<EmbeddedImage> images;
};

// Reads a whole document. Every section is found by its markers, so text around them (the
// designer's line breaks) is ignored. Nothing is half-read: on an error the result holds no
// sections and no images.
ReadResult ReadResultDocument(std::string_view bytes);

// The folders where documents' images live: the program folder's img/ (looked at first) and
// the scratch folder.
struct ImageFolders {
  std::string programImages;
  std::string scratch;
};
ImageFolders DefaultImageFolders(const std::string& tempPath);

// The file in `folder` whose name is `name` without regard to case, "" when there is none or
// the name is not a plain file name. Folders and the result are paths, the system's own names;
// an image's name is Windows-1252 as the document holds it, and its file bears the UTF-8 form.
std::string FindFileInFolder(const std::string& folder, std::string_view name);
// The image as documents find it: img/ first, then the scratch folder.
std::string FindImage(const ImageFolders& folders, std::string_view name);
// A name that stays inside a folder: no separator, no drive, not "." or "..", no control
// characters, at most 255 bytes.
bool IsPlainFileName(std::string_view name);

// Writes each image into the scratch folder (created when missing) unless a file of that name
// is already in either folder, which is then the one the document shows. Returns the names
// that could not be written; the document still opens and shows a placeholder for them.
std::vector<std::string> ExtractImages(const std::vector<EmbeddedImage>& images, const ImageFolders& folders);

// Holds in `claim` what the document at `path` shows from the scratch folder: the document
// itself when it lies there (a worked solution handed over by the designer), and the files of
// its images, those it carries and those its mark-up names, that are found there and not in
// img/. The clean-up of a designer's start leaves them for as long as the claim lives,
// however long the document stays open.
void HoldShownScratchFiles(const std::string& path, const ReadResult& document, const ImageFolders& folders,
                           plat::ScratchClaim& claim);

// --- Saving ------------------------------------------------------------------------------

// The sections as a document without images, the directory position still "00000000".
std::string AssembleSections(const ResultSections& sections);

// The names of the images the assembled text's "#IMG(" constructs name, each once, in order
// of first appearance (names differing only in case are different). False when a construct
// has no closing "#IMG)" or its name is not enclosed in apostrophes.
bool CollectImageNames(const std::string& assembled, std::vector<std::string>& names);

enum class SaveError {
  None,
  MissingImage,      // detail: the name; nothing was written
  BadImageConstruct, // an image construct cannot be read; nothing was written
  ImageUnreadable,   // detail: the file; fileError says why
  TooLarge,          // a position would need more than eight digits
  WriteFailed,       // fileError says why; the old document is untouched
};

struct SaveResult {
  SaveError error = SaveError::None;
  std::string detail;
  plat::FileError fileError;
};

// The complete document with the named images embedded, or the error that stops the save.
SaveResult BuildResultDocument(const ResultSections& sections, const ImageFolders& folders, std::string& bytes);

// Builds the document and writes it as the file `path`. The file is replaced only once the
// new one is complete, so a failed save leaves the old document as it was.
SaveResult WriteResultDocument(const std::string& path, const ResultSections& sections,
                               const ImageFolders& folders);

}  // namespace stagora::viewer
