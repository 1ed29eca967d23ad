#include "platform/image_surface.h"

#include <cmath>

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
}

void ImageSurface::endPainting() {
  if (painter_) {
    painter_->end();
    painter_.reset();
  }
}

QPainter* ImageSurface::painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, true);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
  }
  return painter_.get();
}

void ImageSurface::devClear(Color back) {
  endPainting();
  image_.fill(ToQColor(back));
}

void ImageSurface::invertRect(double x, double y, double w, double h) {
  endPainting();
  const QRect wanted(static_cast<int>(std::lround(x * ratio_)), static_cast<int>(std::lround(y * ratio_)),
                     static_cast<int>(std::lround(w * ratio_)), static_cast<int>(std::lround(h * ratio_)));
  const QRect r = wanted.intersected(image_.rect());
  for (int row = r.top(); row <= r.bottom(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(row));
    for (int col = r.left(); col <= r.right(); ++col) line[col] ^= 0x00FFFFFFu;
  }
}

const QImage& ImageSurface::image() {
  endPainting();
  return image_;
}

bool ImageSurface::savePng(const std::string& path) {
  return image().save(QString::fromStdU16String(Cp1252ToUtf16(path)), "PNG");
}

bool ImageSurface::saveBmp(const std::string& path) {
  return image().convertToFormat(QImage::Format_RGB888).save(QString::fromStdU16String(Cp1252ToUtf16(path)), "BMP");
}

}  // namespace plat
