#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <optional>

#include "platform/surface.h"

namespace plat {

struct Picture::Impl {
  QImage image;

  // The picture as a page picture last drew it, with what lay beneath it then: a page is
  // drawn again at every zoom, page turn and repaint, and filtering the picture into its
  // rectangle is a good part of the cost of a page. Drawn on the same pixels in the same
  // way, it gives the same pixels.
  struct Drawn {
    QRectF target;                  // in device pixels
    QPainter::RenderHints hints;
    QImage before, after;           // the pixels of the rectangle it touches; empty until it came twice
  };
  mutable std::optional<Drawn> drawn;
};

}  // namespace plat
