#include "platform/image_surface.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "platform/file_replacement.h"

namespace plat {
namespace {
constexpr int kDotsPerMeterAt96Dpi = 3780;  // 96 dots per inch: 15 twips per pixel
constexpr int kJoinedGap = 2;               // tiles between two runs that are repainted with them
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
  dpi_ = image_.logicalDpiY();
  pendingClear_.reset();
  pendingLayer_.reset();
  for (KeptLayer& layer : layers_) layer = KeptLayer();
  for (std::string& key : offered_) key.clear();
  tilesX_ = (width_ + kTile - 1) / kTile;
  tilesY_ = (height_ + kTile - 1) / kTile;
  drawn_.assign(static_cast<std::size_t>(tilesX_ * tilesY_), 0);
  changed_.assign(drawn_.size(), 0);
  dirty_.assign(drawn_.size(), 0);
  fillWhole(backColor());
  shownLayer_ = -1;
  markAllChanged();
}

void ImageSurface::markAllChanged() {
  allChanged_ = true;
  std::fill(changed_.begin(), changed_.end(), 0);
}

QRect ImageSurface::tileSpan(int tx0, int tx1, int ty) const {
  const int x0 = static_cast<int>(std::floor(tx0 * kTile * ratio_));
  const int y0 = static_cast<int>(std::floor(ty * kTile * ratio_));
  const int x1 = std::min(image_.width(), static_cast<int>(std::ceil(tx1 * kTile * ratio_)));
  const int y1 = std::min(image_.height(), static_cast<int>(std::ceil((ty + 1) * kTile * ratio_)));
  return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

void ImageSurface::touched(const QRectF& area) {
  // What is drawn lands on the picture as it is to be, not on what it was before.
  applyPending();
  if (!(area.isValid() && std::isfinite(area.left()) && std::isfinite(area.right()) && std::isfinite(area.top()) &&
        std::isfinite(area.bottom()))) {
    return;
  }
  if (area.right() < 0 || area.bottom() < 0 || area.left() >= width_ || area.top() >= height_) return;
  const int tx0 = std::clamp(static_cast<int>(std::floor(std::max(area.left(), -1.0) / kTile)), 0, tilesX_ - 1);
  const int tx1 = std::clamp(static_cast<int>(std::floor(std::min(area.right(), 1e7) / kTile)), 0, tilesX_ - 1);
  const int ty0 = std::clamp(static_cast<int>(std::floor(std::max(area.top(), -1.0) / kTile)), 0, tilesY_ - 1);
  const int ty1 = std::clamp(static_cast<int>(std::floor(std::min(area.bottom(), 1e7) / kTile)), 0, tilesY_ - 1);
  for (int ty = ty0; ty <= ty1; ++ty) {
    for (int tx = tx0; tx <= tx1; ++tx) {
      const auto i = static_cast<std::size_t>(ty * tilesX_ + tx);
      drawn_[i] = 1;
      changed_[i] = 1;
      dirty_[i] = 1;
    }
  }
}

QRegion ImageSurface::takeChanged() {
  // A clear or a kept layer still waiting to be copied is part of what changed: a run that
  // draws nothing after putting a layer back (a design refused after its checks) must still
  // have the picture repainted.
  applyPending();
  QRegion region;
  if (allChanged_) {
    region = QRegion(0, 0, width_, height_);
  } else {
    // Runs of changed tiles along each row; a row with the same runs as the row above widens
    // that row's band instead of adding rectangles: the fewer rectangles, the cheaper the
    // repaint's bookkeeping. The rectangles stay in bands, as a region keeps them.
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> runs, runsAbove;
    std::size_t band = 0;
    for (int ty = 0; ty < tilesY_; ++ty) {
      runs.clear();
      for (int tx = 0; tx < tilesX_;) {
        if (!changed_[static_cast<std::size_t>(ty * tilesX_ + tx)]) {
          ++tx;
          continue;
        }
        const int start = tx;
        while (tx < tilesX_ && changed_[static_cast<std::size_t>(ty * tilesX_ + tx)]) ++tx;
        // A gap of a tile or two is repainted with its neighbours: fewer, wider rectangles.
        if (!runs.empty() && start - runs.back().second <= kJoinedGap) {
          runs.back().second = tx;
        } else {
          runs.emplace_back(start, tx);
        }
      }
      if (!runs.empty() && runs == runsAbove) {
        for (std::size_t i = band; i < rects.size(); ++i) rects[i].setBottom((ty + 1) * kTile - 1);
      } else {
        band = rects.size();
        for (const auto& [from, to] : runs) rects.emplace_back(from * kTile, ty * kTile, (to - from) * kTile, kTile);
      }
      std::swap(runs, runsAbove);
    }
    for (QRect& r : rects) r = r.intersected(QRect(0, 0, width_, height_));
    region.setRects(rects.data(), static_cast<int>(rects.size()));
  }
  allChanged_ = false;
  std::fill(changed_.begin(), changed_.end(), 0);
  return region;
}

void ImageSurface::endPainting() {
  if (painter_) {
    painter_->end();
    painter_.reset();
  }
}

void ImageSurface::fillWhole(Color back) {
  image_.fill(ToQColor(back));
  plainColour_.reset();
  if (image_.depth() == 32 && !image_.isNull()) {
    plainColour_ = back;
    plainPixel_ = reinterpret_cast<const QRgb*>(image_.constScanLine(0))[0];
  }
  std::fill(dirty_.begin(), dirty_.end(), 0);
}

void ImageSurface::applyPending() {
  if (pendingClear_) {
    const Color back = *pendingClear_;
    pendingClear_.reset();
    if (plainColour_ != back) {
      fillWhole(back);
    } else {
      // Only the tiles drawn on since the picture was last plain differ from it.
      forEachTileRun(dirty_, [&](int tx0, int tx1, int ty) {
        const QRect span = tileSpan(tx0, tx1, ty);
        for (int y = span.top(); y <= span.bottom(); ++y) {
          QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
          std::fill(line + span.left(), line + span.right() + 1, plainPixel_);
        }
      });
      std::fill(dirty_.begin(), dirty_.end(), 0);
    }
    shownLayer_ = -1;
    std::fill(drawn_.begin(), drawn_.end(), 0);
    markAllChanged();
  }
  if (pendingLayer_) {
    const int level = *pendingLayer_;
    pendingLayer_.reset();
    copyLayer(level);
  }
}

QPainter* ImageSurface::painter() {
  applyPending();
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, true);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
  }
  return painter_.get();
}

void ImageSurface::devClear(Color back) {
  endPainting();
  pendingLayer_.reset();
  pendingClear_ = back;
}

void ImageSurface::invertRect(double x, double y, double w, double h) {
  endPainting();
  applyPending();
  touched(QRectF(x, y, w, h));
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
  applyPending();
  return image_;
}

void ImageSurface::devKeepLayer(std::string_view key, int level) {
  if (level < 0 || level >= kLayers) return;
  applyPending();
  const auto at = static_cast<std::size_t>(level);
  if (level > 0) {
    // A higher layer is drawn on the one below: kept only when the picture is that layer with
    // this part drawn on it, and only on the second offer in a row.
    if (shownLayer_ != level - 1 || !layers_[at - 1].kept) return;
    if (offered_[at] != key) {
      offered_[at] = key;
      return;
    }
  }
  KeptLayer& layer = layers_[at];
  layer.image = image_.copy();
  layer.key = key;
  layer.kept = true;
  if (level == 0) {
    layer.own.assign(drawn_.size(), 1);
  } else {
    layer.own = drawn_;
  }
  offered_[at].clear();
  for (std::size_t above = at + 1; above < layers_.size(); ++above) {
    layers_[above] = KeptLayer();
    offered_[above].clear();
  }
  std::fill(drawn_.begin(), drawn_.end(), 0);
  shownLayer_ = level;
}

bool ImageSurface::devRestoreLayer(std::string_view key, int level) {
  if (level < 0 || level >= kLayers) return false;
  const KeptLayer& layer = layers_[static_cast<std::size_t>(level)];
  if (!layer.kept || layer.key != key || layer.image.size() != image_.size() ||
      layer.image.format() != image_.format() || layer.image.bytesPerLine() != image_.bytesPerLine()) {
    return false;
  }
  // Copied when the picture is next drawn on or read; what was drawn since a layer was last
  // put back goes into the copy then.
  pendingClear_.reset();
  pendingLayer_ = level;
  return true;
}

void ImageSurface::copyLayer(int level) {
  const KeptLayer& layer = layers_[static_cast<std::size_t>(level)];
  plainColour_.reset();  // the layer is not plain
  // Straight into the picture's memory: a painter still open on it draws on what it finds.
  uchar* to = image_.bits();
  const uchar* from = layer.image.constBits();
  const qsizetype stride = image_.bytesPerLine();
  if (shownLayer_ < 0) {
    std::memcpy(to, from, static_cast<std::size_t>(layer.image.sizeInBytes()));
    markAllChanged();
  } else {
    // The tiles drawn on since, and those that differ between the layer shown and this one.
    std::vector<std::uint8_t>& copy = copyTiles_;
    copy = drawn_;
    const int low = std::min(level, shownLayer_);
    const int high = std::max(level, shownLayer_);
    for (int l = low + 1; l <= high; ++l) {
      const std::vector<std::uint8_t>& own = layers_[static_cast<std::size_t>(l)].own;
      for (std::size_t i = 0; i < copy.size() && i < own.size(); ++i) copy[i] |= own[i];
    }
    const int pixelBytes = image_.depth() / 8;
    forEachTileRun(copy, [&](int tx0, int tx1, int ty) {
      for (int tx = tx0; tx < tx1; ++tx) changed_[static_cast<std::size_t>(ty * tilesX_ + tx)] = 1;
      const QRect span = tileSpan(tx0, tx1, ty);
      const auto bytes = static_cast<std::size_t>(span.width() * pixelBytes);
      for (int y = span.top(); y <= span.bottom(); ++y) {
        const qsizetype at = y * stride + span.left() * pixelBytes;
        std::memcpy(to + at, from + at, bytes);
      }
    });
  }
  std::fill(drawn_.begin(), drawn_.end(), 0);
  shownLayer_ = level;
}

namespace {

bool SaveImage(const QImage& image, const std::string& path, const char* format, FileReplacement::Keep keep,
               FileError* err = nullptr) {
  FileReplacement file(path, keep);
  if (file.open() && image.save(file.device(), format) && file.commit()) return true;
  if (err) {
    *err = file.error();
    // Written without a fault, yet not saved: the picture could not be encoded.
    if (err->number == 0) *err = {EIO, std::string("The picture could not be encoded as ") + format + "."};
  }
  return false;
}

}  // namespace

bool ImageSurface::savePng(const std::string& path) {
  return SaveImage(image(), path, "PNG", FileReplacement::Keep::Durable);
}

// The bitmap is the report's passing scratch file, read once and deleted.
bool ImageSurface::saveBmp(const std::string& path, FileError* err) {
  return SaveImage(image().convertToFormat(QImage::Format_RGB888), path, "BMP", FileReplacement::Keep::Scratch, err);
}

}  // namespace plat
