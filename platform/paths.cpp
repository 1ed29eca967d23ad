#include "platform/paths.h"

#include "platform/textfile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
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
  return IsOwnFolder(folder, false);
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
