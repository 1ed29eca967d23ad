#include "designer/window/controls.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace stagora::designer {
namespace {

// Image pixels a picture box copies to the screen in one piece.
constexpr int kLargestPlainCopy = 32768;

// The picture in memory a painter on a box writes into (the window's backing store), where
// the painter would store a picture of opaque pixels drawn on it unchanged: drawn plainly (no
// clipping of its own, full opacity, source over), unscaled but for the whole pixel ratio of
// the picture, at whole device pixels. Then a piece of the picture copied row by row is what
// drawing it there stores, without the painter's work for every piece. `offset` gets where
// the box's top-left corner lies on it.
QImage* PlainStore(QPainter& p, const QImage& picture, QPoint& offset) {
  QPaintEngine* engine = p.paintEngine();
  if (!engine || engine->type() != QPaintEngine::Raster) return nullptr;
  QPaintDevice* device = engine->paintDevice();
  if (!device || device->devType() != QInternal::Image) return nullptr;
  auto* store = static_cast<QImage*>(device);
  const QImage::Format format = store->format();
  if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) ||
      picture.format() != QImage::Format_RGB32 || !store->isDetached()) {
    return nullptr;
  }
  const double ratio = picture.devicePixelRatio();
  const QTransform t = p.deviceTransform();
  if (ratio != std::floor(ratio) || t.type() > QTransform::TxScale || t.m11() != ratio || t.m22() != ratio ||
      t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy()) || p.hasClipping() || p.opacity() != 1 ||
      p.compositionMode() != QPainter::CompositionMode_SourceOver) {
    return nullptr;
  }
  offset = QPoint(static_cast<int>(t.dx()), static_cast<int>(t.dy()));
  return store;
}

}  // namespace

// --- PictureBox -------------------------------------------------------------------------

PictureBox::PictureBox(QWidget* parent, const char* name, plat::Color back) : QWidget(parent), back_(back) {
  setObjectName(name);
  setAutoFillBackground(false);
  // The box paints every pixel it covers, so what lies behind it is not painted first: the
  // diagram is repainted on every pointer move of a drag.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setBackColor(plat::Color back) {
  back_ = back;
  update();
}

plat::ImageSurface& PictureBox::surface() {
  const int w = std::max(1, width());
  const int h = std::max(1, height());
  const double ratio = onePixelPerPixel_ ? 1.0 : devicePixelRatioF();
  if (!surface_ || surface_->devicePixelRatio() != ratio) {
    surface_ = std::make_unique<plat::ImageSurface>(w, h, ratio);
    surface_->setBackColor(back_);
    surface_->cls();
  } else if (surface_->deviceWidth() != w || surface_->deviceHeight() != h) {
    surface_->setBackColor(back_);
    surface_->resize(w, h);
  }
  return *surface_;
}

void PictureBox::updateChanged() {
  if (!surface_) {
    update();
    return;
  }
  update(surface_->takeChanged());
}

void PictureBox::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  if (!surface_) {
    p.fillRect(e->rect(), ToQColor(back_));
    return;
  }
  // The picture, and the box's colour only where the picture does not reach (a box grown
  // since it was last drawn on).
  const QImage& picture = surface_->image();
  const QRect drawn(QPoint(0, 0), picture.deviceIndependentSize().toSize());
  if (!drawn.contains(e->rect())) {
    for (const QRect& r : QRegion(e->rect()).subtracted(drawn)) p.fillRect(r, ToQColor(back_));
  }
  // Piece by piece, each small: the painter hands a large picture to helper threads, which
  // costs more than the copy itself for a picture this size. The pieces are whole rows of
  // image pixels, so a screen of a fractional pixel ratio gets them unscaled too. Where the
  // painter writes into a plain picture in memory, the pieces are copied into it instead,
  // clipped as the painter clips.
  const double ratio = picture.devicePixelRatio();
  QPoint offset;
  QImage* store = PlainStore(p, picture, offset);
  QRegion copied;
  for (const QRect& r : e->region()) {
    const QRect area = r.intersected(drawn);
    if (area.isEmpty()) continue;
    const QRect source = QRect(QPoint(static_cast<int>(std::floor(area.left() * ratio)),
                                      static_cast<int>(std::floor(area.top() * ratio))),
                               QPoint(static_cast<int>(std::ceil((area.right() + 1) * ratio)) - 1,
                                      static_cast<int>(std::ceil((area.bottom() + 1) * ratio)) - 1))
                             .intersected(picture.rect());
    if (source.isEmpty()) continue;
    if (store) {
      copied += source.translated(offset);
      continue;
    }
    const int rows = std::max(1, kLargestPlainCopy / source.width());
    for (int y = source.top(); y <= source.bottom(); y += rows) {
      const QRect piece(source.left(), y, source.width(), std::min(rows, source.bottom() + 1 - y));
      p.drawImage(QRectF(piece.left() / ratio, piece.top() / ratio, piece.width() / ratio, piece.height() / ratio),
                  picture, piece);
    }
  }
  if (!store) return;
  copied &= store->rect();
  const QRegion clip = p.paintEngine()->systemClip();  // on the device; none: all of it
  if (!clip.isEmpty()) copied &= clip;
  const qsizetype storeStride = store->bytesPerLine(), pictureStride = picture.bytesPerLine();
  uchar* const storeBits = store->bits();
  const uchar* const pictureBits = picture.constBits();
  for (const QRect& piece : copied) {
    uchar* to = storeBits + piece.top() * storeStride + piece.left() * 4;
    const uchar* from = pictureBits + (piece.top() - offset.y()) * pictureStride + (piece.left() - offset.x()) * 4;
    const auto bytes = static_cast<std::size_t>(piece.width()) * 4;
    for (int y = piece.height(); y > 0; --y, to += storeStride, from += pictureStride) std::memcpy(to, from, bytes);
  }
}

// --- ClientArea -------------------------------------------------------------------------

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
  setObjectName("ClientArea");
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void ClientArea::resizeEvent(QResizeEvent*) {
  if (onResize) onResize();
}

// --- Controls on a plain background -------------------------------------------------------

namespace {

class PlainBackground : public QObject {
 public:
  PlainBackground(QWidget* control, std::function<plat::Color()> behind)
      : QObject(control), behind_(std::move(behind)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      auto* w = static_cast<QWidget*>(watched);
      QPainter p(w);
      p.fillRect(static_cast<QPaintEvent*>(event)->rect(), ToQColor(behind_()));
    }
    return false;
  }

 private:
  std::function<plat::Color()> behind_;
};

}  // namespace

void PaintOnPlainBackground(QWidget* control, std::function<plat::Color()> behind) {
  control->installEventFilter(new PlainBackground(control, std::move(behind)));
  control->setAttribute(Qt::WA_OpaquePaintEvent);
}

}  // namespace stagora::designer
