#pragma once

#include <QImage>

#include "platform/surface.h"

namespace plat {

struct Picture::Impl {
  QImage image;
};

}  // namespace plat
