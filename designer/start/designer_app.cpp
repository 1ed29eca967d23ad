#include "designer/start/designer_app.h"

#include <QApplication>

#include "common/window_fit_ui.h"
#include "designer/start/designer_splash_ui.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "platform/file_names.h"
#include "platform/messagebox_qt.h"
#include "platform/paths.h"
#include "platform/process.h"

namespace stagora::designer {

void ShowFormMain(const std::string& tempPath) {
  const bool fresh = !FormMainExists();
  FormMain& main = TheFormMain();
  if (fresh) main.State().TempPath = tempPath;
  FitWindowIntoScreen(&main);
  main.show();
  main.raise();
  main.activateWindow();
}

int RunDesigner(QApplication& app) {
  plat::IgnoreFileSizeLimitSignal();
  app.setApplicationName(kAppTitle);
  plat::SetProgramFolder(plat::FolderPart(plat::ProgramFile()));
  // A box without a title of its own shows the program's title; the designer's own messages
  // name the product themselves.
  plat::InstallWidgetMessageBox(kAppTitle);
  const std::string tempPath = plat::TrimTrailingSeparator(plat::ComputeTempPath());
  // Each designer removes its own scratch files when it closes; those of one that never
  // closed are removed here, once they are old enough to be no open viewer's.
  plat::RemoveStaleScratchFiles(tempPath);
  // The designer's one record that its start-up splash has closed, for as long as the
  // program runs. Only that closing shows the main window first, so the main window's About
  // box needs no record of its own.
  bool splashShown = false;
  ShowStartSplash(splashShown, [tempPath] { ShowFormMain(tempPath); });
  return app.exec();
}

}  // namespace stagora::designer
