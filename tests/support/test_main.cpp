// The main of every test program: an offscreen application (widgets and fonts work without a
// display), settings kept in a scratch folder, and the program folder of this build.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/paths.h"
#include "platform/settings.h"
#include "tests/support/test_support.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  plat::SetProgramFolder(stagora::test::ProgramDir());
  plat::SetSettingsFolder(stagora::test::ScratchDir("settings"));
  // Whatever the outcome, and also when a test ends the process with exit(), the scratch
  // folders go with the process.
  std::atexit(stagora::test::RemoveScratchDirs);
  return RUN_ALL_TESTS();
}
