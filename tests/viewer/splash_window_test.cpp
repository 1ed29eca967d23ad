// The viewer's splash and About window: the start-up splash that leads to the main window,
// and the same window as the About box with the maker's links.
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include "common/form_splash_ui.h"
#include "common/splash_look.h"
#include "platform/messagebox_qt.h"
#include "platform/shell.h"
#include "tests/viewer/main_window_fixture.h"
#include "viewer/app/controls.h"
#include "viewer/app/splash.h"

namespace stagora::viewer::test {
namespace {

using stagora::test::MenuItem;

std::string Text(const QLabel* label) { return label->text().toStdString(); }

FormSplash* ShownSplash() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* s = dynamic_cast<FormSplash*>(top); s && s->isVisible()) return s;
  }
  return nullptr;
}

// Stands in for the desktop: records what it is asked to open and answers as told.
struct Desktop {
  bool opens = true;
  std::vector<std::string> opened;
  const stagora::test::ScopedHook<plat::OpenHandler> open{plat::SetOpenWithDesktopHandler,
                                                          [this](const std::string& target) {
                                                            opened.push_back(target);
                                                            return opens;
                                                          }};
};

class SplashWindowTest : public ViewerWindowTest {
 protected:
  void TearDown() override {
    if (FormMainExists()) TheFormMain().close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ViewerWindowTest::TearDown();
  }
  stagora::test::MessageBoxRecorder boxes;
  Desktop desktop;
};

TEST_F(SplashWindowTest, StartUpSplashShowsTheViewersTitlesOnRoseBandsWithoutLinks) {
  ShowStartSplash();
  FormSplash* splash = ShownSplash();
  ASSERT_NE(splash, nullptr);
  EXPECT_EQ(splash->size(), QSize(541, 377));
  EXPECT_TRUE(splash->Timer1->isActive());
  EXPECT_EQ(splash->Timer1->interval(), 1500);
  EXPECT_FALSE(splash->LblWEB->isVisible());
  EXPECT_FALSE(splash->LlblMAIL->isVisible());
  // Two title lines: lines 2 and 3 are empty.
  EXPECT_EQ(Text(splash->LblTIT[0]), "Ovedra");
  EXPECT_EQ(Text(splash->LblTIT[1]), "OVDR");
  EXPECT_EQ(splash->LblTIT[0]->geometry(), QRect(30, 25, 344, 31));
  EXPECT_EQ(splash->LblTIT[1]->geometry(), QRect(30, 60, 368, 50));
  EXPECT_EQ(Text(splash->LblRef), "Reference: OVDR");
  const SplashConstants c = ViewerSplashConstants();
  EXPECT_EQ(Text(splash->lblVersion),
            "Version: " + std::to_string(c.versionMajor) + "." + std::to_string(c.versionMinor) + "." +
                std::to_string(c.versionRevision));
  EXPECT_EQ(splash->lblVersion->geometry(), QRect(390, 40, 171, 18));
  EXPECT_EQ(splash->lblCopyright->geometry(), QRect(20, 340, 220, 17));
  // The strips at their natural size, the bands laid against them in the rose scheme.
  EXPECT_EQ(splash->ImageUP->geometry(), QRect(10, 120, 519, 65));
  EXPECT_EQ(splash->ImageDW->geometry(), QRect(10, 240, 519, 75));
  EXPECT_EQ(splash->ImgLOGO->geometry(), QRect(361, 296, 158, 58));
  EXPECT_EQ(splash->Shape1[1], (SplashRect{10, 184, 520, 57}));
  EXPECT_EQ(splash->Shape1Color[0], plat::Rgb(204, 51, 102));
  EXPECT_EQ(splash->Shape1Color[1], plat::Rgb(250, 197, 215));
  EXPECT_EQ(splash->Shape1Color[2], plat::Rgb(229, 229, 229));
  EXPECT_EQ(splash->LblWEB->toolTip().toStdString(), "www.norvath.example");
  EXPECT_EQ(splash->LlblMAIL->toolTip().toStdString(), "mailto:info@norvath.example");
  // What the window shows, for a look.
  splash->grab().save(QString::fromStdString(stagora::test::ArtefactDir() + "/viewer_splash.png"));
}

TEST_F(SplashWindowTest, WithoutInputTheSplashClosesAfterItsTimeAndShowsTheLoadedMainWindow) {
  ShowStartSplash();
  QPointer<FormSplash> splash = ShownSplash();
  ASSERT_TRUE(splash);
  QTest::qWait(1000);
  EXPECT_TRUE(splash && splash->isVisible());
  EXPECT_FALSE(TheFormMain().State().SplashShown);
  ASSERT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 5000));
  ASSERT_TRUE(FormMainExists());
  EXPECT_TRUE(TheFormMain().Loaded());
  EXPECT_TRUE(TheFormMain().isVisible());
  EXPECT_TRUE(TheFormMain().State().SplashShown);
}

TEST_F(SplashWindowTest, AtStartTheWindowFitsIntoAScreenSmallerThanItsDesign) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_LT(area.width(), 1112) << "the test needs a screen narrower than the design";
  ShowStartSplash();
  QPointer<FormSplash> splash = ShownSplash();
  ASSERT_TRUE(splash);
  QTest::keyClick(splash, Qt::Key_A);
  FormMain& main = TheFormMain();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  QApplication::processEvents();
  EXPECT_TRUE(area.contains(main.frameGeometry())) << main.frameGeometry().x() << "," << main.frameGeometry().y()
                                                   << " " << main.frameGeometry().width() << "x"
                                                   << main.frameGeometry().height();
}

TEST_F(SplashWindowTest, BehindTheSplashTheDocumentIsOpenedSoPageOneIsThereWhenItCloses) {
  const std::string path = WriteDocument("restemp100001.rex", DesignerDocument());
  TheFormMain().State().TempPath = root + "/tmp";
  TheFormMain().State().CommandLineArguments = {path};
  ShowStartSplash();
  QPointer<FormSplash> splash = ShownSplash();
  ASSERT_TRUE(splash);
  // On a loaded machine the opening may outlast the splash's time; the key below closes it.
  splash->Timer1->stop();
  ASSERT_TRUE(QTest::qWaitFor([] { return FormMainExists() && TheFormMain().State().PageCount > 0; }, 10000));
  FormMain& main = TheFormMain();
  EXPECT_TRUE(splash && splash->isVisible());
  EXPECT_FALSE(main.isVisible());
  EXPECT_TRUE(TheFormMain().State().DocumentLoaded);
  EXPECT_EQ(TheFormMain().State().DocPath, path);
  EXPECT_EQ(TheFormMain().State().CurrentPage, 1);
  EXPECT_TRUE(main.mnu_zoomANCHO->isChecked());  // fitted to the window's width first
  const double fitted = TheFormMain().State().Zoom;
  const QImage page = main.Picture1->surface().image().copy();

  QTest::keyClick(splash, Qt::Key_A);
  EXPECT_TRUE(main.isVisible());
  EXPECT_TRUE(main.Picture1->isVisible());
  QTest::qWait(20);  // the first activation has run
  // Nothing opened, paginated or drawn again.
  EXPECT_EQ(main.RecentFiles[1], path);
  EXPECT_TRUE(main.RecentFiles[2].empty());
  EXPECT_EQ(TheFormMain().State().Zoom, fitted);
  EXPECT_EQ(TheFormMain().State().CurrentPage, 1);
  EXPECT_EQ(main.Picture1->surface().image(), page);
  EXPECT_TRUE(boxes.requests().empty());
}

// A document that cannot be opened is told about in a real box over the splash: the splash's
// own time passing neither takes the box away nor frees it under the waiting program.
TEST_F(SplashWindowTest, AMessageShownBehindTheSplashWaitsForItsAnswerAndTheSplashThenCloses) {
  const std::string fifo = root + "/pipe.rep";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  TheFormMain().State().TempPath = root + "/tmp";
  TheFormMain().State().CommandLineArguments = {fifo};
  // The real box, in place of the test's, until the test ends.
  const stagora::test::ScopedHook realBox(plat::SetMsgBoxHandler, {});
  plat::InstallWidgetMessageBox("OVDR");

  QPointer<FormSplash> splash;
  bool boxSeen = false;
  bool splashKept = false;
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || boxSeen) return;
    boxSeen = true;
    QTimer::singleShot(2 * kSplashCloseAfterMs, box, [&, box] {
      splashKept = splash && splash->isVisible();
      box->button(QMessageBox::Ok)->click();
    });
  });
  poll.start();
  ShowStartSplash();
  splash = ShownSplash();
  ASSERT_TRUE(splash);
  const bool closed = QTest::qWaitFor([&] { return splash.isNull(); }, 10000);
  ASSERT_TRUE(closed);
  EXPECT_TRUE(boxSeen);
  EXPECT_TRUE(splashKept);
  EXPECT_TRUE(TheFormMain().isVisible());
  EXPECT_FALSE(TheFormMain().State().DocumentLoaded);
}

TEST_F(SplashWindowTest, AClickOrATypedKeyClosesItAtOnceButKeysWithoutACharacterDoNot) {
  struct Case {
    const char* what;
    std::function<void(FormSplash*)> input;
  };
  const std::vector<Case> cases = {
      {"click on a title", [](FormSplash* s) { QTest::mouseClick(s->LblTIT[1], Qt::LeftButton); }},
      {"click on the logo", [](FormSplash* s) { QTest::mouseClick(s->ImgLOGO, Qt::LeftButton); }},
      {"click on a band", [](FormSplash* s) { QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(100, 200)); }},
      // Where the web link lies in the About box: hidden, it takes no click.
      {"click where the link would be", [](FormSplash* s) { QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(270, 205)); }},
      {"a letter", [](FormSplash* s) { QTest::keyClick(s, Qt::Key_A); }},
      {"Esc", [](FormSplash* s) { QTest::keyClick(s, Qt::Key_Escape); }},
  };
  for (const Case& c : cases) {
    TheFormMain().State().SplashShown = false;
    ShowStartSplash();
    QPointer<FormSplash> splash = ShownSplash();
    ASSERT_TRUE(splash) << c.what;
    QTest::keyClick(splash, Qt::Key_Left);
    QTest::keyClick(splash, Qt::Key_F5);
    EXPECT_TRUE(splash->isVisible()) << c.what;
    EXPECT_FALSE(TheFormMain().State().SplashShown) << c.what;
    c.input(splash);
    EXPECT_TRUE(TheFormMain().State().SplashShown) << c.what;
    EXPECT_TRUE(TheFormMain().isVisible()) << c.what;
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull()) << c.what;  // so its timer never fires
    TheFormMain().close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(SplashWindowTest, TheMainWindowsActivationClosesASplashStillUp) {
  ShowStartSplash();
  QPointer<FormSplash> splash = ShownSplash();
  ASSERT_TRUE(splash);
  FormMain& main = TheFormMain();
  main.Form_Load();
  main.Form_Activate();
  EXPECT_TRUE(TheFormMain().State().SplashShown);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(splash.isNull());
  UnloadSplash();  // nothing left to close
}

TEST_F(SplashWindowTest, AboutBoxStaysWithItsLinksUntilClosedAndTellsWhenALinkFails) {
  TheFormMain().State().SplashShown = true;
  FormMain& main = TheFormMain();
  main.Form_Load();
  main.ShowAndActivate();
  QTest::qWait(10);  // its first activation, which closes any splash still up, has run
  bool seen = false;
  QTimer::singleShot(0, [&] {
    FormSplash* about = ShownSplash();
    ASSERT_NE(about, nullptr);
    seen = true;
    EXPECT_TRUE(about->isModal());
    EXPECT_FALSE(about->Timer1->isActive());
    EXPECT_TRUE(about->LblWEB->isVisible());
    EXPECT_TRUE(about->LlblMAIL->isVisible());
    EXPECT_EQ(Text(about->LblWEB), "www.norvath.example");
    EXPECT_EQ(Text(about->LlblMAIL), "info@norvath.example");
    about->grab().save(QString::fromStdString(stagora::test::ArtefactDir() + "/viewer_about.png"));
    QTest::qWait(1700);
    EXPECT_TRUE(about->isVisible());

    QTest::mouseClick(about->LblWEB, Qt::LeftButton);
    QTest::mouseClick(about->LlblMAIL, Qt::LeftButton);
    EXPECT_EQ(desktop.opened, (std::vector<std::string>{kHomePage, "mailto:info@norvath.example"}));
    EXPECT_TRUE(boxes.requests().empty());

    desktop.opens = false;
    QTest::mouseClick(about->LblWEB, Qt::LeftButton);
    QTest::mouseClick(about->LlblMAIL, Qt::LeftButton);
    ASSERT_EQ(boxes.requests().size(), 2u);
    EXPECT_EQ(boxes.requests()[0].text, "Sorry, cannot connect\r\nwww.norvath.example/en/");
    EXPECT_EQ(boxes.requests()[0].style, 48);
    EXPECT_EQ(boxes.requests()[0].title, "");
    EXPECT_EQ(boxes.requests()[1].text, "Sorry, cannot found your email client application");
    EXPECT_EQ(boxes.requests()[1].style, 48);
    EXPECT_TRUE(about->isVisible());
    QTest::keyClick(about, Qt::Key_Space);
  });
  MenuItem(main, "mnu_Ayuda_ACE")->trigger();  // returns when the About box has gone
  EXPECT_TRUE(seen);
  EXPECT_TRUE(main.isVisible());
  EXPECT_TRUE(TheFormMain().State().SplashShown);
  EXPECT_EQ(ShownSplash(), nullptr);
}

}  // namespace
}  // namespace stagora::viewer::test
