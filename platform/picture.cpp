#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <optional>

#include "platform/file_names.h"
#include "platform/picture_impl.h"
#include "platform/png_chunks.h"
#include "platform/textfile.h"

namespace plat {
namespace {

// What follows the last "." of the name's last component, in lower case; "" without one.
QByteArray Extension(const std::string& path) {
  const std::string name = NamePart(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? QByteArray() : QByteArray::fromStdString(name.substr(dot + 1)).toLower();
}

}  // namespace

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
  // The name's extension is the first guess at the format, as when a reader opens the file;
  // taken from the name's own bytes, like the file.
  QImageReader reader(&buffer, Extension(path));
  reader.setAutoTransform(true);
  QImage img = reader.read();
  if (!img.isNull()) p.impl_ = std::make_shared<Impl>(Impl{std::move(img)});
  return p;
}

bool Picture::isNull() const { return !impl_ || impl_->image.isNull(); }
int Picture::widthPx() const { return impl_ ? impl_->image.width() : 0; }
int Picture::heightPx() const { return impl_ ? impl_->image.height() : 0; }

}  // namespace plat
