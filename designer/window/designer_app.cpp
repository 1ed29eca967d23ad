#include "designer/window/designer_app.h"

#include <QApplication>
#include <QMainWindow>

#include "platform/messagebox_qt.h"
#include "platform/paths.h"

namespace stagora::designer {

int RunDesigner(QApplication& app) {
  app.setApplicationName("TROV");
  plat::SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());
  plat::InstallWidgetMessageBox("Stagora");
  QMainWindow window;
  window.setObjectName("FormMain");
  window.setWindowTitle("Stagora");
  window.resize(977, 646);
  window.show();
  return app.exec();
}

}  // namespace stagora::designer
