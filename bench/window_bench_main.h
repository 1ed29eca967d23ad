// The main of the benchmarks that need the designer's windows: an offscreen application, the
// window's language file from the program folder beside the benchmarks, and settings in a
// scratch folder, so the user's own are neither read nor written.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>

#include "platform/paths.h"
#include "platform/settings.h"

namespace stagora::bench {

// Runs every registered benchmark; `after` runs once they are done (a clean-up of their own).
template <typename After = void (*)()>
int RunWindowBenchmarks(int argc, char** argv, After after = [] {}) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  plat::SetProgramFolder(QDir(QCoreApplication::applicationDirPath() + "/../program").absolutePath().toStdString());
  plat::SetSettingsFolder(QDir::tempPath().toStdString() + "/stagora-bench-settings");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  after();
  return 0;
}

}  // namespace stagora::bench
