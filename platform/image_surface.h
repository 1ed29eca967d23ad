// A picture held in memory: the screen diagram, the hidden report picture and the viewer's
// page picture draw into one of these, and a widget shows the image.
#pragma once

#include <QImage>
#include <memory>

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

  // Inverts every pixel of the rectangle (device pixels, rounded to whole pixels): what a
  // filled black box drawn with the not-merge pen does. Inverting twice restores the picture.
  void invertRect(double x, double y, double w, double h);

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

 private:
  void endPainting();
  int width_;
  int height_;
  double ratio_;
  QImage image_;
  std::unique_ptr<QPainter> painter_;
};

}  // namespace plat
