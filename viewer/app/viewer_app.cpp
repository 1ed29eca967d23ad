#include "viewer/app/viewer_app.h"

#include <QApplication>
#include <QMainWindow>

#include "platform/encoding.h"
#include "platform/messagebox_qt.h"
#include "platform/paths.h"

namespace stagora::viewer {

int RunViewer(QApplication& app) {
  app.setApplicationName("OVDR_ENG");
  plat::SetProgramFolder(plat::Utf16ToCp1252(QCoreApplication::applicationDirPath().toStdU16String()));
  plat::InstallWidgetMessageBox("OVDR");
  QMainWindow window;
  window.setObjectName("FormMain");
  window.setWindowTitle("OVDR");
  window.resize(820, 700);
  window.show();
  return app.exec();
}

}  // namespace stagora::viewer
