// FormSplash: the window the designer opens with. Shown modeless at start, it closes on a
// click, a typed key or after a moment, and its closing brings up the main window.
#pragma once

#include <QWidget>

class QTimer;

namespace stagora::designer {

// False until the start-up splash has closed once.
extern bool SplashShown;

class FormSplash : public QWidget {
 public:
  explicit FormSplash(QWidget* parent = nullptr);

  QTimer* Timer1 = nullptr;  // closes the start-up splash

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void keyPressEvent(QKeyEvent*) override;
  void closeEvent(QCloseEvent*) override;

 private:
  void Form_Load();
  void Form_Unload();
  bool unloaded_ = false;
};

// Creates the splash (when it does not exist yet) and shows it modeless.
void ShowStartSplash();

}  // namespace stagora::designer
