#include "viewer/document/result_document.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <unordered_set>

#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/paths.h"
#include "platform/textfile.h"

namespace stagora::viewer {
namespace {

constexpr std::string_view kHeaderOpen = "#BINDIR(";
constexpr std::string_view kHeaderClose = "#BINDIR)";
constexpr std::string_view kNoImages = "00000000";
constexpr std::string_view kDecimalOpen = "#DEC(";
constexpr std::string_view kImageOpen = "#IMG(";
constexpr std::string_view kImageClose = "#IMG)";
constexpr std::size_t kLongestFileName = 255;

struct SectionMarkers {
  std::string_view open;
  std::string_view close;
};
constexpr std::array<SectionMarkers, 4> kSections = {{
    {"#ENU(", "#ENU)"},
    {"#SOL(", "#SOL)"},
    {"#RS1(", "#RS1)"},
    {"#RS2(", "#RS2)"},
}};

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

// Windows-1252 upper case, as the platform compares file names without regard to case.
std::string UpperName(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) c = static_cast<char>(b - 32);
    else if (b == 0x9A || b == 0x9C || b == 0x9E) c = static_cast<char>(b - 16);
    else if (b == 0xFF) c = static_cast<char>(0x9F);
  }
  return out;
}

std::string_view TrimBlanks(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// `length` characters from the 1-based position `pos`, as far as the text reaches.
std::string_view Mid(std::string_view s, std::size_t pos, std::size_t length) {
  if (pos < 1 || pos > s.size()) return {};
  return s.substr(pos - 1, length);
}

std::string PadField(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

// The header counts only before the statement: a headerless designer document may well
// mention the marker inside its mark-up.
std::size_t DirectoryPosition(std::string_view s, bool& present) {
  present = false;
  const std::size_t header = s.find(kHeaderOpen);
  if (header == std::string_view::npos) return 0;
  const std::size_t statement = s.find(kSections[0].open);
  if (statement != std::string_view::npos && header > statement) return 0;
  present = true;
  const long long value = ReadNumberField(s.substr(header + kHeaderOpen.size(), kNumberFieldLength));
  return value < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(value);
}

ReadError ReadImages(std::string_view s, std::size_t dirpos, std::size_t sectionsEnd, ReadResult& out) {
  const std::size_t size = s.size();
  // The directory follows the sections and holds at least one whole entry.
  if (dirpos <= sectionsEnd || dirpos > size || size - (dirpos - 1) < kDirectoryEntryLength) {
    return ReadError::DamagedImageDirectory;
  }
  const long long first = ReadNumberField(Mid(s, dirpos + kImageNameLength, kNumberFieldLength));
  if (first < static_cast<long long>(dirpos + kDirectoryEntryLength) || first > static_cast<long long>(size) + 1) {
    return ReadError::DamagedImageDirectory;
  }
  const auto datastart = static_cast<std::size_t>(first);
  std::string_view directory = s.substr(dirpos - 1, datastart - dirpos);
  std::string_view data = s.substr(datastart - 1);
  const auto count = static_cast<std::size_t>(
      std::nearbyint(static_cast<double>(directory.size()) / static_cast<double>(kDirectoryEntryLength)));
  if (count * kDirectoryEntryLength > directory.size()) return ReadError::DamagedImageDirectory;

  // The images lie one after the other from the start of the data; only the first entry's
  // position is read.
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view entry = directory.substr(i * kDirectoryEntryLength, kDirectoryEntryLength);
    const std::string name(TrimBlanks(entry.substr(0, kImageNameLength)));
    const long long length = ReadNumberField(entry.substr(kImageNameLength + kNumberFieldLength));
    if (!IsPlainFileName(name)) {
      out.detail = name;
      return ReadError::UnsafeImageName;
    }
    if (length < 0 || static_cast<unsigned long long>(length) > data.size()) {
      out.detail = name;
      return ReadError::DamagedImage;
    }
    const auto n = static_cast<std::size_t>(length);
    out.images.push_back({name, std::string(data.substr(0, n))});
    data.remove_prefix(n);
  }
  return ReadError::None;
}

}  // namespace

bool IsResultDocumentPath(std::string_view path) {
  while (!path.empty() && path.back() == ' ') path.remove_suffix(1);
  if (path.size() < 4) return false;
  const std::string tail = UpperAscii(path.substr(path.size() - 4));
  return tail == ".REX" || tail == ".REP";
}

long long ReadNumberField(std::string_view field) {
  long long value = 0;
  bool negative = false;
  bool started = false;
  for (const char c : field) {
    if (c == ' ' || c == '\t') continue;
    if (!started && (c == '-' || c == '+')) {
      negative = c == '-';
      started = true;
      continue;
    }
    if (c < '0' || c > '9') break;
    started = true;
    if (value <= kLargestNumberField * 10) value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

std::string NumberField(long long value) { return PadField(std::to_string(value), kNumberFieldLength); }

ReadResult ReadResultDocument(std::string_view s) {
  ReadResult out;
  bool header = false;
  const std::size_t dirpos = DirectoryPosition(s, header);

  ResultSections sections;
  if (const std::size_t p = s.find(kDecimalOpen); p != std::string_view::npos) {
    sections.SimboloDecimal = std::string(s.substr(p + kDecimalOpen.size(), 1));
  }
  if (sections.SimboloDecimal != ",") sections.SimboloDecimal = ".";

  std::array<std::string*, 4> targets = {&sections.StatementText, &sections.SolutionText,
                                         &sections.ResolutionTexts[0], &sections.ResolutionTexts[1]};
  std::size_t sectionsEnd = 0;  // 1-based position of the last byte of "#RS2)"
  for (std::size_t k = 0; k < kSections.size(); ++k) {
    const std::size_t open = s.find(kSections[k].open);
    if (open == std::string_view::npos) {
      out.error = ReadError::NotAResultDocument;
      return out;
    }
    const std::size_t from = open + kSections[k].open.size();
    const std::size_t close = s.find(kSections[k].close, from);
    if (close == std::string_view::npos) {
      out.error = ReadError::NotAResultDocument;
      return out;
    }
    *targets[k] = std::string(s.substr(from, close - from));
    sectionsEnd = close + kSections[k].close.size();
  }

  if (header && dirpos != 0) {
    out.error = ReadImages(s, dirpos, sectionsEnd, out);
    if (out.error != ReadError::None) {
      out.images.clear();
      return out;
    }
  }
  out.sections = std::move(sections);
  return out;
}

ImageFolders DefaultImageFolders(const std::string& tempPath) {
  return {plat::JoinPath(plat::ProgramFolder(), "img"), plat::ScratchFolderOf(tempPath)};
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name.size() > kLongestFileName) return false;
  if (name.find_first_of("/\\:") != std::string_view::npos) return false;
  if (std::all_of(name.begin(), name.end(), [](char c) { return c == '.' || c == ' '; })) return false;
  return std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

namespace {

// The names of the folder's regular files as documents name them, in Windows-1252 (on disk
// their UTF-8 form). A name the code page cannot hold cannot be one a document names.
std::vector<std::string> FileNamesIn(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return names;
  for (const fs::directory_entry& entry : it) {
    const std::string native = entry.path().filename().string();
    std::string candidate = plat::Utf8ToCp1252(native);
    if (plat::Cp1252ToUtf8(candidate) != native || !entry.is_regular_file(ec)) continue;
    names.push_back(std::move(candidate));
  }
  return names;
}

}  // namespace

std::string FindFileInFolder(const std::string& folder, std::string_view name) {
  if (!IsPlainFileName(name)) return {};
  const std::string wanted = UpperName(name);
  std::string found;
  for (const std::string& candidate : FileNamesIn(folder)) {
    if (UpperName(candidate) != wanted) continue;
    // Of several that differ only in case, the exact one, else the first in name order.
    if (candidate == name) return plat::JoinPath(folder, plat::Cp1252ToUtf8(candidate));
    if (found.empty() || candidate < found) found = candidate;
  }
  return found.empty() ? found : plat::JoinPath(folder, plat::Cp1252ToUtf8(found));
}

std::string FindImage(const ImageFolders& folders, std::string_view name) {
  std::string path = FindFileInFolder(folders.programImages, name);
  if (path.empty()) path = FindFileInFolder(folders.scratch, name);
  return path;
}

std::vector<std::string> ExtractImages(const std::vector<EmbeddedImage>& images, const ImageFolders& folders) {
  std::vector<std::string> failed;
  if (images.empty()) return failed;
  // Both folders are listed once, not once per image: a document may carry thousands.
  std::unordered_set<std::string> present;
  for (const std::string* folder : {&folders.programImages, &folders.scratch}) {
    for (const std::string& name : FileNamesIn(*folder)) present.insert(UpperName(name));
  }
  bool scratchReady = false;
  for (const EmbeddedImage& image : images) {
    if (!IsPlainFileName(image.name)) {
      failed.push_back(image.name);
      continue;
    }
    const std::string upper = UpperName(image.name);
    if (present.count(upper) != 0) continue;
    // Only into a folder of this user's: not through a link planted where it should be.
    if (!scratchReady) scratchReady = plat::ClaimScratchFolder(folders.scratch);
    if (!scratchReady ||
        !plat::WriteScratchFile(plat::JoinPath(folders.scratch, plat::Cp1252ToUtf8(image.name)), image.bytes)) {
      failed.push_back(image.name);
      continue;
    }
    present.insert(upper);
  }
  return failed;
}

void HoldShownScratchFiles(const std::string& path, const ReadResult& document, const ImageFolders& folders,
                           plat::ScratchClaim& claim) {
  if (folders.scratch.empty()) return;
  if (plat::SameFolder(plat::FolderPart(path), folders.scratch)) {
    claim.hold(plat::JoinPath(folders.scratch, plat::NamePart(path)));
  }
  // Each folder is listed once; an image img/ has is shown from there.
  std::vector<std::string> names;
  CollectImageNames(AssembleSections(document.sections), names);  // the names before a damaged construct
  for (const EmbeddedImage& image : document.images) names.push_back(image.name);
  std::unordered_set<std::string> wanted;
  for (const std::string& name : names) wanted.insert(UpperName(name));
  for (const std::string& name : FileNamesIn(folders.programImages)) wanted.erase(UpperName(name));
  if (wanted.empty()) return;
  // Every file of a wanted name, as several may differ only in case.
  for (const std::string& name : FileNamesIn(folders.scratch)) {
    if (wanted.count(UpperName(name)) != 0) claim.hold(plat::JoinPath(folders.scratch, plat::Cp1252ToUtf8(name)));
  }
}

std::string AssembleSections(const ResultSections& d) {
  std::string c;
  c.reserve(kHeaderLength + 64 + d.StatementText.size() + d.SolutionText.size() + d.ResolutionTexts[0].size() +
            d.ResolutionTexts[1].size());
  c += kHeaderOpen;
  c += kNoImages;
  c += kHeaderClose;
  c += "#DEC(" + d.SimboloDecimal + "#DEC)";
  c += "#ENU(" + d.StatementText + "#ENU)";
  c += "#SOL(" + d.SolutionText + "#SOL)";
  c += "#RS1(" + d.ResolutionTexts[0] + "#RS1)";
  c += "#RS2(" + d.ResolutionTexts[1] + "#RS2)";
  return c;
}

bool CollectImageNames(const std::string& assembled, std::vector<std::string>& names) {
  names.clear();
  const std::string upper = UpperAscii(assembled);
  for (std::size_t p = upper.find(kImageOpen); p != std::string::npos; p = upper.find(kImageOpen, p + 9)) {
    const std::size_t q = upper.find(kImageClose, p + kImageOpen.size() + 1);
    if (q == std::string::npos) return false;
    const std::string_view body = std::string_view(assembled).substr(p + kImageOpen.size(), q - p - kImageOpen.size());
    const std::size_t a = body.find('\'');
    const std::string_view rest = a == std::string_view::npos ? body : body.substr(a + 1);
    const std::size_t b = rest.find('\'');
    if (b == std::string_view::npos) return false;
    const std::string name(rest.substr(0, b));
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return true;
}

SaveResult BuildResultDocument(const ResultSections& sections, const ImageFolders& folders, std::string& bytes) {
  SaveResult result;
  std::string c = AssembleSections(sections);
  std::vector<std::string> names;
  if (!CollectImageNames(c, names)) {
    result.error = SaveError::BadImageConstruct;
    return result;
  }

  // Every image is looked for before anything is read, so that a missing one stops the save
  // with nothing done.
  std::vector<std::string> paths;
  for (const std::string& name : names) {
    std::string path = FindImage(folders, name);
    if (path.empty()) {
      result.error = SaveError::MissingImage;
      result.detail = name;
      return result;
    }
    paths.push_back(std::move(path));
  }

  std::string directory, data;
  long long pos = static_cast<long long>(c.size() + kDirectoryEntryLength * names.size()) + 1;
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::optional<std::string> image = plat::ReadTextFile(paths[i], &result.fileError);
    if (!image) {
      result.error = SaveError::ImageUnreadable;
      result.detail = paths[i];
      return result;
    }
    const auto length = static_cast<long long>(image->size());
    // A position or length of nine digits would overrun its field and garble the directory.
    if (length > kLargestNumberField || pos + length - 1 > kLargestNumberField) {
      result.error = SaveError::TooLarge;
      result.detail = names[i];
      return result;
    }
    directory += PadField(names[i], kImageNameLength) + NumberField(pos) + NumberField(length);
    pos += length;
    data += *image;
  }
  if (!names.empty()) {
    const std::string field = NumberField(static_cast<long long>(c.size()) + 1);
    c.replace(kHeaderOpen.size(), kNumberFieldLength, field);
  }
  bytes = std::move(c);
  bytes += directory;
  bytes += data;
  return result;
}

SaveResult WriteResultDocument(const std::string& path, const ResultSections& sections, const ImageFolders& folders) {
  std::string bytes;
  SaveResult result = BuildResultDocument(sections, folders, bytes);
  if (result.error != SaveError::None) return result;
  if (!plat::WriteTextFile(path, bytes, &result.fileError)) {
    result.error = SaveError::WriteFailed;
    result.detail = path;
  }
  return result;
}

}  // namespace stagora::viewer
