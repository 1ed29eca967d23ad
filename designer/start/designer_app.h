// The designer's start: the scratch folder, then the splash, whose closing shows the main
// window; from there on the program lives in the event loop.
#pragma once

class QApplication;

namespace stagora::designer {

int RunDesigner(QApplication& app);

// What the start-up splash's closing does: shows the main window, creating and loading it on
// first use; the only way it first shows.
void ShowFormMain();

}  // namespace stagora::designer
