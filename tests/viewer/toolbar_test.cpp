// The toolbar's buttons (places, faces, clicks and the pressed look) and the Help menu's
// manual and web page.
#include <QLabel>
#include <QMenu>

#include "platform/paths.h"
#include "platform/shell.h"
#include "tests/viewer/paged_document_fixture.h"
#include "viewer/app/artwork.h"
#include "viewer/app/controls.h"

namespace stagora::viewer::test {
namespace {

using stagora::test::MenuItem;
using stagora::test::MessageBoxRecorder;
using ToolbarTest = PagedDocumentTest;

bool ShowsFace(const FormMain& f, int i, bool pressed) {
  return f.PicToolB[i]->picture().toImage() == ToolButtonFace(i, pressed).toImage();
}

std::vector<bool> PressedFaces(const FormMain& f) {
  std::vector<bool> pressed;
  for (int i = 0; i < kToolButtons; ++i) pressed.push_back(ShowsFace(f, i, true));
  return pressed;
}

TEST_F(ToolbarTest, ViewButtonsRunTheirViewAndTheShownViewsButtonLooksPressed) {
  FormMain& f = OpenShown(5);
  for (int i = 0; i < kToolButtons; ++i) EXPECT_EQ(f.PicToolB[i]->x(), 20 + 60 * i);
  EXPECT_EQ(PressedFaces(f), (std::vector<bool>{false, false, false, false, false, false, true, false, false}));

  // Held down: the pressed face and the caption one pixel right and down.
  QTest::mousePress(f.PicToolB[3], Qt::LeftButton, {}, QPoint(30, 20));
  EXPECT_TRUE(ShowsFace(f, 3, true));
  EXPECT_EQ(f.LblBut[3]->pos(), QPoint(1, 40));
  QTest::mouseRelease(f.PicToolB[3], Qt::LeftButton, {}, QPoint(30, 20));
  EXPECT_EQ(f.LblBut[3]->pos(), QPoint(0, 39));
  EXPECT_EQ(V().ViewMode, kViewStatement);
  EXPECT_EQ(PressedFaces(f), (std::vector<bool>{false, false, false, true, false, false, false, false, false}));

  // A click on the caption is a click on its button.
  QTest::mouseClick(f.PicToolB[4], Qt::LeftButton, {}, f.LblBut[4]->geometry().center());
  EXPECT_EQ(V().ViewMode, kViewAnswer);
  f.LblBut_Click(5);
  EXPECT_EQ(V().ViewMode, kViewResolution1);

  // Pressed, and released away from the button: the normal face, and no command.
  QTest::mousePress(f.PicToolB[6], Qt::LeftButton, {}, QPoint(30, 20));
  QTest::mouseRelease(f.PicToolB[6], Qt::LeftButton, {}, QPoint(200, 20));
  EXPECT_TRUE(ShowsFace(f, 6, false));
  EXPECT_EQ(V().ViewMode, kViewResolution1);
}

TEST_F(ToolbarTest, ZoomAndHelpButtonsOpenTheirMenusAndAnUnknownKeyDoesNothing) {
  FormMain& f = OpenShown(5);
  f.PicToolB_Click(7);
  EXPECT_TRUE(f.mnu_zoom->isVisible());
  f.mnu_zoom->hide();
  f.PicToolB_Click(8);
  EXPECT_TRUE(f.mnu_Ayuda->isVisible());
  f.mnu_Ayuda->hide();
  f.PicToolB[3]->setProperty("Tag", "sinsol");  // keys are compared case for case
  f.PicToolB_Click(3);
  EXPECT_EQ(V().ViewMode, kViewResolution2);
}

TEST_F(ToolbarTest, ManualIsOpenedBesideTheProgramOrItsAbsenceToldWithThePath) {
  FormMain& f = Load();
  std::vector<std::string> opened;
  stagora::test::ScopedHook desktop(plat::SetOpenWithDesktopHandler, [&](const std::string& target) {
    opened.push_back(target);
    return true;
  });
  const std::string folder = root + "/program";
  std::filesystem::create_directories(folder);
  plat::SetProgramFolder(folder);
  const std::string manual = folder + "/Manual_OVDR_ENG.pdf";
  {
    MessageBoxRecorder boxes;
    MenuItem(f, "mnu_Ayuda_MAN")->trigger();
    ASSERT_EQ(boxes.requests().size(), 1u);
    EXPECT_EQ(boxes.requests()[0].text, f.GetL_win("FileNotFoundOpen") + "\r\n" + manual);
    EXPECT_EQ(boxes.requests()[0].style, plat::kExclamation);
    EXPECT_EQ(boxes.requests()[0].title, f.GetL_win("Error"));
    EXPECT_TRUE(opened.empty());
  }
  ASSERT_TRUE(plat::WriteTextFile(manual, "%PDF-1.4\r\n"));
  MenuItem(f, "mnu_Ayuda_MAN")->trigger();
  MenuItem(f, "mnu_Ayuda_WEB")->trigger();
  EXPECT_EQ(opened, (std::vector<std::string>{manual, "www.norvath.example/ovedra"}));
  // The manual is there, but nothing shows PDF files.
  desktop.replace([](const std::string&) { return false; });
  {
    MessageBoxRecorder boxes;
    MenuItem(f, "mnu_Ayuda_MAN")->trigger();
    ASSERT_EQ(boxes.requests().size(), 1u);
    EXPECT_EQ(boxes.requests()[0].text, f.GetL_win("NoPdfProgram") + "\r\n" + manual);
    EXPECT_EQ(boxes.requests()[0].style, plat::kExclamation);
    EXPECT_EQ(boxes.requests()[0].title, f.GetL_win("Error"));
  }
}

}  // namespace
}  // namespace stagora::viewer::test
