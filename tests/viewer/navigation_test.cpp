// Moving about a document: the zoom commands, the keys, the wheel and the page buttons.
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include <QtTest/qtestspontaneevent.h>

#include "tests/viewer/paged_document_fixture.h"
#include "platform/image_surface.h"
#include "viewer/app/controls.h"
#include "viewer/document/page_blocks.h"
#include "viewer/document/pagination.h"

namespace stagora::viewer::test {
namespace {

using NavigationTest = PagedDocumentTest;

std::vector<long> PagesOfBlocks(const ViewerState& v) {
  std::vector<long> pages;
  for (const PageBlock& b : v.Blocks) pages.push_back(b.Page);
  return pages;
}

std::vector<QAction*> ZoomItems(const FormMain& f) {
  return {f.mnu_zoomANCHO, f.mnu_zoom50, f.mnu_zoom75, f.mnu_zoom100, f.mnu_zoom150, f.mnu_zoom200};
}

// Presses a key as the classic code, as Form_KeyDown gets it; returns what is left of the code.
int Press(FormMain& f, int code) {
  f.Form_KeyDown(code, 0);
  return code;
}

TEST_F(NavigationTest, ZoomCommandsCheckTheirItemRedrawAtTheNewSizeAndShowThePageFromItsTopLeft) {
  FormMain& f = OpenShown(150);
  ASSERT_GE(V().PageCount, 3);
  const std::vector<long> pages = PagesOfBlocks(V());
  f.ImgRPage_Click();
  ASSERT_EQ(V().CurrentPage, 2);

  // Through the menu item, as the user chooses it.
  f.mnu_zoom200->trigger();
  EXPECT_DOUBLE_EQ(V().Zoom, 2.0);
  for (QAction* a : ZoomItems(f)) EXPECT_EQ(a->isChecked(), a == f.mnu_zoom200) << a->objectName().toStdString();
  EXPECT_EQ(f.Picture1->size(), QSize(1592, 2250));
  EXPECT_FALSE(f.HScroll1->widget()->isHidden());
  EXPECT_FALSE(f.VScroll1->widget()->isHidden());
  EXPECT_EQ(f.Picture1->pos(), QPoint(8, 60));  // the page's top-left corner in view
  EXPECT_EQ(V().CurrentPage, 2);
  EXPECT_EQ(PagesOfBlocks(V()), pages);  // no new pagination
  EXPECT_EQ(f.LbPage->text(), QString("Pag. 2/%1").arg(V().PageCount));

  f.mnu_zoom50_Click();
  EXPECT_EQ(f.Picture1->size(), QSize(398, 562));
  EXPECT_TRUE(f.VScroll1->widget()->isHidden());
  EXPECT_TRUE(f.HScroll1->widget()->isHidden());
  EXPECT_TRUE(f.Client->rect().contains(f.Picture1->geometry()));  // the whole page in view
  EXPECT_TRUE(f.mnu_zoom50->isChecked());
  EXPECT_FALSE(f.mnu_zoom200->isChecked());

  for (auto [item, zoom] : {std::pair{f.mnu_zoom75, 0.75}, {f.mnu_zoom100, 1.0}, {f.mnu_zoom150, 1.5}}) {
    item->trigger();
    EXPECT_DOUBLE_EQ(V().Zoom, zoom);
    EXPECT_TRUE(item->isChecked());
  }

  // Fit to width in a window narrower than half a page stops at half size.
  f.resize(400, 735);
  QCoreApplication::processEvents();
  f.mnu_zoomANCHO->trigger();
  EXPECT_DOUBLE_EQ(V().Zoom, 0.5);
  EXPECT_TRUE(f.mnu_zoomANCHO->isChecked());
  EXPECT_FALSE(f.mnu_zoom150->isChecked());
}

// At every zoom, the fitted width too, the first letter of each line at the left margin is
// drawn whole: the frame of a later section, a band over the page's whole height to the left
// of the margin, leaves them as the page without frames shows them.
TEST_F(NavigationTest, EveryZoomShowsTheFirstLettersOfTheLinesWhole) {
  FormMain& f = Load();
  f.FitWidthPending = false;
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  std::string resolution;
  for (int k = 1; k <= 60; ++k) resolution += "Mole fraction of step " + std::to_string(k) + "&LF";
  V().DocPath = WriteDocument(
      "solution.rex",
      "#DEC(.#DEC)#ENU(&+BNumber of Theoretical Plates by Stagora\x96Thiele method.&-B&LFDistillation of the "
      "binary feed.&LFMole fractions in the streams:&LF    Feed:&SP=18:&+Iz&-I_F = 0&.46&LFParameter of thermal "
      "state of feed:&LF    &+Iq&-I = 0.5&LF#ENU)#SOL(Minimum reflux ratio&LF#SOL)#RS1(Step&LF#RS1)#RS2(" +
          resolution + "#RS2)");
  f.OpenFile();
  ASSERT_TRUE(V().DocumentLoaded);
  for (QAction* item : ZoomItems(f)) {
    item->trigger();
    SCOPED_TRACE(item->objectName().toStdString());
    const QImage shown = f.Picture1->surface().image().copy();
    // The zoom the page was laid out at (a page that does not fit at a zoom is set smaller).
    double zoom = LastPageLayout(V()).MargenIzq / (16 / 25.4 * 1440);
    if (std::abs(zoom - V().Zoom) < 1e-9) zoom = V().Zoom;
    std::string letters = PageText(V().Blocks, 1);
    for (const std::string_view frame : {kSectionFrame, kAnswerFrame}) {
      for (std::size_t at; (at = letters.find(frame)) != std::string::npos;) letters.erase(at, frame.size());
    }
    plat::ImageSurface plain(f.Picture1->width(), f.Picture1->height());
    plain.setScaleMode(plat::ScaleMode::Twips);
    plain.cls();
    ASSERT_TRUE(DrawOnPagePicture(V(), letters, zoom * 12, plain, zoom));
    const QImage expected = plain.image();
    // The strip from the pixel column the margin falls in on.
    const int from = static_cast<int>(LastPageLayout(V()).MargenIzq / 15);
    int differing = 0, ink = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = from; x < from + 20; ++x) {
        differing += shown.pixel(x, y) != expected.pixel(x, y);
        ink += qGray(expected.pixel(x, y)) < 128;
      }
    }
    EXPECT_GT(ink, 0);
    EXPECT_EQ(differing, 0) << "at zoom " << zoom;
  }
}

TEST_F(NavigationTest, KeysScrollThePageAndTurnItAtItsEnds) {
  FormMain& f = OpenShown(150);
  ASSERT_GE(V().PageCount, 3);
  ScrollBarControl& v = *f.VScroll1;
  ASSERT_FALSE(v.widget()->isHidden());  // the page at 100 % is taller than the window
  ASSERT_LT(v.Max(), v.Min());

  // Page Up on page 1 refuses; Page Down turns.
  EXPECT_EQ(Press(f, 33), 0);
  EXPECT_EQ(V().CurrentPage, 1);
  EXPECT_EQ(Press(f, 34), 0);
  EXPECT_EQ(V().CurrentPage, 2);

  // Down arrow scrolls one small step at a time down to the page's foot, then turns to the
  // next page's top; Up arrow at the top turns back to the previous page's top.
  EXPECT_EQ(Press(f, 40), 0);
  EXPECT_EQ(v.Value(), v.Min() - 60);
  EXPECT_EQ(f.Picture1->y(), v.Min() - 60);
  EXPECT_EQ(f.ShapeShadow->y(), v.Min() - 58);
  while (v.Value() != v.Max()) Press(f, 40);
  EXPECT_EQ(V().CurrentPage, 2);
  Press(f, 40);
  EXPECT_EQ(V().CurrentPage, 3);
  EXPECT_EQ(v.Value(), v.Min());
  Press(f, 38);
  EXPECT_EQ(V().CurrentPage, 2);
  EXPECT_EQ(v.Value(), v.Min());
  Press(f, 40);
  Press(f, 38);
  EXPECT_EQ(v.Value(), v.Min());  // back up by the same step, not past the top
  EXPECT_EQ(V().CurrentPage, 2);

  // End shows the last page, also when it is shown; Home the first.
  Press(f, 35);
  EXPECT_EQ(V().CurrentPage, V().PageCount);
  Press(f, 35);
  EXPECT_EQ(V().CurrentPage, V().PageCount);
  Press(f, 36);
  EXPECT_EQ(V().CurrentPage, 1);
  Press(f, 36);
  EXPECT_EQ(V().CurrentPage, 1);

  // Left and right do nothing while the page fits across, but are still the window's.
  const int left = f.Picture1->x();
  EXPECT_EQ(Press(f, 37), 0);
  EXPECT_EQ(Press(f, 39), 0);
  EXPECT_EQ(f.Picture1->x(), left);
  // At 200 % the page is wider than the window: right moves it left, to its far edge.
  f.mnu_zoom200_Click();
  ScrollBarControl& h = *f.HScroll1;
  Press(f, 39);
  EXPECT_EQ(h.Value(), h.Min() - 60);
  for (int i = 0; i < 40; ++i) Press(f, 39);
  EXPECT_EQ(h.Value(), h.Max());
  Press(f, 37);
  EXPECT_EQ(h.Value(), h.Max() + 60);
  EXPECT_EQ(f.Picture1->x(), h.Max() + 60);

  // Other keys pass, and none is taken while a page is being drawn.
  EXPECT_EQ(Press(f, 65), 65);
  V().Busy = Work::Drawing;
  EXPECT_EQ(Press(f, 34), 34);
  EXPECT_EQ(V().CurrentPage, 1);
  V().Busy = Work::Idle;

  // A real key reaches the window before the scroll bar that has the focus.
  v.widget()->setFocusPolicy(Qt::StrongFocus);
  v.widget()->setFocus();
  QTest::keyClick(v.widget(), Qt::Key_PageDown);
  EXPECT_EQ(V().CurrentPage, 2);
}

TEST_F(NavigationTest, WithoutADocumentThePageKeysRefuseAndLeaveThePageNumberAlone) {
  FormMain& f = Load();
  V().CurrentPage = 0;
  for (const int key : {33, 34, 35, 36, 38, 40}) {
    EXPECT_EQ(Press(f, key), 0) << key;
    EXPECT_EQ(V().CurrentPage, 0) << key;
  }
}

TEST_F(NavigationTest, APageThatFitsTheWindowTurnsWithTheArrowsAndIgnoresTheWheel) {
  FormMain& f = OpenShown(150);
  f.mnu_zoom50_Click();
  ASSERT_TRUE(f.VScroll1->widget()->isHidden());
  const QPoint place = f.Picture1->pos();
  Press(f, 40);
  EXPECT_EQ(V().CurrentPage, 2);
  Press(f, 38);
  EXPECT_EQ(V().CurrentPage, 1);
  f.MouseWheel(0, -120, 0, 0);
  EXPECT_EQ(f.Picture1->pos(), place);
  EXPECT_EQ(V().CurrentPage, 1);
}

TEST_F(NavigationTest, WheelMovesThePageOneStepEachWayAndNeverTurnsIt) {
  FormMain& f = OpenShown(150);
  ScrollBarControl& v = *f.VScroll1;
  ASSERT_FALSE(v.widget()->isHidden());
  f.MouseWheel(0, 120, 0, 0);  // away from the user at the top: stays at the top
  EXPECT_EQ(v.Value(), v.Min());
  f.MouseWheel(0, -1200, 0, 0);  // a fast spin is one step all the same
  EXPECT_EQ(v.Value(), v.Min() - 60);
  f.MouseWheel(0, 120, 0, 0);
  EXPECT_EQ(v.Value(), v.Min());
  for (int i = 0; i < 40; ++i) f.MouseWheel(0, -120, 0, 0);
  EXPECT_EQ(v.Value(), v.Max());
  EXPECT_EQ(V().CurrentPage, 1);

  // The wheel over the page reaches MouseWheel through the window's hook, as the window system
  // delivers it: up from the page, which does not take it.
  f.MouseWheel(0, 120, 0, 0);
  const int before = v.Value();
  QWheelEvent wheel(QPointF(100, 100), f.Picture1->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QSpontaneKeyEvent::setSpontaneous(&wheel);
  QApplication::instance()->notify(f.Picture1, &wheel);
  EXPECT_EQ(v.Value(), before - 60);
}

TEST_F(NavigationTest, PageButtonsTurnOnClickAndLookPressedWhileHeld) {
  FormMain& f = OpenShown(150);
  QTest::mousePress(f.ImgRPage, Qt::LeftButton, {}, QPoint(9, 9));
  EXPECT_EQ(f.ImgRPage->pos(), QPoint(121, 3));
  QTest::mouseRelease(f.ImgRPage, Qt::LeftButton, {}, QPoint(9, 9));
  EXPECT_EQ(f.ImgRPage->pos(), QPoint(120, 2));
  EXPECT_EQ(V().CurrentPage, 2);
  EXPECT_FALSE(f.Picture1->isHidden());
  EXPECT_EQ(f.ShapeShadow->backColor(), plat::Rgb(64, 64, 64));
  QTest::mouseClick(f.ImgLPage, Qt::LeftButton, {}, QPoint(9, 9));
  EXPECT_EQ(f.ImgLPage->pos(), QPoint(5, 2));
  EXPECT_EQ(V().CurrentPage, 1);
  QTest::mouseClick(f.ImgLPage, Qt::LeftButton, {}, QPoint(9, 9));
  EXPECT_EQ(V().CurrentPage, 1);  // refused at the first page
}

}  // namespace
}  // namespace stagora::viewer::test
