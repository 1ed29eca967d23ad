// The small image library behind the bitmap-to-JPEG conversion: seven calls, each returning
// 0 on success, over Qt's image support. A descriptor is a value that holds its image; freeing
// it empties it.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>

namespace stagora::imagelib {

// The bitmap-information header of a Windows bitmap file, as the file holds it.
struct BitmapInfo {
  std::uint32_t biSize = 0;
  std::int32_t biWidth = 0;
  std::int32_t biHeight = 0;  // negative for a picture stored top row first
  std::uint16_t biPlanes = 0;
  std::uint16_t biBitCount = 0;
  std::uint32_t biCompression = 0;
  std::uint32_t biSizeImage = 0;
  std::int32_t biXPelsPerMeter = 0;
  std::int32_t biYPelsPerMeter = 0;
  std::uint32_t biClrUsed = 0;
  std::uint32_t biClrImportant = 0;
};

struct ImageDescriptor {
  QImage image;
  int bits = 0;  // 1, 4, 8 or 24 as allocated; a 4-bit image is kept in an 8-bit raster
};

// Results besides 0.
enum ImageError : int {
  kNoError = 0,
  kCannotOpen = 1,
  kNotABitmap = 2,
  kBadSize = 3,
  kNoMemory = 4,
  kCannotDecode = 5,
  kWrongImage = 6,
  kCannotWrite = 7,
};

// Paths are the system's own names (see platform/file_names.h), opened by their bytes.
int bmpinfo(const std::string& path, BitmapInfo& info);
int allocimage(ImageDescriptor& image, int width, int height, int bits);
int loadbmp(const std::string& path, ImageDescriptor& image);
int convert1bitto8bit(const ImageDescriptor& source, ImageDescriptor& destination);
int freeimage(ImageDescriptor& image);
int copyimgdes(const ImageDescriptor& source, ImageDescriptor& destination);
// Writes the whole file or nothing: a failed write leaves no partial JPEG behind. The JPEG is
// a scratch file (a link at its name is replaced, not written through).
int savejpg(const std::string& path, const ImageDescriptor& image, int quality);

}  // namespace stagora::imagelib
