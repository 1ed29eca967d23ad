// Where the programs find themselves and keep their scratch files.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace plat {

struct FileError;

// The name of the scratch folder in the temporary folder. The designer leaves the worked
// solution's document and pictures there and the viewer looks for pictures there, so both
// programs take the name from here.
inline constexpr const char* kScratchName = "nrtemp";

// The scratch folder of the temporary folder `tempPath`.
std::string ScratchFolderOf(const std::string& tempPath);

// A folder as the platform reports it, with one trailing "/" or "\" removed.
std::string TrimTrailingSeparator(std::string folder);

// The user's own temporary folder, without a trailing separator, whose scratch folder
// (kScratchName) is the user's own (see ClaimScratchFolder; it is made there when missing)
// and open to new files (not on a read-only file system, say). The
// first of these that has one: $TMPDIR when it is set; a folder private to the user (mode
// 0700) "stagora-<uid>" in $TMPDIR, or in /tmp; "stagora" in $XDG_RUNTIME_DIR; "stagora" in
// ~/.cache. Both programs walk the same list, so they settle on the same folder, and no
// start leaves a folder of its own behind. "" when none can be had.
std::string ComputeTempPath();

// Makes the folder (mode 0700) when it is missing. True when it is a folder of this user's,
// not a link, that no other user may write into: only then may scratch files go there. One
// that others may read or enter is made private first. When false, `why` (if given) tells why:
// the folder could not be made, or what stands there is no such folder.
bool ClaimScratchFolder(const std::string& folder, FileError* why = nullptr);

// What designers that never closed left in the scratch folder of `tempPath`: its worked
// solutions (".rex") and their pictures (".jpg") a day old or more are removed, unless a
// running program holds them (ScratchClaim). Only this user's regular files go; links,
// folders and everything else stay. The lock files of claims whose programs ended go too,
// once they are as old.
void RemoveStaleScratchFiles(const std::string& tempPath);

// Removes each of `paths` (scratch files a program wrote) that no running program holds
// (ScratchClaim): a viewer still showing a designer's worked solution keeps it when that
// designer closes. The caller lets go of its own claim first.
void RemoveUnheldScratchFiles(const std::vector<std::string>& paths);

// A running program's hold on the scratch files it wrote, so that the clean-up of another
// program's start leaves them however long they have been open: a lock file of its own in the
// scratch folder ("stgr_run<pid>-<letters>.lock"), locked for as long as the claim lives and
// listing the files' names. The system lets go of the lock however the process ends, so the
// files of a program that was killed are nobody's, and go once they are a day old.
class ScratchClaim {
 public:
  ScratchClaim() = default;
  // Lets go of the files (see release).
  ~ScratchClaim();
  ScratchClaim(const ScratchClaim&) = delete;
  ScratchClaim& operator=(const ScratchClaim&) = delete;

  // Holds a file of a scratch folder; the lock file is made in that folder when the first
  // file is held. A file held already is listed once. False when the file could not be held
  // (no lock to be had there, or a file of another folder than the first one's).
  bool hold(const std::string& path);
  // Lets go of every file held: the lock file is removed.
  void release();

 private:
  std::string folder_;    // where the held files and the lock file are
  std::string lockFile_;  // "" until the first file is held
  std::set<std::string> names_;  // the names the lock file lists
  int fd_ = -1;
};

// The folder that holds the executables, lang/ and img/. Set once at start-up from the
// running program; tests and tools may set it themselves.
const std::string& ProgramFolder();
void SetProgramFolder(const std::string& folder);

// The running executable's folder as the kernel reports it ("" when unknown).
std::string ExecutableFolder();

}  // namespace plat
