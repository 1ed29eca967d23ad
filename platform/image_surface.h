// A picture held in memory: the screen diagram, the hidden report picture and the viewer's
// page picture draw into one of these, and a widget shows the image.
#pragma once

#include <QImage>
#include <array>
#include <QRegion>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/painter_surface.h"
#include "platform/textfile.h"

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
  // Saves as a Windows bitmap (BMP), as the report hands it to the JPEG conversion; why it
  // could not goes to `err`.
  bool saveBmp(const std::string& path, FileError* err = nullptr);

  // The part of the picture, in pixels, that may have changed since the last call (the whole
  // picture at first, and after a clear or a change of size): what a widget showing it must
  // repaint.
  QRegion takeChanged();

 protected:
  void devClear(Color back) override;
  QPainter* painter() override;
  QPaintDevice* metricsDevice() override { return &image_; }
  int metricsDpi() override { return dpi_; }  // asked for at every text drawn and measured
  bool thinPensEndSquare() const override { return true; }
  void devKeepLayer(std::string_view key, int level) override;
  bool devRestoreLayer(std::string_view key, int level) override;
  void touched(const QRectF& area) override;

 private:
  // What was drawn is kept track of in tiles of this many pixels: putting a kept layer back
  // copies only the tiles drawn on since (and those where it differs from the layer the picture
  // showed), and a widget repaints only the tiles that changed.
  static constexpr int kTile = 16;
  void markAllChanged();
  // The tiles' device-pixel rectangle, columns [tx0, tx1) of tile row ty.
  QRect tileSpan(int tx0, int tx1, int ty) const;
  // Calls visit(tx0, tx1, ty) for each run [tx0, tx1) of marked tiles in tile row ty.
  template <typename Visit>
  void forEachTileRun(const std::vector<std::uint8_t>& marked, Visit visit) const {
    for (int ty = 0; ty < tilesY_; ++ty) {
      for (int tx = 0; tx < tilesX_;) {
        if (!marked[static_cast<std::size_t>(ty * tilesX_ + tx)]) {
          ++tx;
          continue;
        }
        const int start = tx;
        while (tx < tilesX_ && marked[static_cast<std::size_t>(ty * tilesX_ + tx)]) ++tx;
        visit(start, tx, ty);
      }
    }
  }
  void endPainting();
  // Clearing, and putting a kept layer back, are put off until the picture is drawn on or
  // read: a picture that is cleared only to have its kept layer put back is then not filled for
  // nothing, and of two layers put back one after the other only the last is copied.
  void applyPending();
  // Copies layer `level` over the picture: everywhere when the picture shows no layer, else
  // only the tiles drawn on since and those where the two layers differ.
  void copyLayer(int level);
  // Fills the whole picture with the colour, which it then holds plain.
  void fillWhole(Color back);
  int width_;
  int height_;
  double ratio_;
  QImage image_;
  int dpi_ = 0;
  std::unique_ptr<QPainter> painter_;
  std::optional<Color> pendingClear_;
  std::optional<int> pendingLayer_;
  struct KeptLayer {
    QImage image;
    std::string key;
    bool kept = false;
    std::vector<std::uint8_t> own;  // tiles where it differs from the layer below
  };
  static constexpr int kLayers = 2;
  std::array<KeptLayer, kLayers> layers_;
  // The key last offered at each level that was not kept: a second offer of it keeps it.
  std::array<std::string, kLayers> offered_;
  int tilesX_ = 0;
  int tilesY_ = 0;
  std::vector<std::uint8_t> drawn_;    // tiles drawn on since the picture was its layer
  std::vector<std::uint8_t> changed_;  // tiles changed since takeChanged
  std::vector<std::uint8_t> copyTiles_;  // the tiles copyLayer copies
  int shownLayer_ = -1;                // the picture is this kept layer but for the drawn tiles
  // The colour the whole picture was last filled with, and its pixel value, while every tile
  // not marked in `dirty_` still holds it: clearing to it again refills only the marked tiles.
  std::optional<Color> plainColour_;
  QRgb plainPixel_ = 0;
  std::vector<std::uint8_t> dirty_;
  bool allChanged_ = true;
};

}  // namespace plat
