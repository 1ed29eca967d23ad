#include <QImage>
#include <QImageReader>

#include "platform/picture_impl.h"
#include "platform/encoding.h"

namespace plat {

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(const Picture&) = default;
Picture& Picture::operator=(const Picture&) = default;

Picture Picture::Load(const std::string& path) {
  Picture p;
  QImageReader reader(QString::fromStdU16String(Cp1252ToUtf16(path)));
  reader.setAutoTransform(true);
  QImage img = reader.read();
  if (!img.isNull()) p.impl_ = std::make_shared<Impl>(Impl{std::move(img)});
  return p;
}

bool Picture::isNull() const { return !impl_ || impl_->image.isNull(); }
int Picture::widthPx() const { return impl_ ? impl_->image.width() : 0; }
int Picture::heightPx() const { return impl_ ? impl_->image.height() : 0; }

}  // namespace plat
