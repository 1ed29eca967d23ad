#include "platform/paths.h"

#include "platform/file_names.h"
#include "platform/textfile.h"

#include <QRandomGenerator>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <map>
#include <set>
#include <string_view>
#include <vector>

namespace plat {
namespace {

std::string StripTrailingSeparator(std::string p) {
  while (p.size() > 1 && (p.back() == '/' || p.back() == '\\')) p.pop_back();
  return p;
}

// A folder of this user's (lstat: a link is no folder) that no one else may write into, or,
// with `privateOnly`, enter at all.
bool IsOwnFolder(const std::string& path, bool privateOnly) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return false;
  const mode_t others = privateOnly ? 077 : 022;
  return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & others) == 0;
}

// A scratch folder is of use only where files can be made: not on a file system mounted
// read-only, say, where every report would fail.
bool ScratchFolderWritable(const std::string& tempPath) {
  return ::access(ScratchFolderOf(tempPath).c_str(), W_OK | X_OK) == 0;
}

bool ClaimPrivateFolder(const std::string& path) {
  ::mkdir(path.c_str(), 0700);
  return IsOwnFolder(path, true);
}

// Scratch files and the lock files of their claims (see ScratchClaim) are this old before the
// clean-up takes them: an open viewer may still be showing a younger one.
constexpr std::time_t kStaleAfter = 24 * 60 * 60;
constexpr std::string_view kClaimPrefix = "stgr_run";
constexpr std::string_view kClaimExtension = ".lock";
// A claim lists a few names per report; more than this is no claim of ours.
constexpr std::size_t kLargestClaim = 1024 * 1024;
// Claims made before giving up when every name drawn is taken.
constexpr int kClaimAttempts = 100;

bool IsClaimName(std::string_view name) {
  return name.starts_with(kClaimPrefix) && name.ends_with(kClaimExtension);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The claim file `name` of the scratch folder open at `folder`: the names it holds when a
// running program keeps it locked. Otherwise nothing; the claim of a program that ended is
// removed once it is stale. A claim whose lock cannot even be asked about is taken to be held,
// so that nothing is lost on a file system that keeps no locks.
void ReadClaim(int folder, const char* name, std::time_t now, std::set<std::string>& held) {
  const int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid()) {
    ::close(fd);
    return;
  }
  if (::flock(fd, LOCK_SH | LOCK_NB) == 0) {
    // Nobody holds it: what it lists is nobody's, and it goes as the files it listed do.
    if (now - st.st_mtime >= kStaleAfter) ::unlinkat(folder, name, 0);
    ::close(fd);
    return;
  }
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || text.size() > kLargestClaim) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    held.insert(text.substr(start, end - start));
  }
}

// The names the running programs' claims in the scratch folder open at `folder` hold.
std::set<std::string> HeldNames(int folder, const std::vector<std::string>& names, std::time_t now) {
  std::set<std::string> held;
  for (const std::string& name : names) {
    if (IsClaimName(name)) ReadClaim(folder, name.c_str(), now, held);
  }
  return held;
}

// The entries of the folder open at `folder` (taken over, and closed).
std::vector<std::string> FolderEntries(int folder) {
  std::vector<std::string> names;
  DIR* entries = ::fdopendir(folder);
  if (!entries) {
    ::close(folder);
    return names;
  }
  while (const dirent* entry = ::readdir(entries)) names.emplace_back(entry->d_name);
  ::closedir(entries);
  return names;
}

std::string& Program() {
  static std::string folder;
  return folder;
}

}  // namespace

std::string ScratchFolderOf(const std::string& tempPath) { return JoinPath(tempPath, kScratchName); }

std::string TrimTrailingSeparator(std::string folder) {
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

bool ClaimScratchFolder(const std::string& folder, FileError* why) {
  const int made = ::mkdir(folder.c_str(), 0700) == 0 ? 0 : errno;
  const auto refused = [&] {
    if (!why) return false;
    // Missing, and it cannot be made (a read-only or full file system): that is the reason.
    if (made != 0 && made != EEXIST) {
      *why = SystemError(made);
    } else {
      *why = {EPERM, "The scratch folder is not a folder of this user's that only this user may write into."};
    }
    return false;
  };
  // Opened without following a link, so that what is checked, and made private, is the
  // folder itself.
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return refused();
  struct stat st {};
  bool own = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 022) == 0;
  if (own && (st.st_mode & 077) != 0) own = ::fchmod(fd, st.st_mode & 07700) == 0;
  ::close(fd);
  return own || refused();
}

void RemoveStaleScratchFiles(const std::string& tempPath) {
  if (tempPath.empty()) return;
  const std::string folder = JoinPath(tempPath, kScratchName);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return;
  struct stat own {};
  if (::fstat(fd, &own) != 0 || own.st_uid != ::getuid()) {
    ::close(fd);
    return;
  }
  const std::vector<std::string> names = FolderEntries(::dup(fd));
  // What running programs hold is known before anything goes.
  const std::time_t now = std::time(nullptr);
  const std::set<std::string> held = HeldNames(fd, names, now);
  for (const std::string& name : names) {
    if (!name.ends_with(".rex") && !name.ends_with(".jpg")) continue;
    if (held.contains(name)) continue;
    struct stat st {};
    if (::fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(st.st_mode) && st.st_uid == ::getuid() && now - st.st_mtime >= kStaleAfter) {
      ::unlinkat(fd, name.c_str(), 0);
    }
  }
  ::close(fd);
}

void RemoveUnheldScratchFiles(const std::vector<std::string>& paths) {
  std::map<std::string, std::set<std::string>> heldIn;  // by folder, read once each
  const std::time_t now = std::time(nullptr);
  for (const std::string& path : paths) {
    const std::string folder = FolderPart(path);
    auto held = heldIn.find(folder);
    if (held == heldIn.end()) {
      std::set<std::string> names;
      if (const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); fd >= 0) {
        names = HeldNames(fd, FolderEntries(::dup(fd)), now);
        ::close(fd);
      }
      held = heldIn.emplace(folder, std::move(names)).first;
    }
    if (!held->second.contains(NamePart(path))) RemoveFile(path);
  }
}

ScratchClaim::~ScratchClaim() { release(); }

bool ScratchClaim::hold(const std::string& path) {
  const std::string folder = FolderPart(path);
  const std::string name = NamePart(path);
  if (name.empty() || name.find('\n') != std::string::npos) return false;
  if (fd_ < 0) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < kClaimAttempts && fd_ < 0; ++attempt) {
      std::string claim = std::string(kClaimPrefix) + std::to_string(::getpid()) + "-";
      for (int i = 0; i < 6; ++i) claim += kLetters[QRandomGenerator::global()->bounded(36)];
      claim += kClaimExtension;
      const std::string lockFile = JoinPath(folder, claim);
      // Locked at once: until it is a day old no clean-up takes a claim nobody holds, so the
      // moment before the lock is no danger.
      const int fd = ::open(lockFile.c_str(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
      if (fd < 0) {
        if (errno == EEXIST) continue;
        return false;
      }
      if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        ::unlink(lockFile.c_str());
        return false;
      }
      fd_ = fd;
      folder_ = folder;
      lockFile_ = lockFile;
    }
    if (fd_ < 0) return false;
  } else if (folder != folder_) {
    return false;
  }
  if (names_.contains(name)) return true;
  if (!WriteAll(fd_, name + "\n")) return false;
  names_.insert(name);
  return true;
}

void ScratchClaim::release() {
  if (fd_ < 0) return;
  // Removed while still locked, so that no clean-up sees it let go with files still listed.
  ::unlink(lockFile_.c_str());
  ::close(fd_);
  fd_ = -1;
  lockFile_.clear();
  folder_.clear();
  names_.clear();
}

std::string ComputeTempPath() {
  const char* tmpdir = std::getenv("TMPDIR");
  const std::string own = tmpdir && *tmpdir ? StripTrailingSeparator(tmpdir) : std::string();
  if (!own.empty() && ClaimScratchFolder(ScratchFolderOf(own)) && ScratchFolderWritable(own)) return own;

  // Somebody else has that scratch folder, or a link stands there, or nothing can be written
  // there: a folder of our own.
  const std::string user = std::to_string(::getuid());
  std::vector<std::string> fallbacks;
  if (!own.empty()) fallbacks.push_back(JoinPath(own, "stagora-" + user));
  fallbacks.push_back("/tmp/stagora-" + user);
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    fallbacks.push_back(JoinPath(StripTrailingSeparator(runtime), "stagora"));
  }
  std::string cache;
  if (const char* home = std::getenv("HOME"); home && *home) {
    cache = JoinPath(StripTrailingSeparator(home), ".cache");
    fallbacks.push_back(JoinPath(cache, "stagora"));
  }
  for (const std::string& folder : fallbacks) {
    // ~/.cache is made only when it comes to that, not at every start.
    if (!cache.empty() && FolderOf(folder) == cache) ::mkdir(cache.c_str(), 0700);
    if (ClaimPrivateFolder(folder) && ClaimScratchFolder(ScratchFolderOf(folder)) && ScratchFolderWritable(folder)) {
      return folder;
    }
  }
  return "";
}

const std::string& ProgramFolder() {
  if (Program().empty()) Program() = ExecutableFolder();
  return Program();
}

void SetProgramFolder(const std::string& folder) { Program() = StripTrailingSeparator(folder); }

std::string ExecutableFolder() {
  char buf[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "";
  std::string exe(buf, static_cast<std::size_t>(n));
  const auto slash = exe.rfind('/');
  return slash == std::string::npos ? "" : exe.substr(0, slash);
}

}  // namespace plat
