// FormSplash: the small window each program opens with, which later serves as its About box.
// Shown at start-up it closes itself after a moment, on a click or on a typed key, and its
// closing shows the program's main window. Loaded again once that has happened it keeps its
// two links (the maker's web page and e-mail address) and no longer closes by itself.
// Everything it does happens in its event handlers; what it shows comes from the program's
// SplashConstants.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "common/splash_look.h"

class QLabel;
class QTimer;

namespace stagora {

class FormSplash : public QWidget {
 public:
  // splashShown: the program's own "the start-up splash has closed once", read here and set
  // when the window unloads. showMainWindow: what the unload shows.
  FormSplash(SplashConstants constants, bool& splashShown, std::function<void()> showMainWindow);
  // The About box of a program whose main window is there only once its start-up splash has
  // closed: it needs no record to tell that it is no start-up splash.
  FormSplash(SplashConstants constants, std::function<void()> showMainWindow);

  // --- Event handlers ----------------------------------------------------------------------
  void LblWEB_Click();
  void LlblMAIL_Click();

  // --- Controls and form state -------------------------------------------------------------
  QTimer* Timer1 = nullptr;  // closes the start-up splash
  std::array<QLabel*, 4> LblTIT{};
  QLabel* LblRef = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* LblWEB = nullptr;
  QLabel* LlblMAIL = nullptr;
  QLabel* lblCopyright = nullptr;
  QLabel* ImageUP = nullptr;
  QLabel* ImageDW = nullptr;
  QLabel* ImgLOGO = nullptr;
  // The bands (Shape1) and the white frame around them (Shape2), painted on the form.
  std::array<SplashRect, 3> Shape1{};
  std::array<plat::Color, 3> Shape1Color{};
  SplashRect Shape2;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void keyPressEvent(QKeyEvent*) override;
  void changeEvent(QEvent*) override;
  void closeEvent(QCloseEvent*) override;

 private:
  void CreateControls();
  void Form_Load();
  void Form_Activate();
  void Form_Unload();
  // The main window could not be shown: says why on standard error and in a message box; at
  // start-up, ends the event loop with a failure status.
  void MainWindowFailed(const std::string& what);

  void Build();

  SplashConstants constants_;
  // The About box's own "the start-up splash has closed", True from the start.
  bool aboutBox_ = true;
  bool* splashShown_;
  std::function<void()> showMainWindow_;
  bool unloaded_ = false;
};

// Shows the window modally over every other window of the program and returns when it has
// closed (the About box). The window deletes itself when it closes.
void ShowSplashModal(FormSplash* about);

}  // namespace stagora
