#include "platform/paths.h"

#include "platform/textfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <ctime>
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

bool ClaimPrivateFolder(const std::string& path) {
  ::mkdir(path.c_str(), 0700);
  return IsOwnFolder(path, true);
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

bool ClaimScratchFolder(const std::string& folder) {
  ::mkdir(folder.c_str(), 0700);
  // Opened without following a link, so that what is checked, and made private, is the
  // folder itself.
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool own = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 022) == 0;
  if (own && (st.st_mode & 077) != 0) own = ::fchmod(fd, st.st_mode & 07700) == 0;
  ::close(fd);
  return own;
}

void RemoveStaleScratchFiles(const std::string& tempPath) {
  constexpr std::time_t kStaleAfter = 24 * 60 * 60;
  if (tempPath.empty()) return;
  const std::string folder = JoinPath(tempPath, kScratchName);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return;
  struct stat own {};
  if (::fstat(fd, &own) != 0 || own.st_uid != ::getuid()) {
    ::close(fd);
    return;
  }
  DIR* entries = ::fdopendir(fd);  // takes fd over
  if (!entries) {
    ::close(fd);
    return;
  }
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(entries)) {
    const std::string_view name = entry->d_name;
    if (!name.ends_with(".rex") && !name.ends_with(".jpg")) continue;
    struct stat st {};
    if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(st.st_mode) && st.st_uid == ::getuid() && now - st.st_mtime >= kStaleAfter) {
      ::unlinkat(fd, entry->d_name, 0);
    }
  }
  ::closedir(entries);
}

std::string ComputeTempPath() {
  const char* tmpdir = std::getenv("TMPDIR");
  const std::string own = tmpdir && *tmpdir ? StripTrailingSeparator(tmpdir) : std::string();
  if (!own.empty() && ClaimScratchFolder(ScratchFolderOf(own))) return own;

  // Somebody else has that scratch folder, or a link stands there: a folder of our own.
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
    if (ClaimPrivateFolder(folder) && ClaimScratchFolder(ScratchFolderOf(folder))) return folder;
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
