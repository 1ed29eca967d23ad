// Small helpers shared by the tests.
#pragma once

#include <string>
#include <vector>

#include <QJsonObject>
#include <QStringList>

#include "platform/messagebox.h"
#include "tests/support/scoped_hook.h"

class QAction;
class QMenu;
class QObject;

namespace stagora::test {

// A fresh, empty folder for this test process under the build tree (or $TMPDIR).
std::string ScratchDir(const std::string& name);
// Removes every scratch folder of this process; the test main calls it on the way out.
void RemoveScratchDirs();

// The program folder of this build (executables, lang/, img/).
const std::string& ProgramDir();
// The source tree (fixtures).
const std::string& SourceDir();
// Where tests leave pictures and documents worth looking at.
std::string ArtefactDir();

// A main window's menu command (or separator) and menu by object name, as its menu table names
// them; the test fails when there is none.
QAction* MenuItem(const QObject& window, const char* name);
QMenu* MenuNamed(const QObject& window, const char* name);

// A command-line tool of the program folder, run as a script would run it.
struct ToolRun {
  int exitCode = -1;
  QJsonObject json;  // standard output read as one JSON object (empty when it is not one)
  std::string errors;  // standard error
};
bool ToolBuilt(const std::string& name);
ToolRun RunTool(const std::string& name, const QStringList& args, const QByteArray& input = {});

// Answers every message box with a scripted button (the default button when the script is
// empty) and keeps what was asked. Restores the previous handler when it goes.
class MessageBoxRecorder {
 public:
  MessageBoxRecorder();
  void answer(std::vector<int> buttons) { script_ = std::move(buttons); }
  const std::vector<plat::MsgRequest>& requests() const { return requests_; }

 private:
  std::vector<plat::MsgRequest> requests_;
  std::vector<int> script_;
  const ScopedHook<plat::MsgBoxHandler> box_;
};

}  // namespace stagora::test
