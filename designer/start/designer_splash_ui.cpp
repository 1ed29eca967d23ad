#include "designer/start/designer_splash_ui.h"

#include <QPointer>

#include "designer/update/update_info.h"

namespace stagora::designer {
namespace {

SplashConstants DesignerSplashConstants(const SplashLinkTexts& links) {
  SplashConstants c;
  c.titles = {"Number of theoretical plates", "Stagora", "method", ""};
  c.reference = "TROV";
  c.schemeCode = "AZU";
  c.languageCode = "ENG";
  const ProgramVersion version = RunningVersion();
  c.versionMajor = version.major;
  c.versionMinor = version.minor;
  c.versionRevision = version.revision;
  c.homePage = links.homePage;
  c.noConnect = links.noConnect;
  c.noMailClient = links.noMailClient;
  return c;
}

}  // namespace

FormSplash* LoadFormSplash(const SplashLinkTexts& links, bool& splashShown, std::function<void()> showMainWindow) {
  return new FormSplash(DesignerSplashConstants(links), splashShown, std::move(showMainWindow));
}

FormSplash* LoadAboutBox(const SplashLinkTexts& links, std::function<void()> showMainWindow) {
  return new FormSplash(DesignerSplashConstants(links), std::move(showMainWindow));
}

void ShowStartSplash(bool& splashShown, std::function<void()> showMainWindow) {
  static QPointer<FormSplash> splash;
  // The start-up splash shows no links, so it needs none of the language file's texts.
  if (!splash) splash = LoadFormSplash({}, splashShown, std::move(showMainWindow));
  splash->show();
  splash->raise();
  splash->activateWindow();
}

}  // namespace stagora::designer
