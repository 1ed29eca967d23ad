#include "platform/shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "platform/encoding.h"
#include "platform/file_names.h"

namespace plat {
namespace {

StartProgramHandler& StartHook() {
  static StartProgramHandler h;
  return h;
}
OpenHandler& OpenHook() {
  static OpenHandler h;
  return h;
}
QString Q(const std::string& s) { return QString::fromStdU16String(Cp1252ToUtf16(s)); }

// The desktop's opener, which hands a file to the program the desktop chooses for its kind.
constexpr char kOpener[] = "xdg-open";

// The opener is watched until it ends: a generic desktop's opener waits for the program it
// started, another returns at once. Any failure it ends with means that no program showed the
// file (it tries each one it knows before it gives up). What it prints goes nowhere. When
// this program ends first the opener is stopped; the program showing the file stays.
bool OpenDocument(const QString& path, std::function<void()> noProgram) {
  const QString opener = QStandardPaths::findExecutable(kOpener);
  if (opener.isEmpty()) return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  auto* process = new QProcess(QCoreApplication::instance());
  process->setProgram(opener);
  process->setArguments({path});
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  QObject::connect(process, &QProcess::finished, process,
                   [process, noProgram = std::move(noProgram)](int code, QProcess::ExitStatus status) {
                     process->deleteLater();
                     if (status == QProcess::NormalExit && code != 0 && noProgram) noProgram();
                   });
  process->start();
  if (process->waitForStarted()) return true;
  delete process;
  return false;
}

}  // namespace

bool StartProgram(const std::string& program, const std::string& argument) {
  if (StartHook()) return StartHook()(program, argument);
  return QProcess::startDetached(QPath(program), {QPath(argument)});
}

bool OpenWithDesktop(const std::string& target, std::function<void()> noProgram) {
  if (OpenHook()) return OpenHook()(target);
  if (QFileInfo::exists(QPath(target))) return OpenDocument(QPath(target), std::move(noProgram));
  const QString t = Q(target);
  QUrl url(t, QUrl::TolerantMode);
  if (!url.isValid() || url.isEmpty()) return false;
  if (url.scheme().isEmpty()) url = QUrl("http://" + t, QUrl::TolerantMode);
  return QDesktopServices::openUrl(url);
}

void SetStartProgramHandler(StartProgramHandler handler) { StartHook() = std::move(handler); }
void SetOpenWithDesktopHandler(OpenHandler handler) { OpenHook() = std::move(handler); }

}  // namespace plat
