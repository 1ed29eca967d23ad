// What both programs set up for their process first thing at start-up.
#pragma once

namespace plat {

// A write past the file-size limit (ulimit -f) fails with EFBIG, which every writer reports
// as a file that cannot be saved, instead of ending the program with the unsaved work in it.
void IgnoreFileSizeLimitSignal();

}  // namespace plat
