// Images "#IMG('" name "'DXmm=w:DYmm=h:" options "#IMG)": a picture file from the program
// folder's img/ or the scratch folder, sized in millimetres, optionally framed, with a
// placeholder (grey box, red cross, frame) where the file cannot be drawn.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "viewer/engine/construct_parts.h"
#include "viewer/engine/folder_listings.h"

namespace stagora::engine {

// "#IMG(": the picture, or its placeholder, standing on the line's text, framed in ColorLinea.
void DibujarIMG(ConstructContext& k);

// What the construct asks for. Sizes in millimetres; 0 when missing.
struct ImageRequest {
  std::string name;  // upper-cased, as the construct's body is read
  double dxMm = 0;
  double dyMm = 0;
  bool stretch = false;  // "DIST": exactly dxMm by dyMm, not keeping the aspect
  bool frame = false;    // "MARCO"
};
ImageRequest ReadImageRequest(std::string_view block);

// A name that names a file directly inside a folder: no folder separator, no drive, not
// "." or "..", no control characters. Anything else is never looked up.
bool IsBareFileName(std::string_view name);

// The image file named `name` (without regard to case): in the program folder's img/
// first, then in the scratch folder of `tempPath` (the viewer's TempPath); "" when
// neither holds it or the name is not bare. Only the entries of those two folders are
// considered, so no other file is ever opened. The folders are listed through `folders`.
std::string FindImageFile(std::string_view name, const std::string& tempPath, FolderListings& folders);

// Pictures decoded from their files, one decode per file: a page is drawn again at every trial
// page of pagination, zoom, page turn and printed copy, and reading and decoding a JPEG is
// most of the cost of such a page. A file whose modification time or size has changed since
// it was decoded is decoded again; a file that cannot be read is asked again at each drawing.
class PictureCache {
 public:
  // The picture of the file at `path`: the decoded one while the file is unchanged.
  plat::Picture Load(const std::string& path);
  // Forgets every picture (a new document is opened).
  void Clear() { entries_.clear(); }
  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::filesystem::file_time_type time;
    std::uintmax_t bytes = 0;
    plat::Picture picture;
  };
  std::map<std::string, Entry> entries_;
};

}  // namespace stagora::engine
