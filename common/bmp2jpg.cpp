#include "common/bmp2jpg.h"

#include "common/image_library.h"
#include "platform/messagebox.h"

namespace stagora {
namespace {

constexpr char kErrorTitle[] = "Error encountered!";
constexpr int kTrueColourFrom = 16;  // depths from here up are converted to 24 bits
constexpr int kTrueColourBits = 24;

void Report(const char* text) { plat::MsgBox(text, plat::kOkOnly, kErrorTitle); }

}  // namespace

bool BMP2JPG(const std::string& bitmapPath, const std::string& jpegPath, int quality) {
  using namespace imagelib;
  BitmapInfo info;
  if (bmpinfo(bitmapPath, info) != 0) {
    Report("Cannot find file");
    return false;
  }
  int bits = info.biBitCount;
  if (bits >= kTrueColourFrom) bits = kTrueColourBits;

  ImageDescriptor image;
  if (allocimage(image, info.biWidth, info.biHeight, bits) != 0) {
    Report("Not enough memory");
    return false;
  }
  if (loadbmp(bitmapPath, image) != 0) {
    freeimage(image);
    Report("Cannot load file");
    return false;
  }

  // The JPEG writer is given 8-bit rasters rather than 1-bit ones; without room for the wider
  // copy the 1-bit image is written as it is.
  if (bits == 1) {
    ImageDescriptor work;
    if (allocimage(work, info.biWidth, info.biHeight, 8) == 0) {
      // Only a widened copy replaces the image: a failed widening would leave a blank raster.
      if (convert1bitto8bit(image, work) == 0) {
        freeimage(image);
        copyimgdes(work, image);
      }
      freeimage(work);
    }
  }

  const bool written = savejpg(jpegPath, image, quality) == 0;
  freeimage(image);
  return written;
}

}  // namespace stagora
