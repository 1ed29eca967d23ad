#include "platform/shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <memory>

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

// The desktop's opener, which hands a file to the program the desktop chooses for its kind.
constexpr char kOpener[] = "xdg-open";

// A local file's address made from the path's bytes, each byte that needs it percent-encoded:
// from Qt's string, a name that is no UTF-8 would become another one.
QUrl FileUrl(const std::string& path) {
  return QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"));
}

// The opener is watched until it ends: a generic desktop's opener waits for the program it
// started, another returns at once. Any failure it ends with means that no program showed the
// file (it tries each one it knows before it gives up). What it prints goes nowhere. When
// this program ends first the opener is stopped; the program showing the file stays.
bool OpenDocument(const std::string& path, std::function<void()> noProgram) {
  const QString opener = QStandardPaths::findExecutable(kOpener);
  if (opener.isEmpty()) return QDesktopServices::openUrl(FileUrl(path));
  auto* process = new QProcess(QCoreApplication::instance());
  process->setProgram(opener);
  process->setArguments({QPath(path)});
  // The opener is started on the document's own bytes, from the started process itself just
  // before Qt would start it on its string, which turns a name that is no UTF-8 into another
  // one. Everything it needs is made here: the started process only calls. Should that start
  // fail, Qt's own follows and reports why.
  struct Arguments {
    std::string program, document;
    char* argv[3];
  };
  auto args = std::make_shared<Arguments>();
  args->program = PathFromQt(opener);
  args->document = path;
  args->argv[0] = args->program.data();
  args->argv[1] = args->document.data();
  args->argv[2] = nullptr;
  process->setChildProcessModifier([args] { ::execv(args->argv[0], args->argv); });
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

// Started with the argument's own bytes: through Qt's strings a name that is no UTF-8 would
// reach the program as another name. Detached as a child of a child that ends at once, so
// nothing is left for this program to collect; the grandchild tells through a pipe, closed
// when it runs the program, whether it could not.
bool StartDetached(std::string program, std::string argument) {
  char* const argv[] = {program.data(), argument.data(), nullptr};
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(report[0]);
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild == 0) {
      // What this program ignores or blocks is not the started program's business.
      sigset_t none;
      ::sigemptyset(&none);
      ::sigprocmask(SIG_SETMASK, &none, nullptr);
      ::signal(SIGPIPE, SIG_DFL);
      ::signal(SIGXFSZ, SIG_DFL);
      ::execv(argv[0], argv);
      const int err = errno;
      (void)!::write(report[1], &err, sizeof err);
      ::_exit(127);
    }
    ::_exit(grandchild > 0 ? 0 : 1);
  }
  ::close(report[1]);
  bool started = false;
  if (child > 0) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t n = 0;
    while ((n = ::read(report[0], &err, sizeof err)) < 0 && errno == EINTR) {
    }
    started = n == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  ::close(report[0]);
  return started;
}

}  // namespace

bool StartProgram(const std::string& program, const std::string& argument) {
  if (StartHook()) return StartHook()(program, argument);
  return StartDetached(program, argument);
}

bool OpenWithDesktop(const std::string& target, std::function<void()> noProgram) {
  if (OpenHook()) return OpenHook()(target);
  if (struct stat st {}; ::stat(target.c_str(), &st) == 0) return OpenDocument(target, std::move(noProgram));
  const QString t = Cp1252ToQString(target);
  QUrl url(t, QUrl::TolerantMode);
  if (!url.isValid() || url.isEmpty()) return false;
  if (url.scheme().isEmpty()) url = QUrl("http://" + t, QUrl::TolerantMode);
  return QDesktopServices::openUrl(url);
}

StartProgramHandler SetStartProgramHandler(StartProgramHandler handler) {
  StartProgramHandler old = std::move(StartHook());
  StartHook() = std::move(handler);
  return old;
}

OpenHandler SetOpenWithDesktopHandler(OpenHandler handler) {
  OpenHandler old = std::move(OpenHook());
  OpenHook() = std::move(handler);
  return old;
}

}  // namespace plat
