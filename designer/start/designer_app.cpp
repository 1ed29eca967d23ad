#include "designer/start/designer_app.h"

#include <QApplication>

#include "designer/start/splash.h"
#include "designer/window/designer_state.h"
#include "platform/messagebox_qt.h"
#include "platform/paths.h"

namespace stagora::designer {

int RunDesigner(QApplication& app) {
  app.setApplicationName(kAppTitle);
  plat::SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());
  plat::InstallWidgetMessageBox(kProductName);
  Shared().TempPath = TrimTrailingSeparator(plat::ComputeTempPath());
  ShowStartSplash();
  return app.exec();
}

}  // namespace stagora::designer
