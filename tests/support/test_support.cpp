#include "tests/support/test_support.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QJsonDocument>
#include <QMenu>
#include <QProcess>
#include <filesystem>

namespace stagora::test {

#ifndef STAGORA_SOURCE_DIR
#define STAGORA_SOURCE_DIR "."
#endif
#ifndef STAGORA_PROGRAM_DIR
#define STAGORA_PROGRAM_DIR "."
#endif

namespace {

std::filesystem::path ScratchRoot() {
  return std::filesystem::temp_directory_path() / ("stagora-test-" + std::to_string(::getpid()));
}

}  // namespace

void RemoveScratchDirs() {
  std::error_code ec;
  std::filesystem::remove_all(ScratchRoot(), ec);
}

std::string ScratchDir(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path dir = ScratchRoot() / name;
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir, ec);
  return dir.string();
}

const std::string& ProgramDir() {
  static const std::string dir = STAGORA_PROGRAM_DIR;
  return dir;
}

const std::string& SourceDir() {
  static const std::string dir = STAGORA_SOURCE_DIR;
  return dir;
}

std::string ArtefactDir() {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(ProgramDir()).parent_path() / "test-artefacts";
  std::error_code ec;
  fs::create_directories(dir, ec);
  return dir.string();
}

bool ToolBuilt(const std::string& name) { return std::filesystem::exists(ProgramDir() + "/" + name); }

ToolRun RunTool(const std::string& name, const QStringList& args, const QByteArray& input) {
  ToolRun run;
  QProcess p;
  p.setProcessChannelMode(QProcess::SeparateChannels);
  p.start(QString::fromStdString(ProgramDir() + "/" + name), args);
  if (!p.waitForStarted()) return run;
  p.write(input);
  p.closeWriteChannel();
  p.waitForFinished(60000);
  run.exitCode = p.exitCode();
  run.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
  run.errors = p.readAllStandardError().toStdString();
  return run;
}

MessageBoxRecorder::MessageBoxRecorder()
    : box_(plat::SetMsgBoxHandler, [this](const plat::MsgRequest& req) {
        requests_.push_back(req);
        if (script_.empty()) return plat::DefaultButtonOf(req.style);
        const int b = script_.front();
        script_.erase(script_.begin());
        return b;
      }) {}

QAction* MenuItem(const QObject& window, const char* name) {
  auto* found = window.findChild<QAction*>(name);
  if (!found) ADD_FAILURE() << "no menu command " << name;
  return found;
}

QMenu* MenuNamed(const QObject& window, const char* name) {
  auto* found = window.findChild<QMenu*>(name);
  if (!found) ADD_FAILURE() << "no menu " << name;
  return found;
}

}  // namespace stagora::test
