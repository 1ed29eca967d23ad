// A picture held in memory: the screen diagram, the hidden report picture and the viewer's
// page picture draw into one of these, and a widget shows the image.
#pragma once

#include <QImage>
#include <memory>
#include <optional>
#include <string>

#include "platform/painter_surface.h"

namespace plat {

class ImageSurface : public PainterSurface {
 public:
  // width and height in logical pixels (15 twips each); ratio > 1 renders that many device
  // pixels per logical pixel so that the picture stays sharp on a dense screen.
  ImageSurface(int width, int height, double devicePixelRatio = 1.0);
  ~ImageSurface() override;

  double deviceWidth() const override { return width_; }
  double deviceHeight() const override { return height_; }
  double devicePixelRatio() const { return ratio_; }

  // Changes the size; the picture is cleared to the back colour.
  void resize(int width, int height);

  // The finished picture (ends any painting in progress).
  const QImage& image();
  bool savePng(const std::string& path);
  // Saves as a Windows bitmap (BMP), as the report hands it to the JPEG conversion.
  bool saveBmp(const std::string& path);

 protected:
  void devClear(Color back) override;
  QPainter* painter() override;
  QPaintDevice* metricsDevice() override { return &image_; }
  bool thinPensEndSquare() const override { return true; }
  void devKeepLayer(std::string_view key) override;
  bool devRestoreLayer(std::string_view key) override;

 private:
  void endPainting();
  // Clearing is put off until the picture is drawn on or read: a picture that is cleared
  // only to have its kept layer put back is then not filled for nothing.
  void applyClear();
  int width_;
  int height_;
  double ratio_;
  QImage image_;
  std::unique_ptr<QPainter> painter_;
  std::optional<Color> pendingClear_;
  QImage kept_;
  std::string keptKey_;
};

}  // namespace plat
