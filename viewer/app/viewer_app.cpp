#include "viewer/app/viewer_app.h"

#include <QApplication>
#include <unistd.h>

#include <climits>
#include <string_view>

#include "platform/file_names.h"
#include "platform/messagebox_qt.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/textfile.h"
#include "viewer/app/form_main.h"
#include "viewer/app/splash.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {

std::vector<std::string> CommandLineFromArguments(int argc, const char* const* argv) {
  std::string folder;
  if (char buf[PATH_MAX]; ::getcwd(buf, sizeof buf)) folder = buf;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    std::string path = argv[i] ? argv[i] : "";
    if (!path.empty() && path.front() != '/' && !folder.empty()) {
      std::string_view rest = path;
      while (rest.starts_with("./")) {
        rest.remove_prefix(2);
        while (rest.starts_with('/')) rest.remove_prefix(1);
      }
      path = plat::JoinPath(folder, std::string(rest));
    }
    paths.push_back(std::move(path));
  }
  return paths;
}

int RunViewer(QApplication& app, std::vector<std::string> commandLine) {
  plat::IgnoreFileSizeLimitSignal();
  app.setApplicationName(kAppTitle);
  plat::SetProgramFolder(plat::FolderPart(plat::ProgramFile()));
  plat::InstallWidgetMessageBox("OVDR");
  // The main window is made, not yet loaded, so that its state can take the command line and
  // the temporary folder; it is loaded behind the splash.
  ViewerState& state = TheFormMain().State();
  state.CommandLineArguments = std::move(commandLine);
  state.TempPath = plat::TrimTrailingSeparator(plat::ComputeTempPath());
  ShowStartSplash();
  return app.exec();
}

}  // namespace stagora::viewer
