#include "platform/file_names.h"

#include <QByteArray>
#include <QFile>
#include <cstdlib>
#include <memory>

namespace plat {

QString QPath(const std::string& path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string PathFromQt(const QString& name) { return QFile::encodeName(name).toStdString(); }

std::string FolderPart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NamePart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string BaseNamePart(const std::string& path) {
  std::string name = NamePart(path);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

bool SameFolder(const std::string& a, const std::string& b) {
  const auto real = [](const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : path;
  };
  return real(a) == real(b);
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  std::string folder = home ? home : "";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder.empty() ? "/" : folder;
}

std::string ShownPath(const std::string& path) { return QPath(path).toStdString(); }

}  // namespace plat
