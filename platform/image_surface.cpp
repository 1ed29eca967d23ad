#include "platform/image_surface.h"

#include <cstring>

#include "platform/encoding.h"

namespace plat {
namespace {
constexpr int kDotsPerMeterAt96Dpi = 3780;  // 96 dots per inch: 15 twips per pixel
}

ImageSurface::ImageSurface(int width, int height, double devicePixelRatio)
    : width_(std::max(1, width)), height_(std::max(1, height)), ratio_(devicePixelRatio > 0 ? devicePixelRatio : 1) {
  resize(width_, height_);
}

ImageSurface::~ImageSurface() { endPainting(); }

void ImageSurface::resize(int width, int height) {
  endPainting();
  width_ = std::max(1, width);
  height_ = std::max(1, height);
  image_ = QImage(static_cast<int>(width_ * ratio_ + 0.5), static_cast<int>(height_ * ratio_ + 0.5),
                  QImage::Format_RGB32);
  image_.setDevicePixelRatio(ratio_);
  image_.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
  image_.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
  image_.fill(ToQColor(backColor()));
  pendingClear_.reset();
  kept_ = QImage();
  keptKey_.clear();
}

void ImageSurface::endPainting() {
  if (painter_) {
    painter_->end();
    painter_.reset();
  }
}

void ImageSurface::applyClear() {
  if (!pendingClear_) return;
  image_.fill(ToQColor(*pendingClear_));
  pendingClear_.reset();
}

QPainter* ImageSurface::painter() {
  applyClear();
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, true);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
  }
  return painter_.get();
}

void ImageSurface::devClear(Color back) {
  endPainting();
  pendingClear_ = back;
}

const QImage& ImageSurface::image() {
  endPainting();
  applyClear();
  return image_;
}

void ImageSurface::devKeepLayer(std::string_view key) {
  applyClear();
  kept_ = image_.copy();
  keptKey_ = key;
}

bool ImageSurface::devRestoreLayer(std::string_view key) {
  if (kept_.isNull() || keptKey_ != key || kept_.size() != image_.size() || kept_.format() != image_.format() ||
      kept_.bytesPerLine() != image_.bytesPerLine()) {
    return false;
  }
  // Straight into the picture's memory: a painter still open on it draws on what it finds.
  pendingClear_.reset();
  std::memcpy(image_.bits(), kept_.constBits(), static_cast<std::size_t>(kept_.sizeInBytes()));
  return true;
}

bool ImageSurface::savePng(const std::string& path) {
  return image().save(QString::fromStdU16String(Cp1252ToUtf16(path)), "PNG");
}

bool ImageSurface::saveBmp(const std::string& path) {
  return image().convertToFormat(QImage::Format_RGB888).save(QString::fromStdU16String(Cp1252ToUtf16(path)), "BMP");
}

}  // namespace plat
