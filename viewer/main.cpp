// ovdr_ENG: the document viewer.
#include <QApplication>

#include "viewer/app/viewer_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The paths as the system names them, not as text: argv once Qt has taken its options out.
  return stagora::viewer::RunViewer(app, stagora::viewer::CommandLineFromArguments(argc, argv));
}
