// The designer's splash and About window: FormSplash with the designer's titles, reference,
// blue colours and version. The start shows it as the start-up splash, whose closing shows the
// main window; the main window's Help > About shows it again as the About box. The About
// box's links take their address and failure texts from the main window's language file,
// handed in when the window is loaded; what its closing shows is the caller's to say, so the
// window needs nothing of the main window.
#pragma once

#include <functional>
#include <string>

#include "common/form_splash_ui.h"

namespace stagora::designer {

// What the About box's two links need: the address the web label opens, the first line of
// its failure message, and the message when no e-mail program starts.
struct SplashLinkTexts {
  std::string homePage;
  std::string noConnect;
  std::string noMailClient;
};

// A fresh window, loaded (as the start-up splash while splashShown is False, else as the
// About box); its closing sets splashShown, which must outlive the window, and runs
// showMainWindow.
FormSplash* LoadFormSplash(const SplashLinkTexts& links, bool& splashShown, std::function<void()> showMainWindow);

// A fresh About box: the main window is there only once the start-up splash has closed, so
// whatever window asks for it gets the About box, with its links and no timer.
FormSplash* LoadAboutBox(const SplashLinkTexts& links, std::function<void()> showMainWindow);

// The start: creates the splash when there is none and shows it modeless. splashShown is the
// designer's one record that the start-up splash has closed, False until then; the start
// keeps it for as long as the program runs.
void ShowStartSplash(bool& splashShown, std::function<void()> showMainWindow);

}  // namespace stagora::designer
