#include "viewer/app/viewer_app.h"

#include <QApplication>
#include <QDir>
#include <QStringList>

#include "platform/file_names.h"
#include "platform/messagebox_qt.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "viewer/app/form_main.h"
#include "viewer/app/splash.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {

std::string CommandLineFromArguments(const QStringList& arguments) {
  const auto text = [](const QString& s) { return plat::PathFromQt(s); };
  QStringList paths;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    paths.push_back(a.trimmed().isEmpty() || QDir::isAbsolutePath(a) ? a
                                                                     : QDir::cleanPath(QDir::current().absoluteFilePath(a)));
  }
  if (paths.size() == 1) return text(paths.front());
  std::string line;
  for (const QString& p : paths) {
    if (!line.empty()) line += ' ';
    line += '"' + text(p) + '"';
  }
  return line;
}

int RunViewer(QApplication& app) {
  plat::IgnoreFileSizeLimitSignal();
  app.setApplicationName(kAppTitle);
  plat::SetProgramFolder(plat::PathFromQt(QCoreApplication::applicationDirPath()));
  plat::InstallWidgetMessageBox("OVDR");
  // The main window is made, not yet loaded, so that its state can take the command line and
  // the temporary folder; it is loaded behind the splash.
  ViewerState& state = TheFormMain().State();
  state.CommandLineText = CommandLineFromArguments(QCoreApplication::arguments());
  state.TempPath = plat::TrimTrailingSeparator(plat::ComputeTempPath());
  ShowStartSplash();
  return app.exec();
}

}  // namespace stagora::viewer
