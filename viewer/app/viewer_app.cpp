#include "viewer/app/viewer_app.h"

#include <QApplication>
#include <QStringList>

#include "platform/encoding.h"
#include "platform/messagebox_qt.h"
#include "platform/paths.h"
#include "viewer/app/engine_bridge.h"
#include "viewer/app/splash.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {
namespace {

// The arguments after the program's name, as one line: a path with blanks that arrives as
// one argument reads back as the same path.
std::string JoinedArguments(const QStringList& arguments) {
  std::string line;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (i > 1) line += ' ';
    line += plat::Utf16ToCp1252(arguments[i].toStdU16String());
  }
  return line;
}

}  // namespace

int RunViewer(QApplication& app) {
  app.setApplicationName(kAppTitle);
  plat::SetProgramFolder(plat::Utf16ToCp1252(QCoreApplication::applicationDirPath().toStdU16String()));
  plat::InstallWidgetMessageBox("OVDR");
  CommandLineText = JoinedArguments(QCoreApplication::arguments());
  InicializarGlobales();
  TempPath = TrimOneTrailingSeparator(plat::ComputeTempPath());
  InitEngine();
  ShowStartSplash();
  return app.exec();
}

}  // namespace stagora::viewer
