// The equilibrium-mode options: what each shows and hides, when UsarTabla changes and when
// the design is recalculated; and the panel's free surface hiding the coordinate readout.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>

#include "designer/window/controls.h"
#include "tests/designer/main_window_fixture.h"

namespace stagora::test {
namespace {

class EquilibriumMode : public ShownWindowTest {
 protected:
  // The controls of each mode, visible (true) or not.
  static std::vector<bool> AlphaControls(const designer::FormMain& w) {
    return {w.Label1[0]->isVisible(), w.Label1[12]->isVisible(), w.Text[field::kAlpha]->isVisible(), w.Line1[0]->isVisible(),
            w.Image2[0]->isVisible()};
  }
  static std::vector<bool> TableControls(const designer::FormMain& w) {
    return {w.Label1[30]->isVisible(), w.LabelB[3]->isVisible(), w.Image1[3]->isVisible()};
  }
};

const std::vector<bool> kAllShown5(5, true), kAllHidden5(5, false), kAllShown3(3, true), kAllHidden3(3, false);

TEST_F(EquilibriumMode, TableModeWithoutAUsableTableOnlyChangesTheLook) {
  for (int lastRow : {-1, 0}) {  // no table, or a table of one row
    SCOPED_TRACE(lastRow);
    designer::FormMain& w = Show();
    form->State().TablaELV.UltimoPuntoTabla = lastRow;
    const double stages = w.NumPlatosTeor;
    ResetCalculations();

    QTest::mouseClick(w.OptTAB, Qt::LeftButton);
    EXPECT_TRUE(w.OptTAB->isChecked());
    EXPECT_EQ(AlphaControls(w), kAllHidden5);
    EXPECT_EQ(TableControls(w), kAllShown3);
    EXPECT_FALSE(form->State().UsarTabla);
    EXPECT_EQ(Calculations(), 0);
    EXPECT_EQ(w.Text[field::kAlpha]->text(), "2");  // hidden, not lost

    QTest::mouseClick(w.OptVOL, Qt::LeftButton);
    EXPECT_EQ(AlphaControls(w), kAllShown5);
    EXPECT_EQ(TableControls(w), kAllHidden3);
    EXPECT_FALSE(form->State().UsarTabla);
    EXPECT_EQ(Calculations(), 1);
    EXPECT_EQ(w.NumPlatosTeor, stages);

    // Choosing the option already chosen changes nothing.
    QTest::mouseClick(w.OptVOL, Qt::LeftButton);
    EXPECT_EQ(Calculations(), 1);
  }
}

TEST_F(EquilibriumMode, AUsableTableIsTakenAndAlphaComesBack) {
  designer::FormMain& w = Show();
  // The default table is the alpha = 2 curve; alpha itself is made 3, so the two differ.
  w.Text[field::kAlpha]->setText("3");
  w.mnu_Archivo_CALC_Click();
  const double withAlpha = w.NumPlatosTeor;
  form->State().TablaELV.UltimoPuntoTabla = 20;
  ASSERT_FALSE(CrearSuperTABLA_ELV(form->State().TablaELV, form->State().SuperTablasELV).has_value());
  ResetCalculations();

  w.OptTAB->setChecked(true);  // as opening a project selects it
  EXPECT_TRUE(form->State().UsarTabla);
  EXPECT_EQ(Calculations(), 1);
  const double withTable = w.NumPlatosTeor;
  EXPECT_GT(withTable, withAlpha);  // the flatter curve needs more stages
  EXPECT_EQ(TableControls(w), kAllShown3);

  w.OptVOL->setChecked(true);
  EXPECT_FALSE(form->State().UsarTabla);
  EXPECT_EQ(Calculations(), 2);
  EXPECT_EQ(w.NumPlatosTeor, withAlpha);
}

TEST_F(EquilibriumMode, OnlyThePanelsFreeSurfaceHidesTheCoordinateReadout) {
  designer::FormMain& w = Show();
  auto moveOver = [&](QPoint at) {
    w.LblCOOR->show();
    QMouseEvent move(QEvent::MouseMove, at, w.Picture2->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w.Picture2, &move);
    return w.LblCOOR->isHidden();
  };
  // Inside the box of zF, below its field: boxes and tracks take no mouse.
  const designer::ShapeControl* box = w.Shape1[1];
  EXPECT_TRUE(moveOver(QPoint(box->x() + box->width() - 4, box->y() + box->height() - 4)));
  EXPECT_TRUE(moveOver(QPoint(w.Line1[1]->X1() + 3, w.Line1[1]->Y1())));
  // Fields, captions and pictures take it themselves.
  EXPECT_FALSE(moveOver(w.Text[field::kXFeed]->geometry().center()));
  EXPECT_FALSE(moveOver(w.Label1[1]->geometry().center()));
  EXPECT_FALSE(moveOver(w.ImageT->geometry().center()));
}

}  // namespace
}  // namespace stagora::test
