// The new-version notice: its layout, the address it opens (web pages only), and the ways
// it closes.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "designer/update/form_nueva_version_ui.h"
#include "designer/update/web_update.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/textfile.h"
#include "tests/support/test_support.h"

namespace stagora::test {
namespace {

using designer::FormNuevaVersion;

constexpr const char* kHome = "https://home.example/";

class NoticeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::SetProgramFolder(ProgramDir());
  }
  void TearDown() override { plat::SetProgramFolder(ProgramDir()); }

  // A program folder whose A2R language file holds these lines.
  void UseLanguageFile(const std::string& lines) {
    const std::string folder = ScratchDir("program-" + std::to_string(++folders));
    ASSERT_TRUE(plat::CreateDirectory(plat::JoinPath(folder, "lang")));
    ASSERT_TRUE(plat::WriteTextFile(plat::JoinPath(folder, "lang/ENG_WIN_A2R.lmo"), lines));
    plat::SetProgramFolder(folder);
  }

  static std::string Text(const QLabel* l) { return l->text().toStdString(); }

  std::vector<std::string> opened;
  bool desktopOpens = true;
  // What the check announced, and the main window's first line when nothing opens.
  designer::UpdateInfo newVersion{true, "https://downloads.example/stagora-setup.exe", "9.9.9"};
  const std::string noConnect = "The web address cannot be opened:";
  int folders = 0;
  const ScopedHook<plat::OpenHandler> desktop_{plat::SetOpenWithDesktopHandler, [this](const std::string& target) {
                                                 opened.push_back(target);
                                                 return desktopOpens;
                                               }};
};

TEST_F(NoticeTest, LaysItselfOutAsDesigned) {
  newVersion.url = "https://downloads.example/" + std::string(300, 'a') + "/setup.exe";
  FormNuevaVersion notice(nullptr, newVersion, kHome, noConnect);
  const int W = notice.width();
  EXPECT_EQ(W, 494);
  EXPECT_EQ(notice.BotonLeft, (std::array<int, 2>{96, 257}));
  EXPECT_EQ(notice.BotonTop, (std::array<int, 2>{353, 353}));
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(notice.Image1[i]->geometry(), QRect(notice.BotonLeft[i], 353, 141, 34));
    EXPECT_EQ(notice.Label3[i]->geometry(), QRect(notice.BotonLeft[i], 359, 141, 34));
  }
  EXPECT_EQ(notice.Shape1->geometry(), QRect(3, 5, W - 5, 333));
  EXPECT_EQ(notice.Shape2->geometry(), QRect(3, 333, W - 5, 77));
  EXPECT_EQ(notice.Text1->geometry(), QRect(29, 65, W - 39, 20));  // however long the address
  EXPECT_EQ(notice.Text1->text().toStdString(), newVersion.url);
  EXPECT_EQ(notice.Label1[0]->geometry(), QRect(19, 15, 462, 50));
  EXPECT_EQ(notice.Label1[5]->geometry(), QRect(19, 270, W - 25, 45));
  EXPECT_EQ(notice.Image2->geometry(), QRect(360, 110, 102, 140));

  EXPECT_EQ(Text(notice.Label1[0]),
            "A new version of Stagora Number of theoretical plates is available. You can download it from:");
  EXPECT_EQ(Text(notice.Label1[2]), designer::VersionText(designer::RunningVersion()));
  EXPECT_EQ(Text(notice.Label1[4]), "9.9.9");
  EXPECT_EQ(Text(notice.Label1[5]), "Please close Stagora Number of theoretical plates before you install the new version.");
  EXPECT_EQ(Text(notice.Label3[0]), "Download");
  EXPECT_EQ(Text(notice.Label3[1]), "Close");
  EXPECT_TRUE(notice.Label1[3]->font().bold());
  EXPECT_FALSE(notice.Label1[1]->font().bold());
}

TEST_F(NoticeTest, VersionsFollowTheWidthsOfTheirCaptions) {
  const std::string shortCaptions = "[Installed_ver]=Inst.:\r\n[Available_ver]=New:\r\n";
  const std::string longCaptions =
      "[Installed_ver]=The version installed on this computer:\r\n[Available_ver]=The version you can get now:\r\n";
  int previousRight[2] = {0, 0};
  for (const std::string& captions : {shortCaptions, longCaptions}) {
    UseLanguageFile(captions);
    FormNuevaVersion notice(nullptr, newVersion, kHome, noConnect);
    for (int k = 0; k < 2; ++k) {
      const QLabel* caption = notice.Label1[1 + 2 * k];
      const QLabel* version = notice.Label1[2 + 2 * k];
      EXPECT_EQ(version->x(), caption->x() + caption->width() + 8);
      EXPECT_GT(version->x(), previousRight[k]);
      previousRight[k] = version->x();
    }
  }
}

TEST_F(NoticeTest, WithoutItsLanguageFileItKeepsItsBuiltInWords) {
  plat::SetProgramFolder(ScratchDir("program-without-lang"));
  FormNuevaVersion notice(nullptr, newVersion, kHome, noConnect);
  EXPECT_FALSE(Text(notice.Label1[0]).empty());
  EXPECT_EQ(Text(notice.Label3[0]), "Descargar");
  EXPECT_EQ(Text(notice.Label1[4]), "9.9.9");
  EXPECT_EQ(notice.Text1->text().toStdString(), newVersion.url);
}

TEST_F(NoticeTest, OnlyAWebAddressIsOpened) {
  const struct {
    const char* url;
    bool desktopOpens;
    bool handedOn;
    bool complaint;
  } cases[] = {
      {"https://downloads.example/setup.exe", true, true, false},
      {"http://downloads.example/setup.exe", true, true, false},
      {"https://downloads.example/setup.exe", false, true, true},  // nothing could open it
      {"", true, false, true},
      {"file:///etc/passwd", true, false, true},
      {"/usr/bin/xterm", true, false, true},
      {"javascript:alert(1)", true, false, true},
      {"mailto:someone@example.test", true, false, true},
  };
  for (const auto& c : cases) {
    for (bool byLink : {false, true}) {
      SCOPED_TRACE(std::string(c.url) + (byLink ? " (link)" : " (button)"));
      newVersion.url = c.url;
      desktopOpens = c.desktopOpens;
      opened.clear();
      MessageBoxRecorder boxes;
      FormNuevaVersion notice(nullptr, newVersion, kHome, noConnect);
      notice.show();
      if (byLink) {
        QTest::mouseClick(notice.Text1, Qt::LeftButton);
      } else {
        QTest::mouseClick(notice.Label3[0], Qt::LeftButton);
      }
      EXPECT_EQ(opened, c.handedOn ? std::vector<std::string>{c.url} : std::vector<std::string>{});
      ASSERT_EQ(boxes.requests().size(), c.complaint ? 1u : 0u);
      if (c.complaint) {
        EXPECT_EQ(boxes.requests()[0].text, std::string("The web address cannot be opened:\r\n") + kHome);
        EXPECT_EQ(boxes.requests()[0].style, plat::kExclamation);
      }
      EXPECT_FALSE(notice.isVisible());
      EXPECT_EQ(notice.Text1->text().toStdString(), c.url);  // the window changes nothing of the answer
    }
  }
}

TEST_F(NoticeTest, CloseButtonEscAndCCloseWithoutOpening) {
  {
    FormNuevaVersion notice(nullptr, newVersion, kHome, noConnect);
    notice.show();
    QTest::mousePress(notice.Label3[1], Qt::LeftButton);
    EXPECT_EQ(notice.Image1[1]->pos(), QPoint(notice.BotonLeft[1] + 1, notice.BotonTop[1] + 1));
    EXPECT_EQ(notice.Label3[1]->pos(), QPoint(notice.BotonLeft[1] + 1, notice.BotonTop[1] + 7));
    QTest::mouseRelease(notice.Label3[1], Qt::LeftButton);
    EXPECT_EQ(notice.Image1[1]->pos(), QPoint(notice.BotonLeft[1], notice.BotonTop[1]));
    EXPECT_FALSE(notice.isVisible());
  }
  for (Qt::Key key : {Qt::Key_Escape, Qt::Key_C}) {
    FormNuevaVersion notice(nullptr, newVersion, kHome, noConnect);
    notice.show();
    notice.Text1->setFocus();
    QTest::keyClick(notice.Text1, Qt::Key_X);
    EXPECT_TRUE(notice.isVisible());
    QTest::keyClick(notice.Text1, key);  // the window sees the key before the link does
    EXPECT_FALSE(notice.isVisible());
  }
  EXPECT_TRUE(opened.empty());
}

}  // namespace
}  // namespace stagora::test
