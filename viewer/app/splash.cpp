#include "viewer/app/splash.h"

#include "viewer/app/form_main.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {

void ShowStartSplash() {
  // The splash's closing: the main window, loaded when it is first shown.
  FormMain& main = TheFormMain();
  if (!main.Loaded()) main.Form_Load();
  main.ShowAndActivate();
  SplashShown = true;
}

void UnloadSplash() {}

}  // namespace stagora::viewer
