// The designer's splash and About window: its titles, reference, colours and version, and
// the About box's links, which follow the language file; and a start whose main window cannot
// be built, which says so and fails instead of ending quietly.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "common/form_splash_ui.h"
#include "common/web_address.h"
#include "designer/start/designer_splash_ui.h"
#include "designer/update/update_info.h"
#include "platform/shell.h"
#include "tests/designer/main_window_fixture.h"

namespace stagora::test {
namespace {

std::string Text(const QLabel* label) { return label->text().toStdString(); }

FormSplash* ShownSplash() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* s = dynamic_cast<FormSplash*>(top); s && s->isVisible()) return s;
  }
  return nullptr;
}

TEST_F(MainWindowTest, DesignerSplashShowsFourTitleLinesOnBlueBandsAndItsOwnVersion) {
  bool mainShown = false;
  bool splashShown = false;
  QPointer<FormSplash> splash = designer::LoadFormSplash({}, splashShown, [&] { mainShown = true; });
  splash->show();
  const std::array<std::string, 4> titles{"Number of theoretical plates", "Stagora", "method", ""};
  const std::array<int, 4> tops{20, 43, 81, 119};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(Text(splash->LblTIT[i]), titles[i]);
    EXPECT_EQ(splash->LblTIT[i]->pos(), QPoint(30, tops[i]));
  }
  EXPECT_EQ(Text(splash->LblRef), "Reference: TROV");
  EXPECT_EQ(Text(splash->lblVersion), "Version: " + designer::VersionText(designer::RunningVersion()));
  EXPECT_EQ(splash->Shape1Color[0], plat::Rgb(9, 63, 171));
  EXPECT_EQ(splash->Shape1Color[1], plat::Rgb(159, 221, 237));
  EXPECT_EQ(splash->Shape1[0], (SplashRect{10, 10, 520, 111}));
  EXPECT_EQ(splash->Shape2, (SplashRect{9, 9, 521, 355}));
  EXPECT_TRUE(splash->Timer1->isActive());
  EXPECT_FALSE(splash->LblWEB->isVisible());
  splash->grab().save(QString::fromStdString(ArtefactDir() + "/designer_splash.png"));

  QTest::mouseClick(splash->lblVersion, Qt::LeftButton);
  EXPECT_TRUE(mainShown);
  EXPECT_TRUE(splashShown);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(splash.isNull());
}

TEST_F(MainWindowTest, AboutLinksFollowTheLanguageFileWhileTheTooltipKeepsTheSite) {
  designer::FormMain& w = Load();
  MessageBoxRecorder boxes;
  std::vector<std::string> opened;
  const ScopedHook desktop(plat::SetOpenWithDesktopHandler, [&](const std::string& target) {
    opened.push_back(target);
    return false;
  });
  // A language file naming another page.
  form->State().Txt_HomePage = "https://other.example/page";
  bool seen = false;
  QTimer::singleShot(0, [&] {
    FormSplash* about = ShownSplash();
    ASSERT_NE(about, nullptr);
    seen = true;
    EXPECT_FALSE(about->Timer1->isActive());
    EXPECT_TRUE(about->LblWEB->isVisible());
    EXPECT_EQ(about->LblWEB->toolTip().toStdString(), "www.norvath.example");
    about->grab().save(QString::fromStdString(ArtefactDir() + "/designer_about.png"));
    QTest::mouseClick(about->LblWEB, Qt::LeftButton);
    QTest::mouseClick(about->LlblMAIL, Qt::LeftButton);
    EXPECT_TRUE(about->isVisible());
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(450, 260));
  });
  MenuItem(w, "mnu_Ayuda_Acerca")->trigger();
  ASSERT_TRUE(seen);
  EXPECT_EQ(opened, (std::vector<std::string>{"https://other.example/page", "mailto:info@norvath.example"}));
  ASSERT_EQ(boxes.requests().size(), 2u);
  EXPECT_EQ(boxes.requests()[0].text, w.State().Txt_No_connect + "\r\nhttps://other.example/page");
  EXPECT_EQ(boxes.requests()[0].text, "The web address cannot be opened:\r\nhttps://other.example/page");
  EXPECT_EQ(boxes.requests()[0].style, 48);
  EXPECT_EQ(boxes.requests()[1].text, "Your e-mail program cannot be started.");
  EXPECT_EQ(ShownSplash(), nullptr);
}

constexpr const char* kStartChildVariable = "STAGORA_START_FAILURE_CHILD";

// The start runs the program's event loop to its end, so it runs in a child process of this
// test program, which reports the message boxes it was shown on standard output.
TEST(DesignerStart, AMainWindowThatCannotBeBuiltEndsTheProgramWithAMessageAndAFailure) {
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(kStartChildVariable, "1");
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=DesignerStartChild.*"});
  ASSERT_TRUE(child.waitForFinished(120000));
  const std::string out = child.readAllStandardOutput().toStdString();
  const std::string err = child.readAllStandardError().toStdString();
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(child.exitCode(), EXIT_FAILURE) << err;
  EXPECT_NE(err.find("The main window could not be shown: map::at"), std::string::npos) << err;
  EXPECT_NE(out.find("box 16: The main window could not be shown: map::at"), std::string::npos) << out;
}

// Runs only inside the child process started above.
TEST(DesignerStartChild, MainWindowThrowsWhileTheSplashCloses) {
  if (!std::getenv(kStartChildVariable)) GTEST_SKIP() << "run by DesignerStart";
  MessageBoxRecorder boxes;
  // What a menu row naming a menu that is not there did: the table's lookup throws.
  bool splashShown = false;
  designer::ShowStartSplash(splashShown, [] { throw std::out_of_range("map::at"); });
  QTimer::singleShot(0, [] {
    if (FormSplash* splash = ShownSplash()) splash->close();
  });
  const int status = QApplication::exec();
  for (const plat::MsgRequest& box : boxes.requests()) std::printf("box %d: %s\n", box.style, box.text.c_str());
  std::fflush(stdout);
  std::exit(status);
}

}  // namespace
}  // namespace stagora::test
