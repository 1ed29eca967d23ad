// The designer's start: the scratch folder, then the splash, whose closing shows the main
// window; from there on the program lives in the event loop.
#pragma once

#include <string>

class QApplication;

namespace stagora::designer {

int RunDesigner(QApplication& app);

// What the start-up splash's closing does: shows the main window, creating and loading it on
// first use, the only way it first shows; a window made here keeps its scratch files in
// tempPath.
void ShowFormMain(const std::string& tempPath);

}  // namespace stagora::designer
