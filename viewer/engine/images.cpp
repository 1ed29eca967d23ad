#include "viewer/engine/images.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <unordered_map>

#include <sys/stat.h>
#include <time.h>

#include "platform/encoding.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "viewer/engine/construct_parts.h"
#include "viewer/engine/line_context.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {
namespace {

constexpr std::size_t kTagLength = 5;  // "#IMG(" "#IMG)"
constexpr double kFrameFraction = 0.04;        // frame pen and margin, of H
constexpr double kDefaultWidth = 1440;         // a placeholder without a size: 1 x 0.75 inch
constexpr double kDefaultHeight = 1080;
constexpr double kLargestImageMm = 1000;       // no page is a metre wide
constexpr plat::Color kPlaceholderFill = plat::Rgb(240, 240, 240);
constexpr plat::Color kPlaceholderCross = plat::Rgb(255, 0, 0);

// Windows-1252 upper case, as the body of the construct is upper-cased.
char UpperCp1252(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
  if (u == 0x9A || u == 0x9C || u == 0x9E) return static_cast<char>(u - 16);
  if (u == 0xFF) return static_cast<char>(0x9F);
  return c;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), UpperCp1252);
  return out;
}

std::string_view Trim(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

// "KEY=value:" anywhere in the options: the value's leading number; 0 when the key, its
// "=" or the ":" closing the value is missing.
double SizeOption(std::string_view options, std::string_view key) {
  const std::size_t k = options.find(key);
  if (k == std::string_view::npos) return 0;
  const std::size_t eq = options.find('=', k + key.size());
  if (eq == std::string_view::npos) return 0;
  const std::size_t colon = options.find(':', eq + 1);
  if (colon == std::string_view::npos) return 0;
  return std::clamp(Val(options.substr(eq + 1, colon - eq - 1)), -kLargestImageMm, kLargestImageMm);
}

bool Unchanged(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
         a.st_mtim.tv_nsec == b.st_mtim.tv_nsec && a.st_ctim.tv_sec == b.st_ctim.tv_sec &&
         a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// A folder changed within a second of its listing may have changed again unseen: its change
// time moves by the system clock's ticks.
bool MayBeStale(const struct stat& seen, const struct timespec& listedAt) {
  return listedAt.tv_sec <= seen.st_mtim.tv_sec + 1;
}

}  // namespace

bool IsBareFileName(std::string_view name) {
  if (name.empty() || name.find_first_of("/\\:") != std::string_view::npos) return false;
  if (std::all_of(name.begin(), name.end(), [](char c) { return c == '.' || c == ' '; })) return false;
  return std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

FolderListings::Names FolderListings::List(const std::string& folder, const struct stat& seen) {
  namespace fs = std::filesystem;
  Names names;
  names.seen = seen;
  ::clock_gettime(CLOCK_REALTIME, &names.listedAt);
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return names;
  for (const fs::directory_entry& entry : it) {
    const std::string native = entry.path().filename().string();
    const std::string name = plat::Utf8ToCp1252(native);
    // A name the code page cannot hold cannot be what a document names.
    if (plat::Cp1252ToUtf8(name) != native || !entry.is_regular_file(ec)) continue;
    auto [at, added] = names.byUpper.try_emplace(Upper(name), name);
    if (!added && name < at->second) at->second = name;
  }
  return names;
}

std::string FolderListings::Find(const std::string& folder, const std::string& upperName) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    listings_.erase(folder);
    return {};
  }
  auto listing = listings_.find(folder);
  bool fresh = false;
  if (listing == listings_.end() || !Unchanged(listing->second.seen, st)) {
    listing = listings_.insert_or_assign(folder, List(folder, st)).first;
    fresh = true;
  }
  // The folder is the system's own name, the document's name Windows-1252: on disk it is UTF-8.
  const auto path = [&]() -> std::string {
    const auto found = listing->second.byUpper.find(upperName);
    return found == listing->second.byUpper.end() ? std::string()
                                                  : plat::JoinPath(folder, plat::Cp1252ToUtf8(found->second));
  };
  std::string found = path();
  const bool mayBeStale = MayBeStale(listing->second.seen, listing->second.listedAt);
  if (!fresh && mayBeStale && (found.empty() || !plat::FileExists(found))) {
    listing->second = List(folder, st);
    found = path();
  }
  return found;
}

std::string FindImageFile(std::string_view name, const std::string& tempPath, FolderListings& folders) {
  if (!IsBareFileName(name)) return std::string();
  const std::string upper = Upper(name);
  std::string path;
  if (!plat::ProgramFolder().empty()) path = folders.Find(plat::JoinPath(plat::ProgramFolder(), "img"), upper);
  if (path.empty() && !tempPath.empty()) path = folders.Find(plat::ScratchFolderOf(tempPath), upper);
  return path;
}

plat::Picture PictureCache::Load(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code timeError, sizeError;
  const fs::path file(path);
  const fs::file_time_type time = fs::last_write_time(file, timeError);
  const std::uintmax_t bytes = fs::file_size(file, sizeError);
  if (timeError || sizeError) {
    entries_.erase(path);
    return plat::Picture::Load(path);
  }
  const auto found = entries_.find(path);
  if (found != entries_.end() && found->second.time == time && found->second.bytes == bytes) {
    return found->second.picture;
  }
  plat::Picture picture = plat::Picture::Load(path);
  // Kept only when it could be decoded: a file still being written is tried again next time.
  if (picture.isNull()) {
    entries_.erase(path);
  } else {
    entries_[path] = Entry{time, bytes, picture};
  }
  return picture;
}

ImageRequest ReadImageRequest(std::string_view block) {
  ImageRequest r;
  const std::string body(Trim(Upper(InnerText(block, kTagLength, kTagLength))));
  const std::size_t a = body.find('\'');
  const std::size_t b = a == std::string::npos ? a : body.find('\'', a + 1);
  std::string options = body;
  if (b != std::string::npos) {
    r.name = body.substr(a + 1, b - a - 1);
    options = body.substr(0, a) + body.substr(b + 1);
  }
  r.dxMm = SizeOption(options, "DXMM");
  r.dyMm = SizeOption(options, "DYMM");
  r.stretch = options.find("DIST") != std::string::npos;
  r.frame = options.find("MARCO") != std::string::npos;
  return r;
}

void DibujarIMG(ConstructContext& e) {
  const std::string_view block = e.block;
  if (IsErrorBlock(block)) {
    DrawConstructAsText(e);
    return;
  }
  plat::Surface& target = e.t;
  const ViewerValues& v = e.V;
  const double H = target.textHeight("Hp");
  const double t = std::max(kFrameFraction * H, 1.0);
  const ImageRequest r = ReadImageRequest(block);
  // A negative size would mirror the picture and run the line backwards over its own text;
  // it is read as its magnitude, so the picture and the line keep their places.
  double DX = std::abs(r.dxMm) * kTwipsPerMm * v.Zoom;
  double DY = std::abs(r.dyMm) * kTwipsPerMm * v.Zoom;

  // A construct without a name names no file: nothing is looked up.
  plat::Picture picture;
  if (!r.name.empty()) {
    const std::string path = FindImageFile(r.name, v.TempPath, e.S.imageFolders);
    if (!path.empty()) picture = v.Pictures ? v.Pictures->Load(path) : plat::Picture::Load(path);
  }
  bool loaded = !picture.isNull() && picture.widthPx() > 0 && picture.heightPx() > 0;
  if (DX == 0 || DY == 0) {
    loaded = false;
    DX = kDefaultWidth;
    DY = kDefaultHeight;
  }
  if (loaded && !r.stretch) {
    const double PW = picture.widthPx(), PH = picture.heightPx();
    if (DY < PH / PW * DX) {
      DX = PW / PH * DY;
    } else {
      DY = PH / PW * DX;
    }
  }
  const bool framed = r.frame || !loaded;
  const double margin = framed ? t : 0;

  // The image takes a second box number, in both passes alike.
  e.NumberPart(1);
  if (!e.draw) {
    CajaHTFC& b = e.Box();
    b.DesplazamientoX = margin;
    b.Avance = DX + margin;
    b.AltoSobre = DY - H + margin;
    b.AltoEje = kAxisFraction * H;
    b.AltoBajo = H + margin;  // the picture's bottom is the bottom of the line's text
    b.Texto = block;
    return;
  }

  const double X0 = e.X0, Y0 = e.Y0;
  const double top = Y0 - DY + H;
  if (loaded) {
    target.paintPicture(picture, X0, top, DX, DY);
  } else if (!loaded) {
    target.line(X0, top, X0 + DX, top + DY, kPlaceholderFill, plat::LineShape::FilledBox);
    target.setDrawWidth(static_cast<int>(std::floor(H / 2) / v.ScreenTwipsPerPixelY()) + 1);
    const double q = H / 4;
    target.line(X0 + q, top + q, X0 + q + DX - H / 2, top + q + DY - H / 2, kPlaceholderCross);
    target.line(X0 + q, Y0 + H - q, X0 + q + DX - H / 2, Y0 + H - q - DY + H / 2, kPlaceholderCross);
  }
  target.setDrawWidth(v.PenPixels(target, t));
  if (framed) {
    target.setFillStyle(plat::kFillTransparent);
    target.line(X0, top, X0 + DX, top + DY, e.S.ColorLinea, plat::LineShape::Box);
  }
  target.setDrawWidth(1);
}

}  // namespace stagora::engine
