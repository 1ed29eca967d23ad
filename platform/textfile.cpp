#include "platform/textfile.h"

#include "platform/encoding.h"
#include "platform/file_replacement.h"

#include <QFileInfo>
#include <QString>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace plat {
namespace {

// Paths are Windows-1252 text like every other string of the programs; the file system
// stores names in UTF-8.
std::string Native(const std::string& path) { return Cp1252ToUtf8(path); }

void Fill(FileError* err, int number) {
  if (!err) return;
  err->number = number;
  err->description = std::strerror(number);
}

}  // namespace

std::optional<std::string> ReadTextFile(const std::string& path, FileError* err) {
  errno = 0;
  std::FILE* f = std::fopen(Native(path).c_str(), "rb");
  if (!f) {
    Fill(err, errno ? errno : ENOENT);
    return std::nullopt;
  }
  std::string bytes;
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  const bool bad = std::ferror(f);
  std::fclose(f);
  if (bad) {
    Fill(err, EIO);
    return std::nullopt;
  }
  return bytes;
}

bool WriteTextFile(const std::string& path, const std::string& bytes, FileError* err) {
  FileReplacement file(path);
  if (file.open() && file.write(bytes) && file.commit()) return true;
  if (err) *err = file.error();
  return false;
}

bool WriteScratchFile(const std::string& path, const std::string& bytes, FileError* err) {
  FileReplacement file(path, FileReplacement::Keep::Scratch);
  if (file.open() && file.write(bytes) && file.commit()) return true;
  if (err) *err = file.error();
  return false;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(Native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(Native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(const std::string& path, FileError* err) {
  if (::unlink(Native(path).c_str()) == 0) return true;
  Fill(err, errno);
  return false;
}

bool CreateDirectory(const std::string& path) {
  if (DirectoryExists(path)) return true;
  return ::mkdir(Native(path).c_str(), 0700) == 0 || DirectoryExists(path);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string FolderOf(const std::string& path) {
  const std::size_t at = path.find_last_of("/\\");
  return at == std::string::npos ? std::string() : path.substr(0, at);
}

std::optional<FileError> CannotReplace(const std::string& path) {
  const QFileInfo entry(QString::fromStdString(Native(path)));
  if (!entry.exists()) return std::nullopt;
  FileError err;
  if (entry.isDir()) {
    Fill(&err, EISDIR);
    return err;
  }
  if (!entry.isWritable()) {
    Fill(&err, EACCES);
    return err;
  }
  return std::nullopt;
}

}  // namespace plat
