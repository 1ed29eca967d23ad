// What both programs set up for their process first thing at start-up.
#pragma once

#include <string>

namespace plat {

// A write past the file-size limit (ulimit -f) fails with EFBIG, which every writer reports
// as a file that cannot be saved, instead of ending the program with the unsaved work in it.
void IgnoreFileSizeLimitSignal();

// The running program's file, as the system names it (its own bytes, also where they are no
// UTF-8); "" when the system does not tell.
std::string ProgramFile();

}  // namespace plat
