#include "platform/file_names.h"

#include <QByteArray>
#include <QFile>

namespace plat {

QString QPath(const std::string& path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string PathFromQt(const QString& name) { return QFile::encodeName(name).toStdString(); }

std::string ShownPath(const std::string& path) { return QPath(path).toStdString(); }

}  // namespace plat
