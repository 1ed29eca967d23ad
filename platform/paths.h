// Where the programs find themselves and keep their scratch files.
#pragma once

#include <string>

namespace plat {

// The user's own temporary folder, without a trailing separator: $TMPDIR when it is set,
// otherwise a folder private to the user (mode 0700) under the system's temporary folder,
// so that no other user can plant or read the scratch files.
std::string ComputeTempPath();

// The folder that holds the executables, lang/ and img/. Set once at start-up from the
// running program; tests and tools may set it themselves.
const std::string& ProgramFolder();
void SetProgramFolder(const std::string& folder);

// The running executable's folder as the kernel reports it ("" when unknown).
std::string ExecutableFolder();

}  // namespace plat
