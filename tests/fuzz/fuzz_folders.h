// A program folder and a scratch folder of a fuzz target's own, so that inputs naming
// images reach the real look-up and picture loading. Made once per process under $TMPDIR
// (or /tmp), with a few small pictures in each, and removed when the process ends normally.
#pragma once

#include <string>
#include <vector>

namespace stagora::fuzz {

struct FuzzFolders {
  std::string program;  // holds img/, and is the program folder
  std::string temp;     // the TempPath: its nrtemp/ is the scratch folder
  std::string programImages;
  std::string scratch;
};

// Made on the first call, which also sets the program folder.
const FuzzFolders& Folders();

// The scratch folder back as it was made: whatever an input wrote there is removed, so
// every input starts from the same files.
void ResetScratch();

// The names of the pictures the folders hold, for the dictionaries and seeds.
const std::vector<std::string>& PictureNames();

}  // namespace stagora::fuzz
