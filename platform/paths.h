// Where the programs find themselves and keep their scratch files.
#pragma once

#include <string>

namespace plat {

// The name of the scratch folder in the temporary folder. The designer leaves the worked
// solution's document and pictures there and the viewer looks for pictures there, so both
// programs take the name from here.
inline constexpr const char* kScratchName = "nrtemp";

// The scratch folder of the temporary folder `tempPath`.
std::string ScratchFolderOf(const std::string& tempPath);

// A folder as the platform reports it, with one trailing "/" or "\" removed.
std::string TrimTrailingSeparator(std::string folder);

// The user's own temporary folder, without a trailing separator, whose scratch folder
// (kScratchName) is the user's own (see ClaimScratchFolder; it is made there when missing). The
// first of these that has one: $TMPDIR when it is set; a folder private to the user (mode
// 0700) "stagora-<uid>" in $TMPDIR, or in /tmp; "stagora" in $XDG_RUNTIME_DIR; "stagora" in
// ~/.cache. Both programs walk the same list, so they settle on the same folder, and no
// start leaves a folder of its own behind. "" when none can be had.
std::string ComputeTempPath();

// Makes the folder (mode 0700) when it is missing. True when it is a folder of this user's,
// not a link, that no other user may write into: only then may scratch files go there. One
// that others may read or enter is made private first.
bool ClaimScratchFolder(const std::string& folder);

// What designers that never closed left in the scratch folder of `tempPath`: its worked
// solutions (".rex") and their pictures (".jpg") a day old or more are removed. Only this
// user's regular files go; links, folders and everything else stay.
void RemoveStaleScratchFiles(const std::string& tempPath);

// The folder that holds the executables, lang/ and img/. Set once at start-up from the
// running program; tests and tools may set it themselves.
const std::string& ProgramFolder();
void SetProgramFolder(const std::string& folder);

// The running executable's folder as the kernel reports it ("" when unknown).
std::string ExecutableFolder();

}  // namespace plat
