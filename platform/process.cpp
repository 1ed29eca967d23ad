#include "platform/process.h"

#include <QCoreApplication>
#include <unistd.h>

#include <csignal>

#include "platform/file_names.h"

namespace plat {

void IgnoreFileSizeLimitSignal() { std::signal(SIGXFSZ, SIG_IGN); }

std::string ProgramFile() {
  // The link's own bytes: Qt's answer comes through its strings, which turn a folder name that
  // is no UTF-8 into another one, and the program would look for its languages, pictures and
  // manual there.
  std::string target(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", target.data(), target.size());
    if (n < 0) break;
    if (static_cast<std::size_t>(n) < target.size()) {
      target.resize(static_cast<std::size_t>(n));
      return target;
    }
    target.resize(target.size() * 2);
  }
  return PathFromQt(QCoreApplication::applicationFilePath());
}

}  // namespace plat
