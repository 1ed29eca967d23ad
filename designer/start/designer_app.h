// The designer's start: the scratch folder, then the splash, whose closing shows the main
// window; from there on the program lives in the event loop.
#pragma once

class QApplication;

namespace stagora::designer {

int RunDesigner(QApplication& app);

}  // namespace stagora::designer
