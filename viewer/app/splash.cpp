#include "viewer/app/splash.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>

#include "common/window_fit_ui.h"
#include "viewer/app/form_main.h"
#include "viewer/app/viewer_state.h"

#ifndef STAGORA_VERSION_MAJOR
#error "the build gives the program's version as STAGORA_VERSION_MAJOR, _MINOR and _PATCH"
#endif

namespace stagora::viewer {
namespace {

// The one splash window there is, whichever role it has.
QPointer<FormSplash>& Instance() {
  static QPointer<FormSplash> splash;
  return splash;
}

// Calls PrepareBehindSplash once the splash has been painted, so that it is seen at once and
// the main window's work goes on behind it.
class PrepareAfterFirstPaint : public QObject {
 public:
  explicit PrepareAfterFirstPaint(FormSplash* splash) : QObject(splash) { splash->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    watched->removeEventFilter(this);
    QTimer::singleShot(0, watched, [] {
      if (!Instance() || !Instance()->isVisible()) return;
      FormMain& main = TheFormMain();
      if (!main.State().SplashShown) main.PrepareBehindSplash();
    });
    deleteLater();
    return false;
  }
};

// The splash's closing: the main window, loaded when it is first shown, else brought
// forward.
void ShowMainWindow() {
  FormMain& main = TheFormMain();
  if (!main.Loaded()) main.Form_Load();
  FitWindowIntoScreen(&main);
  main.ShowAndActivate();
}

}  // namespace

SplashConstants ViewerSplashConstants() {
  SplashConstants c;
  c.titles = {"Ovedra", "OVDR", "", ""};
  c.reference = "OVDR";
  c.schemeCode = "ROS";
  c.languageCode = "ENG";
  c.versionMajor = STAGORA_VERSION_MAJOR;
  c.versionMinor = STAGORA_VERSION_MINOR;
  c.versionRevision = STAGORA_VERSION_PATCH;
  c.homePage = kHomePage;
  c.noConnect = "Sorry, cannot connect";
  c.noMailClient = "Sorry, cannot found your email client application";
  return c;
}

FormSplash* LoadFormSplash() {
  auto* splash = new FormSplash(ViewerSplashConstants(), TheFormMain().State().SplashShown, ShowMainWindow);
  Instance() = splash;
  return splash;
}

void ShowStartSplash() {
  const bool fresh = !Instance();
  FormSplash* splash = fresh ? LoadFormSplash() : Instance().data();
  if (fresh && !TheFormMain().State().SplashShown) new PrepareAfterFirstPaint(splash);
  splash->show();
  splash->raise();
  splash->activateWindow();
}

void UnloadSplash() {
  if (Instance() && Instance()->isVisible()) Instance()->close();
}

void DiscardSplash() { delete Instance().data(); }

}  // namespace stagora::viewer
