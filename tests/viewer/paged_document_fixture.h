// A viewer main window, shown, with a document of several pages open.
#pragma once

#include <QTest>
#include <string>

#include "tests/viewer/main_window_fixture.h"

namespace stagora::viewer::test {

class PagedDocumentTest : public ViewerWindowTest {
 protected:
  // A designer document whose level-two resolution has `steps` lines, one block each.
  static std::string StepsDocument(int steps) {
    std::string resolution;
    for (int k = 1; k <= steps; ++k) resolution += "Step " + std::to_string(k) + " of the resolution&LF";
    return "#DEC(.#DEC)#ENU(Statement line&LF#ENU)#SOL(The answer&LF#SOL)#RS1(" + resolution + "#RS1)#RS2(" +
           resolution + "#RS2)";
  }

  // Shows the window at its designed size and opens a document of `steps` resolution lines at
  // 100 %.
  FormMain& OpenShown(int steps, const std::string& name = "steps.rex") {
    FormMain& f = Load();
    f.FitWidthPending = false;
    f.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
    V().DocPath = WriteDocument(name, StepsDocument(steps));
    f.OpenFile();
    EXPECT_TRUE(V().DocumentLoaded);
    f.mnu_zoom100_Click();
    return f;
  }
};

}  // namespace stagora::viewer::test
