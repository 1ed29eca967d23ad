// The viewer's start: the shared values, the scratch folder, the engine's tables, then the
// splash, whose closing shows the main window; from there on the program lives in the event
// loop.
#pragma once

class QApplication;

namespace stagora::viewer {

int RunViewer(QApplication& app);

}  // namespace stagora::viewer
