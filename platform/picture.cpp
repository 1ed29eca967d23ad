#include <QFile>
#include <QImage>
#include <QImageReader>

#include "platform/picture_impl.h"
#include "platform/encoding.h"
#include "platform/png_chunks.h"

namespace plat {

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(const Picture&) = default;
Picture& Picture::operator=(const Picture&) = default;

Picture Picture::Load(const std::string& path) {
  Picture p;
  const QString name = QString::fromStdU16String(Cp1252ToUtf16(path));
  {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return p;
    const QByteArray bytes = file.readAll();
    if (!PngChunksFit(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) return p;
  }
  QImageReader reader(name);
  reader.setAutoTransform(true);
  QImage img = reader.read();
  if (!img.isNull()) p.impl_ = std::make_shared<Impl>(Impl{std::move(img)});
  return p;
}

bool Picture::isNull() const { return !impl_ || impl_->image.isNull(); }
int Picture::widthPx() const { return impl_ ? impl_->image.width() : 0; }
int Picture::heightPx() const { return impl_ ? impl_->image.height() : 0; }

}  // namespace plat
