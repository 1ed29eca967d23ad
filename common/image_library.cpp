#include "common/image_library.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <cstdlib>
#include <optional>

#include "platform/file_replacement.h"
#include "platform/textfile.h"

namespace stagora::imagelib {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kCoreHeaderSize = 12;  // the old header with 16-bit sizes
constexpr int kInfoHeaderSize = 40;
constexpr char kBitmapMagic[] = "BM";
constexpr int kPixelOffsetAt = 10;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;
// Qt's own readers refuse larger rasters; refusing them here as well keeps a forged header
// from asking for gigabytes.
constexpr qint64 kMaxImageBytes = 256LL * 1024 * 1024;
// A file of such a raster: four bytes a pixel where the raster keeps three, with its padding,
// header and palette.
constexpr std::uint64_t kMaxBitmapFileBytes = 2 * kMaxImageBytes;

std::uint32_t U32(const QByteArray& b, int at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t U16(const QByteArray& b, int at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

QImage::Format FormatFor(int bits) {
  switch (bits) {
    case 1: return QImage::Format_Mono;
    case 24: return QImage::Format_RGB888;
    default: return QImage::Format_Indexed8;
  }
}

// The raster of an uncompressed bitmap has a known length; the reader would turn a cut-off
// file into a picture with missing rows instead of failing.
bool RasterComplete(const QByteArray& file, const BitmapInfo& info) {
  if (info.biSize == kCoreHeaderSize) return true;
  if (info.biCompression != kUncompressed && info.biCompression != kBitFields) return true;
  if (file.size() < kPixelOffsetAt + 4) return false;
  const qint64 rowBytes = (static_cast<qint64>(std::llabs(info.biWidth)) * info.biBitCount + 31) / 32 * 4;
  const qint64 needed = static_cast<qint64>(U32(file, kPixelOffsetAt)) + rowBytes * std::llabs(info.biHeight);
  return file.size() >= needed;
}

// The header's fields, from the file's first bytes.
int ReadInfo(const QByteArray& head, BitmapInfo& info) {
  if (head.size() < kFileHeaderSize + kCoreHeaderSize || !head.startsWith(kBitmapMagic)) return kNotABitmap;
  BitmapInfo in;
  in.biSize = U32(head, kFileHeaderSize);
  const int h = kFileHeaderSize;
  if (in.biSize == kCoreHeaderSize) {
    in.biWidth = U16(head, h + 4);
    in.biHeight = U16(head, h + 6);
    in.biPlanes = U16(head, h + 8);
    in.biBitCount = U16(head, h + 10);
  } else if (in.biSize >= kInfoHeaderSize && head.size() >= kFileHeaderSize + kInfoHeaderSize) {
    in.biWidth = static_cast<std::int32_t>(U32(head, h + 4));
    in.biHeight = static_cast<std::int32_t>(U32(head, h + 8));
    in.biPlanes = U16(head, h + 12);
    in.biBitCount = U16(head, h + 14);
    in.biCompression = U32(head, h + 16);
    in.biSizeImage = U32(head, h + 20);
    in.biXPelsPerMeter = static_cast<std::int32_t>(U32(head, h + 24));
    in.biYPelsPerMeter = static_cast<std::int32_t>(U32(head, h + 28));
    in.biClrUsed = U32(head, h + 32);
    in.biClrImportant = U32(head, h + 36);
  } else {
    return kNotABitmap;
  }
  info = in;
  return kNoError;
}

}  // namespace

// Files are read by their names' bytes, through the platform's reader: a name that is no
// UTF-8 (a scratch folder under such a name) would reach Qt's file calls as another name.
int bmpinfo(const std::string& path, BitmapInfo& info) {
  const std::optional<std::string> head = plat::ReadFileStart(path, kFileHeaderSize + kInfoHeaderSize);
  if (!head) return kCannotOpen;
  return ReadInfo(QByteArray::fromStdString(*head), info);
}

int allocimage(ImageDescriptor& image, int width, int height, int bits) {
  // A bitmap stored top row first gives its height as a negative number.
  const qint64 w = std::llabs(static_cast<long long>(width));
  const qint64 h = std::llabs(static_cast<long long>(height));
  if (w == 0 || h == 0) return kBadSize;
  const qint64 bytesPerPixel = bits > 8 ? 3 : 1;
  if (w * h * bytesPerPixel > kMaxImageBytes) return kNoMemory;
  QImage raster(static_cast<int>(w), static_cast<int>(h), FormatFor(bits));
  if (raster.isNull()) return kNoMemory;
  raster.fill(0);
  image.image = std::move(raster);
  image.bits = bits;
  return kNoError;
}

int loadbmp(const std::string& path, ImageDescriptor& image) {
  if (image.image.isNull()) return kWrongImage;
  const std::optional<std::string> bytes = plat::ReadTextFile(path, nullptr, kMaxBitmapFileBytes);
  if (!bytes) return kCannotDecode;
  QByteArray file = QByteArray::fromStdString(*bytes);
  BitmapInfo info;
  if (ReadInfo(file, info) != kNoError || !RasterComplete(file, info)) return kCannotDecode;
  QBuffer buffer(&file);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  QImage read = reader.read();
  if (read.isNull()) return kCannotDecode;
  if (read.size() != image.image.size()) return kWrongImage;
  // The reader may hand back another layout (32-bit, RGB32 for 24-bit, 8-bit for 4-bit);
  // the descriptor keeps the depth it was made with.
  image.image = read.convertToFormat(image.image.format());
  return image.image.isNull() ? kNoMemory : kNoError;
}

int convert1bitto8bit(const ImageDescriptor& source, ImageDescriptor& destination) {
  if (source.image.format() != QImage::Format_Mono && source.image.format() != QImage::Format_MonoLSB)
    return kWrongImage;
  if (destination.image.size() != source.image.size() || destination.bits != 8) return kWrongImage;
  QImage wide = source.image.convertToFormat(QImage::Format_Indexed8);
  if (wide.isNull()) return kNoMemory;
  destination.image = std::move(wide);
  return kNoError;
}

int freeimage(ImageDescriptor& image) {
  image = ImageDescriptor{};
  return kNoError;
}

int copyimgdes(const ImageDescriptor& source, ImageDescriptor& destination) {
  destination = source;
  return kNoError;
}

int savejpg(const std::string& path, const ImageDescriptor& image, int quality) {
  if (image.image.isNull()) return kWrongImage;
  // The report waits for the JPEG to appear and hands it on at once: it must appear whole. It
  // is the scratch folder's own picture, made again for every report.
  plat::FileReplacement file(path, plat::FileReplacement::Keep::Scratch);
  if (!file.open()) return kCannotWrite;
  QImageWriter writer(file.device(), "jpeg");
  writer.setQuality(quality);
  if (!writer.write(image.image)) return kCannotWrite;
  return file.commit() ? kNoError : kCannotWrite;
}

}  // namespace stagora::imagelib
