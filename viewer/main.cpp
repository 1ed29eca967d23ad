// ovdr_ENG: the document viewer.
#include <QApplication>

#include "viewer/app/viewer_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return stagora::viewer::RunViewer(app);
}
