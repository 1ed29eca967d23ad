// The tool buttons under the input panel: the pressed look one pixel off the rest position,
// and one action per click.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>

#include "designer/window/controls.h"
#include "tests/designer/main_window_fixture.h"

namespace stagora::test {
namespace {

class ToolButtons : public ShownWindowTest {
 protected:
  static QPoint Face(const designer::FormMain& w, int i) { return w.Image1[i]->pos(); }
  static QPoint Caption(const designer::FormMain& w, int i) { return w.LabelB[i]->pos(); }
};

TEST_F(ToolButtons, PressShiftsFaceAndCaptionByOnePixelAndTheClickCalculatesOnce) {
  designer::FormMain& w = Show();
  const QPoint face = Face(w, 0);
  const QPoint caption = Caption(w, 0);
  EXPECT_EQ(caption, face + QPoint(0, 6));
  ResetCalculations();

  QTest::mousePress(w.LabelB[0], Qt::LeftButton);
  EXPECT_EQ(Face(w, 0), face + QPoint(1, 1));
  EXPECT_EQ(Caption(w, 0), caption + QPoint(1, 1));
  EXPECT_EQ(Calculations(), 0);  // the press alone does nothing
  QTest::mouseRelease(w.LabelB[0], Qt::LeftButton);
  EXPECT_EQ(Face(w, 0), face);
  EXPECT_EQ(Caption(w, 0), caption);
  EXPECT_EQ(Calculations(), 1);

  // The right button presses too, but makes no click.
  QTest::mousePress(w.LabelB[0], Qt::RightButton);
  EXPECT_EQ(Face(w, 0), face + QPoint(1, 1));
  QTest::mouseRelease(w.LabelB[0], Qt::RightButton);
  EXPECT_EQ(Face(w, 0), face);
  EXPECT_EQ(Calculations(), 1);

  // Released off the button: back at rest, no click.
  QTest::mousePress(w.LabelB[0], Qt::LeftButton);
  QTest::mouseRelease(w.LabelB[0], Qt::LeftButton, {}, QPoint(-5, -5));
  EXPECT_EQ(Face(w, 0), face);
  EXPECT_EQ(Calculations(), 1);

  // A double-click is one click: the widgets see press, release, double-click, release.
  QTest::mousePress(w.LabelB[0], Qt::LeftButton);
  QTest::mouseRelease(w.LabelB[0], Qt::LeftButton);
  const QPointF at(10, 10);
  QMouseEvent dbl(QEvent::MouseButtonDblClick, at, w.LabelB[0]->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(w.LabelB[0], &dbl);
  QTest::mouseRelease(w.LabelB[0], Qt::LeftButton);
  EXPECT_EQ(Calculations(), 2);
  EXPECT_EQ(Face(w, 0), face);
}

TEST_F(ToolButtons, ClearEmptiesTheFieldsAndLeavesTheDesignUnmodified) {
  designer::FormMain& w = Show();
  w.Text[field::kMoreVolatileName]->setText("Benzene");
  ASSERT_TRUE(w.Modificado);
  QTest::mouseClick(w.LabelB[1], Qt::LeftButton);
  for (int n = 1; n <= 15; ++n) EXPECT_TRUE(w.Text[n]->text().isEmpty()) << "Text" << n;
  EXPECT_EQ(w.Text[field::kMoreVolatileName]->text(), "Benzene");
  EXPECT_FALSE(w.Modificado);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(w.Label2[i]->isHidden());
  EXPECT_EQ(Face(w, 1), QPoint(w.BotonLeft[1], w.BotonTop[1]));
}

TEST_F(ToolButtons, ThePressedLookFollowsTheRestPositionAfterAResize) {
  designer::FormMain& w = Show();
  const int before = w.BotonTop[2];
  w.resize(w.width(), w.height() + 100);
  QApplication::processEvents();
  ASSERT_EQ(w.BotonTop[2], before + 50);
  QTest::mousePress(w.LabelB[2], Qt::LeftButton);
  EXPECT_EQ(Face(w, 2), QPoint(w.BotonLeft[2] + 1, w.BotonTop[2] + 1));
  EXPECT_EQ(Caption(w, 2), QPoint(w.BotonLeft[2] + 1, w.BotonTop[2] + 7));
  QTest::mouseRelease(w.LabelB[2], Qt::LeftButton);
  EXPECT_EQ(Caption(w, 2), QPoint(w.BotonLeft[2], w.BotonTop[2] + 6));
}

TEST_F(ToolButtons, TabReachesEachButtonAndSpaceOrEnterPressesIt) {
  designer::FormMain& w = Show();
  const auto tabFrom = [&](QWidget* from) {
    from->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    return QApplication::focusWidget();
  };
  // The three buttons follow the panel's last field, in their row's order.
  EXPECT_EQ(tabFrom(w.Text[field::kXBottoms]), w.LabelB[0]);
  EXPECT_EQ(tabFrom(w.LabelB[0]), w.LabelB[1]);
  EXPECT_EQ(tabFrom(w.LabelB[1]), w.LabelB[2]);
  // In table mode the table button takes alpha's place after the component names.
  w.OptTAB->setChecked(true);
  EXPECT_EQ(tabFrom(w.Text[field::kLessVolatileName]), w.LabelB[3]);
  EXPECT_EQ(tabFrom(w.LabelB[3]), w.Text[field::kThermalQ]);
  w.OptVOL->setChecked(true);

  // A held key shows the pressed look; its release runs the action once.
  ResetCalculations();
  w.LabelB[0]->setFocus(Qt::TabFocusReason);
  QTest::keyPress(w.LabelB[0], Qt::Key_Space);
  EXPECT_EQ(Face(w, 0), QPoint(w.BotonLeft[0] + 1, w.BotonTop[0] + 1));
  EXPECT_EQ(Calculations(), 0);
  QTest::keyRelease(w.LabelB[0], Qt::Key_Space);
  EXPECT_EQ(Face(w, 0), QPoint(w.BotonLeft[0], w.BotonTop[0]));
  EXPECT_EQ(Calculations(), 1);
  QTest::keyClick(w.LabelB[0], Qt::Key_Return);
  QTest::keyClick(w.LabelB[0], Qt::Key_Enter);
  EXPECT_EQ(Calculations(), 3);
  w.LabelB[1]->setFocus(Qt::TabFocusReason);
  QTest::keyClick(w.LabelB[1], Qt::Key_Space);
  for (int n = 1; n <= 15; ++n) EXPECT_TRUE(w.Text[n]->text().isEmpty()) << "Text" << n;

  // A click leaves the focus where it was, in the field being typed in.
  w.Text[field::kXDistillate]->setFocus(Qt::TabFocusReason);
  QTest::mouseClick(w.LabelB[0], Qt::LeftButton);
  EXPECT_EQ(QApplication::focusWidget(), w.Text[field::kXDistillate]);
}

TEST_F(ToolButtons, TheButtonWithTheFocusShowsAFrameAndOnlyThat) {
  designer::FormMain& w = Show();
  const auto look = [&] { return w.LabelB[2]->grab().toImage(); };
  w.Text[field::kXDistillate]->setFocus(Qt::TabFocusReason);
  const QImage atRest = look();
  w.LabelB[2]->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  const QImage focused = look();
  EXPECT_NE(focused, atRest);
  // The frame lies inside the face, off the caption's edges.
  const QImage face = w.Image1[2]->grab().toImage();
  int changed = 0;
  for (int y = 0; y < focused.height(); ++y) {
    for (int x = 0; x < focused.width(); ++x) {
      if (focused.pixel(x, y) == atRest.pixel(x, y)) continue;
      ++changed;
      EXPECT_TRUE(x > 0 && x < focused.width() - 1 && y < face.height() - 6) << x << "," << y;
    }
  }
  EXPECT_GT(changed, 0);
  w.Text[field::kXDistillate]->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(look(), atRest);
}

}  // namespace
}  // namespace stagora::test
