#include "platform/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
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

}  // namespace

bool StartProgram(const std::string& program, const std::string& argument) {
  if (StartHook()) return StartHook()(program, argument);
  return QProcess::startDetached(QPath(program), {QPath(argument)});
}

bool OpenWithDesktop(const std::string& target) {
  if (OpenHook()) return OpenHook()(target);
  if (QFileInfo::exists(QPath(target))) return QDesktopServices::openUrl(QUrl::fromLocalFile(QPath(target)));
  const QString t = Cp1252ToQString(target);
  QUrl url(t, QUrl::TolerantMode);
  if (!url.isValid() || url.isEmpty()) return false;
  if (url.scheme().isEmpty()) url = QUrl("http://" + t, QUrl::TolerantMode);
  return QDesktopServices::openUrl(url);
}

void SetStartProgramHandler(StartProgramHandler handler) { StartHook() = std::move(handler); }
void SetOpenWithDesktopHandler(OpenHandler handler) { OpenHook() = std::move(handler); }

}  // namespace plat
