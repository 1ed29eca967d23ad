// The viewer's splash and About window: FormSplash with the viewer's titles, reference,
// rose colours and version. While the start-up splash shows, the main window is loaded and the
// document opened behind it; its closing shows the main window (loading it first if that has
// not happened yet).
#pragma once

#include "common/form_splash_ui.h"

namespace stagora::viewer {

// The maker's English home page, which the About box's web label opens.
inline constexpr const char* kHomePage = "www.norvath.example/en/";

SplashConstants ViewerSplashConstants();

// A fresh window, loaded (as the start-up splash while the main window's SplashShown is
// False, else as the About box).
FormSplash* LoadFormSplash();
// Creates the splash when there is none and shows it modeless; once it has been painted, the
// main window is prepared behind it (FormMain::PrepareBehindSplash).
void ShowStartSplash();
// Closes the splash if it is still there.
void UnloadSplash();
// Deletes the splash if it is still there, without closing it: nothing its closing does is
// done. For the main window's end, since the splash records its closing in the main window's
// state.
void DiscardSplash();

}  // namespace stagora::viewer
