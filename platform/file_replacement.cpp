#include "platform/file_replacement.h"

#include <QIODevice>
#include <QRandomGenerator>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>

namespace plat {
namespace {

// The kernel's own bound on links followed in one path.
constexpr int kMostLinks = 40;
// Longest name of one folder entry, in bytes.
constexpr std::size_t kLongestName = NAME_MAX;
constexpr int kRandomLetters = 6;
// Names tried before giving up when every one is taken.
constexpr int kTemporaryAttempts = 100;
constexpr std::size_t kBufferSize = 64 * 1024;
// st_blocks counts blocks of this many bytes.
constexpr off_t kStatBlockSize = 512;

std::atomic<bool> unnamedAllowed{true};

// The name under which the file open at fd can be linked into a folder by anyone who holds the
// descriptor (a link of the descriptor itself needs a privilege users do not have).
std::string DescriptorPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

// Whether that name reaches the file (without /proc it does not, and the file could never be
// given a name).
bool ReachableByDescriptorPath(int fd) {
  struct stat own {};
  struct stat named {};
  return ::fstat(fd, &own) == 0 && ::stat(DescriptorPath(fd).c_str(), &named) == 0 && own.st_dev == named.st_dev &&
         own.st_ino == named.st_ino;
}

int ReserveRoom(int fd, off_t size) { return ::fallocate(fd, 0, 0, size) == 0 ? 0 : errno; }

// How many bytes from the start of the file can be written without a block it does not hold
// yet: its content up to the first hole, and without holes also the rest of its last block,
// never more than the blocks it holds (which also count a file system's own bookkeeping).
off_t HeldRoom(int fd, const struct stat& st) {
  off_t room = st.st_size;
  struct statvfs fs {};
  if (::fstatvfs(fd, &fs) == 0 && fs.f_frsize > 0) {
    const auto block = static_cast<off_t>(fs.f_frsize);
    room = (st.st_size + block - 1) / block * block;
  }
  room = std::min(room, static_cast<off_t>(st.st_blocks) * kStatBlockSize);
  // A sparse file holds no block at a hole, whatever it holds elsewhere.
  const off_t hole = ::lseek(fd, 0, SEEK_HOLE);
  if (hole < 0) {
    room = std::min(room, st.st_size);
  } else if (hole < st.st_size) {
    room = std::min(room, hole);
  }
  return room;
}

// The file a path finally names: links are followed one by one, so a link whose target does
// not exist yet still names where the file will be. 0, or the errno that stopped the walk.
int ResolveLinks(std::string& path) {
  for (int hop = 0; hop < kMostLinks; ++hop) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    if (n < 0) return errno;
    std::string next(target, static_cast<std::size_t>(n));
    if (next.empty()) return ENOENT;
    if (next.front() != '/') {
      const std::size_t slash = path.rfind('/');
      next = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + next;
    }
    path = std::move(next);
  }
  return ELOOP;
}

// "." + the name + "." + random letters, cut to the longest name an entry may have, and cut
// between characters, not inside one.
std::string TemporaryName(const std::string& name) {
  const std::size_t room = kLongestName - 2 - kRandomLetters;
  std::size_t keep = std::min(name.size(), room);
  while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string out = "." + name.substr(0, keep) + ".";
  for (int i = 0; i < kRandomLetters; ++i) out += kLetters[QRandomGenerator::global()->bounded(62)];
  return out;
}

}  // namespace

// Writes straight to the temporary file through a buffer of its own; the first failure is
// kept, so that nothing written after it can pass for success. Without a file (fd -1) it
// holds everything written until the file is written in place.
class FileReplacement::Device final : public QIODevice {
 public:
  explicit Device(int fd) : fd_(fd) {
    if (fd_ >= 0) buffer_.reserve(kBufferSize);
  }
  int failure() const { return failure_; }
  const std::string& held() const { return buffer_; }
  bool drain() {
    if (fd_ < 0) return true;
    std::size_t done = 0;
    while (failure_ == 0 && done < buffer_.size()) {
      const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (n < 0) {
        if (errno != EINTR) failure_ = errno;
      } else if (n == 0) {
        failure_ = EIO;
      } else {
        done += static_cast<std::size_t>(n);
      }
    }
    buffer_.clear();
    return failure_ == 0;
  }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 length) override {
    if (failure_ != 0) return -1;
    const auto n = static_cast<std::size_t>(length);
    if (fd_ < 0) {
      buffer_.append(data, n);
      return length;
    }
    if (buffer_.size() + n > kBufferSize && !drain()) return -1;
    if (n >= kBufferSize) {
      buffer_.assign(data, n);
      return drain() ? length : -1;
    }
    buffer_.append(data, n);
    return length;
  }

 private:
  int fd_;
  int failure_ = 0;
  std::string buffer_;
};

FileReplacement::FileReplacement(std::string path, Keep keep) : path_(std::move(path)), keep_(keep) {}

FileReplacement::~FileReplacement() { cancel(); }

bool FileReplacement::fail(int number) { return fail(SystemError(number ? number : EIO)); }

bool FileReplacement::fail(const FileError& error) {
  error_ = error;
  cancel();
  return false;
}

bool FileReplacement::open() {
  cancel();
  error_ = {};
  inPlace_ = false;
  replacesFile_ = false;
  std::string target = path_;
  if (target.empty()) return fail(ENOENT);
  // A scratch file is the scratch folder's own: a link found at its name is replaced.
  const bool followLinks = keep_ == Keep::Durable;
  if (const int err = followLinks ? ResolveLinks(target) : 0) return fail(err);

  // Everything from here on is named from the file's folder, so that the temporary's longer
  // name counts against the longest name a folder entry may have, never against the longest
  // path: a file whose path is within a few bytes of that limit saves as well.
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
  name_ = slash == std::string::npos ? target : target.substr(slash + 1);
  if (name_.empty()) return fail(EISDIR);
  folder_ = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0) return fail(errno);

  struct stat st {};
  const bool found = ::fstatat(folder_, name_.c_str(), &st, followLinks ? 0 : AT_SYMLINK_NOFOLLOW) == 0;
  if (!found && errno != ENOENT) return fail(errno);
  // A link that is left (a scratch file's) is no file to keep anything of.
  if (found && !S_ISLNK(st.st_mode)) {
    if (S_ISDIR(st.st_mode)) return fail(EISDIR);
    // A pipe, a device or a socket is no file to put content in, nor to put a file in place of.
    if (!S_ISREG(st.st_mode)) return fail(NotARegularFile(st.st_mode));
    // Replacing would succeed in a writable folder, but a file its owner protected stays.
    if (::faccessat(folder_, name_.c_str(), W_OK, 0) != 0) return fail(errno);
    replacesFile_ = true;
    mode_ = st.st_mode & 07777;
    owner_ = st.st_uid;
    group_ = st.st_gid;
  }

  if (const int err = createTemporary()) {
    // A file the user may write, in a folder the user may not: written where it is.
    if (replacesFile_ && (err == EACCES || err == EPERM)) return openInPlace();
    return fail(err);
  }
  // Someone else's file, renamed over by one of the user's, would no longer be its owner's to
  // write: unless the temporary can be given to its owner, the file is written where it is.
  // Nothing is written yet, so giving up the temporary loses nothing.
  if (replacesFile_ && !temporaryKeepsOwner()) {
    dropTemporary();
    return openInPlace();
  }
  device_ = std::make_unique<Device>(fd_);
  device_->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  return true;
}

int FileReplacement::createTemporary() {
  // A new file gets the permissions the user's umask gives every new file; a replaced one
  // gets its old ones back on commit, and until then no one else may read the new content.
  const mode_t creation = replacesFile_ ? 0600 : 0666;
  if (createUnnamedTemporary(creation) == 0) return 0;
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    const std::string candidate = TemporaryName(name_);
    fd_ = ::openat(folder_, candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, creation);
    if (fd_ >= 0) {
      temporary_ = candidate;
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

int FileReplacement::createUnnamedTemporary(unsigned creation) {
  if (!unnamedAllowed) return EOPNOTSUPP;
  // Refused where the file system has no such files (and by kernels that do not know them);
  // any refusal is left to the named temporary, which then gives the reason if it fails too.
  const int fd = ::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, static_cast<mode_t>(creation));
  if (fd < 0) return errno;
  if (!ReachableByDescriptorPath(fd)) {
    ::close(fd);
    return EOPNOTSUPP;
  }
  fd_ = fd;
  unnamed_ = true;
  return 0;
}

int FileReplacement::nameTemporary() {
  // Under a hidden name of its own first: the rename that follows puts it in place of the old
  // file in one step, as it does for a named temporary.
  const std::string source = DescriptorPath(fd_);
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    const std::string candidate = TemporaryName(name_);
    if (::linkat(AT_FDCWD, source.c_str(), folder_, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temporary_ = candidate;
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

bool FileReplacement::temporaryKeepsOwner() {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return false;
  if (st.st_uid == owner_ && st.st_gid == group_) return true;
  return ::fchown(fd_, owner_, group_) == 0;
}

bool FileReplacement::openInPlace() {
  // Not truncated yet: the content is held until commit, and the file stays as it was until then.
  // Without blocking, so that a pipe put there since the check is refused instead of waited on.
  fd_ = ::openat(folder_, name_.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return fail(errno);
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return fail(errno);
  if (!S_ISREG(st.st_mode)) return fail(NotARegularFile(st.st_mode));
  inPlace_ = true;
  device_ = std::make_unique<Device>(-1);
  device_->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  return true;
}

QIODevice* FileReplacement::device() { return device_.get(); }

FileError FileReplacement::error() const {
  if (error_.number == 0 && device_ && device_->failure() != 0) {
    return SystemError(device_->failure());
  }
  return error_;
}

bool FileReplacement::write(std::string_view bytes) {
  if (!device_) return false;
  if (device_->write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size())) return true;
  return fail(device_->failure());
}

bool FileReplacement::commit() {
  if (!device_) {
    if (error_.number == 0) error_ = SystemError(EBADF);
    return false;
  }
  if (inPlace_) return commitInPlace();
  if (!device_->drain()) return fail(device_->failure());
  if (replacesFile_ && ::fchmod(fd_, mode_) != 0) return fail(errno);
  if (keep_ == Keep::Durable && ::fsync(fd_) != 0) return fail(errno);
  if (unnamed_) {
    if (const int err = nameTemporary()) return fail(err);
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return fail(errno);
  if (::renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0) return fail(errno);
  temporary_.clear();
  cancel();
  return true;
}

bool FileReplacement::commitInPlace() {
  const FileError error = WriteInPlace(fd_, device_->held(), keep_ == Keep::Durable);
  if (error.number != 0) return fail(error);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return fail(errno);
  cancel();
  return true;
}

void FileReplacement::dropTemporary() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlinkat(folder_, temporary_.c_str(), 0);
  temporary_.clear();
  unnamed_ = false;
}

void FileReplacement::cancel() {
  if (device_) device_->close();
  device_.reset();
  inPlace_ = false;
  dropTemporary();
  if (folder_ >= 0) ::close(folder_);
  folder_ = -1;
}

FileError WriteInPlace(int fd, std::string_view bytes, bool durable, const RoomReservation& reserve) {
  const auto failure = [](int number) { return SystemError(number ? number : EIO); };
  const auto size = static_cast<off_t>(bytes.size());
  struct stat st {};
  if (::fstat(fd, &st) != 0) return failure(errno);
  // The room is taken first, so that a full disk or the file-size limit is met while the
  // old content is still whole; what the reservation added is given back when it fails.
  if (size > 0) {
    const int err = reserve ? reserve(fd, size) : ReserveRoom(fd, size);
    if (err == EOPNOTSUPP || err == ENOSYS) {
      // Nothing can be reserved here (ext3, many network and FUSE shares): only what the file
      // already holds blocks for is sure to be written whole; writing more could stop half-way
      // on a full disk with the old content gone.
      if (size > HeldRoom(fd, st)) {
        return {err, "This file system cannot reserve room for the new content, which needs more room than the "
                     "file has now, so it was not written: the file is unchanged."};
      }
    } else if (err != 0) {
      struct stat now {};
      if (::fstat(fd, &now) == 0 && now.st_size != st.st_size) (void)::ftruncate(fd, st.st_size);
      return failure(err);
    }
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return failure(n < 0 ? errno : EIO);
    done += static_cast<std::size_t>(n);
  }
  if (::ftruncate(fd, size) != 0) return failure(errno);
  if (durable && ::fsync(fd) != 0) return failure(errno);
  return {};
}

void SetUnnamedTemporariesAllowed(bool allowed) { unnamedAllowed = allowed; }

}  // namespace plat
