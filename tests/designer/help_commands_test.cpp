// The Help menu: the manual beside the program, the web page and the About box.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "designer/start/designer_splash_ui.h"
#include "platform/shell.h"
#include "platform/textfile.h"
#include "tests/designer/main_window_fixture.h"

namespace stagora::test {
namespace {

// Stands in for the desktop: records what it is asked to open and answers as told.
class Desktop {
 public:
  bool opens = true;
  std::vector<std::string> opened;

 private:
  const ScopedHook<plat::OpenHandler> desktop_{plat::SetOpenWithDesktopHandler, [this](const std::string& target) {
                                                 opened.push_back(target);
                                                 return opens;
                                               }};
};

class HelpCommands : public MainWindowTest {
 protected:
  MessageBoxRecorder boxes;
  Desktop desktop;
};

TEST_F(HelpCommands, F1WithoutAManualNamesTheMissingFile) {
  const std::string folder = ScratchDir("help-no-manual");
  designer::FormMain& w = Load();
  plat::SetProgramFolder(folder);  // the language file is read by now
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(w.Text[field::kXFeed], Qt::Key_F1);

  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text, "The file cannot be opened:\r\n" + folder + "/Manual_TROV.pdf");
  EXPECT_EQ(boxes.requests()[0].style, 48);
  EXPECT_EQ(boxes.requests()[0].title, "");  // the platform's own title
  EXPECT_TRUE(desktop.opened.empty());
  EXPECT_TRUE(w.isVisible());
}

TEST_F(HelpCommands, AManualIsHandedToTheDesktopAndARefusalIsTold) {
  const std::string folder = ScratchDir("help-manual");
  const std::string manual = folder + "/Manual_TROV.pdf";
  ASSERT_TRUE(plat::WriteTextFile(manual, "%PDF-1.4\n"));
  designer::FormMain& w = Load();
  plat::SetProgramFolder(folder);

  MenuItem(w, "mnu_Ayuda_Manual")->trigger();
  EXPECT_EQ(desktop.opened, std::vector<std::string>{manual});
  EXPECT_TRUE(boxes.requests().empty());

  desktop.opens = false;  // no program for PDF files
  MenuItem(w, "mnu_Ayuda_Manual")->trigger();
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text,
            "No program to show PDF files was found on this computer. The manual is this file:\r\n" + manual);
  EXPECT_EQ(boxes.requests()[0].style, 48);
  EXPECT_EQ(boxes.requests()[0].title, "");
}

TEST_F(HelpCommands, TheWebPageIsTheLanguageFilesAddress) {
  designer::FormMain& w = Load();
  MenuItem(w, "mnu_Ayuda_WEB")->trigger();
  ASSERT_EQ(desktop.opened.size(), 1u);
  EXPECT_EQ(desktop.opened[0], form->State().Txt_HomePage);
  EXPECT_FALSE(desktop.opened[0].empty());
}

TEST_F(HelpCommands, AboutStaysUntilAKeyClosesIt) {
  // A main window made without the start-up splash, as here, still opens the About box.
  designer::FormMain& main = designer::TheFormMain();
  main.show();
  bool seen = false;
  QTimer::singleShot(0, [&] {
    FormSplash* about = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* s = dynamic_cast<FormSplash*>(top); s && s->isVisible()) about = s;
    }
    ASSERT_NE(about, nullptr);
    seen = true;
    EXPECT_TRUE(about->isModal());
    EXPECT_FALSE(about->Timer1->isActive());
    QTest::qWait(50);
    EXPECT_TRUE(about->isVisible());
    QTest::keyClick(about, Qt::Key_Return);
  });
  MenuItem(main, "mnu_Ayuda_Acerca")->trigger();  // returns when the About box has gone
  EXPECT_TRUE(seen);
  EXPECT_TRUE(main.isVisible());

  main.close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(designer::FormMainExists());
}

}  // namespace
}  // namespace stagora::test
