#include "platform/textfile.h"

#include "platform/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace plat {
namespace {

void Fill(FileError* err, int number) {
  if (err) *err = SystemError(number);
}

void Fill(FileError* err, int number, std::string description) {
  if (!err) return;
  err->number = number;
  err->description = std::move(description);
}

std::string KindOf(mode_t mode) {
  if (S_ISFIFO(mode)) return "a named pipe (FIFO)";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "no regular file";
}

// Why the entry cannot be read as a file of at most `largest` bytes; true when it can.
bool Readable(const struct stat& st, std::uint64_t largest, FileError* err) {
  if (S_ISDIR(st.st_mode)) {
    Fill(err, EISDIR, "This is a folder, not a file.");
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    if (err) *err = NotARegularFile(st.st_mode);
    return false;
  }
  if (static_cast<std::uint64_t>(st.st_size) > largest) {
    Fill(err, EFBIG,
         "The file holds " + std::to_string(st.st_size) + " bytes, more than the " + std::to_string(largest) +
             " a file of this kind can hold.");
    return false;
  }
  return true;
}

// The file's bytes, at most `upTo` of them (the whole file when it is no longer).
std::optional<std::string> ReadRegularFile(const std::string& path, FileError* err, std::uint64_t largest,
                                           std::size_t upTo) {
  // Looked at before it is opened, so that no device is even opened; and again once open, as
  // the entry may have been swapped in between. The open itself never waits: a FIFO without
  // a writer would hold it for ever.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    Fill(err, errno ? errno : ENOENT);
    return std::nullopt;
  }
  if (!Readable(st, largest, err)) return std::nullopt;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    Fill(err, errno ? errno : ENOENT);
    return std::nullopt;
  }
  std::optional<std::string> bytes;
  if (::fstat(fd, &st) != 0) {
    Fill(err, errno ? errno : EIO);
  } else if (Readable(st, largest, err)) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::string text;
    text.reserve(std::min(static_cast<std::size_t>(st.st_size), upTo));
    char buf[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buf, std::min(sizeof buf, upTo - text.size()));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        Fill(err, errno ? errno : EIO);
        break;
      }
      if (n == 0 || text.size() + static_cast<std::size_t>(n) == upTo) {
        text.append(buf, static_cast<std::size_t>(n));
        bytes = std::move(text);
        break;
      }
      text.append(buf, static_cast<std::size_t>(n));
      // A file that grows while it is read is held to the same limit.
      if (text.size() > largest) {
        st.st_size = static_cast<off_t>(text.size());
        Readable(st, largest, err);
        break;
      }
    }
  }
  ::close(fd);
  return bytes;
}

}  // namespace

FileError SystemError(int number) { return {number, std::strerror(number)}; }

FileError NotARegularFile(unsigned mode) { return {EINVAL, "This is " + KindOf(mode) + ", not a file."}; }

std::optional<std::string> ReadTextFile(const std::string& path, FileError* err, std::uint64_t largest) {
  return ReadRegularFile(path, err, largest, std::numeric_limits<std::size_t>::max());
}

std::optional<std::string> ReadFileStart(const std::string& path, std::size_t count, FileError* err) {
  return ReadRegularFile(path, err, kAnyFileSize, count);
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
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(const std::string& path, FileError* err) {
  if (::unlink(path.c_str()) == 0) return true;
  Fill(err, errno);
  return false;
}

bool CreateDirectory(const std::string& path) {
  if (DirectoryExists(path)) return true;
  return ::mkdir(path.c_str(), 0700) == 0 || DirectoryExists(path);
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
  // Asked by the name's bytes: a name that is no UTF-8 would reach Qt as another, missing file.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  FileError err;
  if (S_ISDIR(st.st_mode)) {
    Fill(&err, EISDIR);
    return err;
  }
  if (::access(path.c_str(), W_OK) != 0) {
    Fill(&err, EACCES);
    return err;
  }
  return std::nullopt;
}

}  // namespace plat
