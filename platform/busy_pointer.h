// The hourglass for as long as a file is read or written or the network is asked: set on
// construction, the normal pointer back on every way out. Without a graphical application
// (a command-line tool) it does nothing.
#pragma once

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace plat {

class BusyPointer {
 public:
  BusyPointer() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    if (shown_) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  }
  ~BusyPointer() {
    if (shown_) QGuiApplication::restoreOverrideCursor();
  }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  bool shown_;
};

}  // namespace plat
