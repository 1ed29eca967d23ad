// The viewer's start: shared values, then the main window.
#pragma once

class QApplication;

namespace stagora::viewer {

int RunViewer(QApplication& app);

}  // namespace stagora::viewer
