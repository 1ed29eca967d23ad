// The designer's start: shared values, then the main window.
#pragma once

class QApplication;

namespace stagora::designer {

int RunDesigner(QApplication& app);

}  // namespace stagora::designer
