#include "platform/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace plat {
namespace {

std::string StripTrailingSeparator(std::string p) {
  while (p.size() > 1 && (p.back() == '/' || p.back() == '\\')) p.pop_back();
  return p;
}

bool IsPrivateDirOfUser(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return false;
  return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

std::string& Program() {
  static std::string folder;
  return folder;
}

}  // namespace

std::string ComputeTempPath() {
  if (const char* env = std::getenv("TMPDIR"); env && *env) return StripTrailingSeparator(env);
  const std::string base = "/tmp/stagora-" + std::to_string(::getuid());
  if (!IsPrivateDirOfUser(base)) {
    ::mkdir(base.c_str(), 0700);
    if (!IsPrivateDirOfUser(base)) {
      // Somebody else owns that name, or it is a link: take a fresh private folder instead.
      std::string templ = base + "-XXXXXX";
      if (char* made = ::mkdtemp(templ.data())) return made;
    }
  }
  return base;
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
