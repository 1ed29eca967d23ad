// trov: the designer.
#include <QApplication>

#include "designer/start/designer_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return stagora::designer::RunDesigner(app);
}
