#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <optional>

#include "platform/file_names.h"
#include "platform/picture_impl.h"
#include "platform/png_chunks.h"
#include "platform/textfile.h"

namespace plat {

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(const Picture&) = default;
Picture& Picture::operator=(const Picture&) = default;

Picture Picture::Load(const std::string& path) {
  Picture p;
  // Read once, by the reader that takes regular files only, and decoded from memory.
  const std::optional<std::string> bytes = ReadTextFile(path);
  if (!bytes || !PngChunksFit(*bytes)) return p;
  QByteArray data = QByteArray::fromStdString(*bytes);
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  // The name's extension is the first guess at the format, as when a reader opens the file.
  QImageReader reader(&buffer, QFileInfo(QPath(path)).suffix().toLower().toLatin1());
  reader.setAutoTransform(true);
  QImage img = reader.read();
  if (!img.isNull()) p.impl_ = std::make_shared<Impl>(Impl{std::move(img)});
  return p;
}

bool Picture::isNull() const { return !impl_ || impl_->image.isNull(); }
int Picture::widthPx() const { return impl_ ? impl_->image.width() : 0; }
int Picture::heightPx() const { return impl_ ? impl_->image.height() : 0; }

}  // namespace plat
