// The table editor's window and grid as the user meets them: its layout and captions, the
// working copy shown and edited in the cells, the keys that walk the cells, the scroll bar and
// the wheel.
#include <QLabel>
#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

#include "designer/window/controls.h"
#include "platform/paths.h"
#include "tests/table_editor/editor_fixture.h"

namespace stagora::test {
namespace {

using designer::FormXYinput;

struct Expected {
  const char* name;
  int left, top, width, height;
};

const Expected kControls[] = {
    {"Label1_3", 7, 5, 439, 19},     {"Label1_4", 7, 23, 439, 19},    {"Shape1", 6, 44, 443, 345},
    {"Label1_0", 10, 47, 68, 26},    {"Label1_1", 79, 47, 172, 26},   {"Label1_2", 252, 47, 172, 26},
    {"LblNUM_0", 10, 74, 68, 25},    {"TxtX_0", 78, 73, 174, 27},     {"TxTY_0", 251, 73, 174, 27},
    {"LblNUM_11", 10, 360, 68, 25},  {"TxtX_11", 78, 359, 174, 27},   {"TxTY_11", 251, 359, 174, 27},
    {"VScroll1", 427, 71, 20, 315},  {"Image1_0", 160, 491, 141, 34}, {"LabelB_0", 160, 497, 141, 34},
    {"Image1_1", 305, 491, 141, 34}, {"Image1_2", 305, 450, 141, 34}, {"Image1_3", 15, 450, 141, 34},
    {"Image1_4", 160, 450, 141, 34}, {"Image1_5", 15, 409, 141, 34},  {"Image1_6", 160, 409, 141, 34},
    {"LabelB_7", 305, 415, 141, 34},
};

QWidget* Find(QWidget& root, const char* name) { return root.findChild<QWidget*>(name); }

std::vector<std::string> Lines(const FormXYinput& e) {
  std::vector<std::string> lines;
  for (int i = 0; i < designer::kVisibleRows; ++i) {
    lines.push_back(e.LblNUM[i]->text().toStdString() + "|" + e.TxtX[i]->text().toStdString() + "|" +
                    e.TxTY[i]->text().toStdString());
  }
  return lines;
}

void Wheel(QWidget* to, int delta) {
  QWheelEvent e(QPointF(5, 5), QPointF(300, 200), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  // As the window system delivers it, so that it travels up from a child that leaves it.
  QSpontaneKeyEvent::setSpontaneous(&e);
  QApplication::instance()->notify(to, &e);
}

class EditorWindowTest : public TableEditorTest {};

TEST_F(EditorWindowTest, LoadLaysOutTheWindowAndShowsTheStartingTable) {
  FormXYinput& e = OpenEditor();
  EXPECT_EQ(e.width(), 455);
  EXPECT_EQ(e.height(), 543);
  for (const Expected& c : kControls) {
    QWidget* w = Find(e, c.name);
    ASSERT_NE(w, nullptr) << c.name;
    EXPECT_EQ(w->geometry(), QRect(c.left, c.top, c.width, c.height)) << c.name;
  }
  const double scale = designer::ScreenTwipsPerPixelX() / 15;
  EXPECT_DOUBLE_EQ(e.Label1[3]->font().pointSizeF(), 9 * scale);
  EXPECT_DOUBLE_EQ(e.TxtX[0]->font().pointSizeF(), 11 * scale);
  EXPECT_DOUBLE_EQ(e.LblNUM[0]->font().pointSizeF(), 12 * scale);
  EXPECT_TRUE(e.LabelB[0]->font().bold());

  EXPECT_EQ(e.windowTitle(), "Equilibrium table (x, y)");
  EXPECT_EQ(e.LabelB[3]->text(), "Open...");
  EXPECT_EQ(e.LabelB[4]->text(), "Save as...");
  EXPECT_EQ(e.LabelB[7]->text(), "Paste table");
  EXPECT_FALSE(e.Label1[3]->text().isEmpty());

  // The main window's starting table, not yet in use, is what the editor opens with.
  EXPECT_EQ(form->State().TablaELV.UltimoPuntoTabla, -1);
  EXPECT_EQ(Lines(e)[0], "1|0|0");
  EXPECT_EQ(Lines(e)[1], "2|0.05|0.0952381");
  EXPECT_EQ(Lines(e)[11], "12|0.55|0.709677");
  EXPECT_EQ(e.X, form->State().TablaELV.TablaX);
  EXPECT_EQ(e.VScroll1->value(), 0);
  EXPECT_EQ(QApplication::focusWidget(), e.VScroll1);
}

TEST_F(EditorWindowTest, WithoutItsLanguageFileTheWindowStillWorks) {
  Load();
  plat::SetProgramFolder(ScratchDir("no-language"));
  FormXYinput& e = OpenEditor();
  EXPECT_TRUE(e.windowTitle().isEmpty());
  EXPECT_EQ(e.LabelB[3]->text(), "...");
  EXPECT_EQ(e.LabelB[4]->text(), "...");
  for (int k : {0, 1, 2, 5, 6, 7}) EXPECT_TRUE(e.LabelB[k]->text().isEmpty()) << k;
  EXPECT_TRUE(e.Label1[3]->text().isEmpty());
  EXPECT_EQ(e.Label1[0]->text(), "#");
  EXPECT_EQ(e.Label1[1]->text(), "x");
  EXPECT_EQ(e.Label1[2]->text(), "y");
  EXPECT_EQ(Lines(e)[1], "2|0.05|0.0952381");
}

TEST_F(EditorWindowTest, TypedCellsReachTheCopyWholeAndComeBackShortened) {
  FormXYinput& e = OpenEditor();
  struct Case {
    const char* typed;
    double stored;
  };
  const std::vector<Case> cases = {
      {"0,35", 0.35}, {"abc", 0}, {"", -1}, {"   ", -1}, {"0.123456789", 0.123456789}, {"1E999", 0}};
  const double y = e.Y[2];
  for (const Case& c : cases) {
    Type(e.TxtX[2], c.typed);
    EXPECT_EQ(e.X[2], c.stored) << c.typed;
    EXPECT_EQ(e.Y[2], y) << "the other cell of the row is untouched: " << c.typed;
  }
  Type(e.TxtX[2], "0.123456789");
  e.VScroll1->setValue(5);
  e.VScroll1->setValue(0);
  EXPECT_EQ(e.TxtX[2]->text(), "0.123457");
  EXPECT_EQ(e.X[2], 0.123456789);

  // An empty x empties the line on the next refill, whatever y holds; a missing y shows -1.
  Type(e.TxtX[3], "");
  Type(e.TxTY[4], "");
  e.VScroll1_Change();
  EXPECT_EQ(Lines(e)[3], "4||");
  EXPECT_EQ(e.Y[3], 0.15 * 2 / 1.15);
  EXPECT_EQ(Lines(e)[4], "5|0.2|-1");
}

TEST_F(EditorWindowTest, CommaAndPointKeysTypeTheDecimalSymbol) {
  FormXYinput& e = OpenEditor();
  for (const char* symbol : {",", "."}) {
    e.SimboloDecimal = symbol;
    for (QLineEdit* cell : {e.TxtX[0], e.TxTY[0]}) {
      cell->setFocus();
      cell->selectAll();
      QTest::keyClicks(cell, "0.5");
      EXPECT_EQ(cell->text(), QString("0") + symbol + "5");
      cell->selectAll();
      QTest::keyClicks(cell, "0,25");
      EXPECT_EQ(cell->text(), QString("0") + symbol + "25");
    }
    EXPECT_EQ(e.X[0], 0.25);
    EXPECT_EQ(e.Y[0], 0.25);
  }
}

// As in a spreadsheet: Escape takes back what was typed into the cell since it was entered and
// leaves the editor open; once nothing is left to take back, Escape is Cancel.
TEST_F(EditorWindowTest, EscapeTakesBackTheTypedCellAndOnlyThenCancels) {
  FormXYinput& e = OpenEditor();
  // A value with more digits than the cell shows: Escape puts back the value, not the shown text.
  e.X[2] = 0.123456789;
  e.VScroll1_Change();
  const double y2 = e.Y[2];
  e.TxtX[2]->setFocus();
  for (const char* typed : {"0.9", "abc", ""}) {
    QTest::keyClicks(e.TxtX[2], typed);
    if (!*typed) QTest::keyClick(e.TxtX[2], Qt::Key_Delete);
    ASSERT_NE(e.X[2], 0.123456789) << typed;
    QTest::keyClick(e.TxtX[2], Qt::Key_Escape);
    EXPECT_TRUE(e.isVisible()) << typed;
    EXPECT_EQ(QApplication::focusWidget(), e.TxtX[2]) << typed;
    EXPECT_EQ(e.TxtX[2]->text(), "0.123457") << typed;
    EXPECT_EQ(e.TxtX[2]->selectedText(), "0.123457") << "typing replaces it again: " << typed;
    EXPECT_EQ(e.X[2], 0.123456789) << typed;
    EXPECT_EQ(e.Y[2], y2) << typed;
  }

  // A scroll ends the edit of the row the cell showed; Escape then takes back only what was
  // typed into the row it shows now.
  const double row13 = e.X[12];
  e.TxtX[11]->setFocus();
  QTest::keyClicks(e.TxtX[11], "0.41");
  QTest::keyClick(e.TxtX[11], Qt::Key_Down);
  ASSERT_EQ(e.VScroll1->value(), 1);
  const QString shown = e.TxtX[11]->text();
  e.TxtX[11]->selectAll();
  QTest::keyClicks(e.TxtX[11], "0.42");
  QTest::keyClick(e.TxtX[11], Qt::Key_Escape);
  EXPECT_TRUE(e.isVisible());
  EXPECT_EQ(e.X[11], 0.41);
  EXPECT_EQ(e.X[12], row13);
  EXPECT_EQ(e.TxtX[11]->text(), shown);

  // Enter moves on and keeps the value (line 3 shows row 5 now); in the next cell, nothing
  // typed there, Escape is Cancel.
  e.TxtX[3]->setFocus();
  QTest::keyClicks(e.TxtX[3], "0.8");
  QTest::keyClick(e.TxtX[3], Qt::Key_Return);
  ASSERT_EQ(QApplication::focusWidget(), e.TxTY[3]);
  EXPECT_EQ(e.X[4], 0.8);
  QTest::keyClick(e.TxTY[3], Qt::Key_Escape);
  EXPECT_FALSE(e.isVisible());
  EXPECT_EQ(e.result(), QDialog::Rejected);
  EXPECT_FALSE(e.Answer().accepted);
}

TEST_F(EditorWindowTest, EnterWalksTheCellsAndScrollsAtTheLastLine) {
  FormXYinput& e = OpenEditor();
  e.TxtX[0]->setFocus();
  // x, y, next x, next y ... down the visible lines.
  for (int i = 0; i < designer::kVisibleRows; ++i) {
    ASSERT_EQ(QApplication::focusWidget(), e.TxtX[i]) << i;
    EXPECT_EQ(e.TxtX[i]->selectedText(), e.TxtX[i]->text()) << "entered cells are selected";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), e.TxTY[i]) << i;
    if (i < designer::kVisibleRows - 1) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  }
  // From the last y cell Enter scrolls one row and goes on to the last line's x cell.
  QTest::keyClick(e.TxTY[11], Qt::Key_Enter);
  EXPECT_EQ(e.VScroll1->value(), 1);
  EXPECT_EQ(QApplication::focusWidget(), e.TxtX[11]);
  EXPECT_EQ(e.LblNUM[11]->text(), "13");
  EXPECT_EQ(e.TxtX[11]->text(), "0.6");

  // At the end of the table Enter has nowhere to go, and closes nothing.
  e.VScroll1->setValue(e.VScroll1->maximum());
  e.TxTY[11]->setFocus();
  QTest::keyClick(e.TxTY[11], Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), e.TxTY[11]);
  EXPECT_EQ(e.VScroll1->value(), 88);
  EXPECT_TRUE(e.isVisible());
}

TEST_F(EditorWindowTest, ArrowsMoveBetweenCellsAndStopAtTheEdgesOfTheTable) {
  FormXYinput& e = OpenEditor();
  struct Step {
    const char* what;
    QLineEdit* from;
    int scroll;
    Qt::Key key;
    int caret;  // -1: the whole text selected
    QLineEdit* to;
    int scrollAfter;
  };
  const std::vector<Step> steps = {
      {"down a line", e.TxtX[3], 0, Qt::Key_Down, -1, e.TxtX[4], 0},
      {"up a line", e.TxTY[3], 0, Qt::Key_Up, -1, e.TxTY[2], 0},
      {"down at the last line scrolls", e.TxtX[11], 0, Qt::Key_Down, -1, e.TxtX[11], 1},
      {"up at the first line scrolls", e.TxTY[0], 5, Qt::Key_Up, -1, e.TxTY[0], 4},
      {"down stops at row 100", e.TxtX[11], 88, Qt::Key_Down, -1, e.TxtX[11], 88},
      {"up stops at row 1", e.TxTY[0], 0, Qt::Key_Up, -1, e.TxTY[0], 0},
      {"right at the end of x", e.TxtX[2], 0, Qt::Key_Right, -1, e.TxTY[2], 0},
      {"right at the end of y", e.TxTY[2], 0, Qt::Key_Right, 99, e.TxtX[3], 0},
      {"right at the end of the last y scrolls", e.TxTY[11], 3, Qt::Key_Right, 99, e.TxtX[11], 4},
      {"right stops at the last cell", e.TxTY[11], 88, Qt::Key_Right, 99, e.TxTY[11], 88},
      {"right inside the text moves the caret", e.TxtX[2], 0, Qt::Key_Right, 1, e.TxtX[2], 0},
      {"left at the start of y", e.TxTY[2], 0, Qt::Key_Left, 0, e.TxtX[2], 0},
      {"left at the start of x", e.TxtX[2], 0, Qt::Key_Left, 0, e.TxTY[1], 0},
      {"left at the start of the first x scrolls", e.TxtX[0], 5, Qt::Key_Left, 0, e.TxTY[0], 4},
      {"left stops at the first cell", e.TxtX[0], 0, Qt::Key_Left, -1, e.TxtX[0], 0},
      {"left inside the text moves the caret", e.TxtX[0], 5, Qt::Key_Left, 1, e.TxtX[0], 5},
  };
  for (const Step& s : steps) {
    e.VScroll1->setValue(s.scroll);
    s.from->setFocus();
    if (s.caret < 0) {
      s.from->selectAll();
    } else {
      s.from->setCursorPosition(s.caret);
    }
    QTest::keyClick(s.from, s.key);
    EXPECT_EQ(QApplication::focusWidget(), s.to) << s.what;
    EXPECT_EQ(e.VScroll1->value(), s.scrollAfter) << s.what;
  }
  // Scrolling with the keys refills the lines: the first x cell now shows row 5.
  e.VScroll1->setValue(5);
  e.TxtX[0]->setFocus();
  e.TxtX[0]->setCursorPosition(0);
  QTest::keyClick(e.TxtX[0], Qt::Key_Left);
  EXPECT_EQ(e.LblNUM[0]->text(), "5");
  EXPECT_EQ(e.TxTY[0]->selectedText(), e.TxTY[0]->text());
}

TEST_F(EditorWindowTest, TheWheelMovesOneRowPerNotchWithinTheRange) {
  FormXYinput& e = OpenEditor();
  e.Form_Activate();
  // Towards the user: down the table, one row per message however far the wheel turned.
  Wheel(e.TxtX[3], -120);
  EXPECT_EQ(e.VScroll1->value(), 1);
  Wheel(e.VScroll1, -360);
  EXPECT_EQ(e.VScroll1->value(), 2);
  Wheel(&e, -120);
  EXPECT_EQ(e.VScroll1->value(), 3);
  EXPECT_EQ(e.LblNUM[0]->text(), "4");
  Wheel(e.TxTY[0], 120);
  EXPECT_EQ(e.VScroll1->value(), 2);

  e.VScroll1->setValue(0);
  Wheel(e.TxtX[0], 120);
  EXPECT_EQ(e.VScroll1->value(), 0);
  e.VScroll1->setValue(88);
  Wheel(e.TxtX[0], -120);
  EXPECT_EQ(e.VScroll1->value(), 88);

  // Once the window has closed the wheel reaches it no more.
  e.Cancelar();
  e.VScroll1->setValue(10);
  e.MouseWheel(0, -120, 0, 0);  // a direct call still scrolls; only the hook is gone
  EXPECT_EQ(e.VScroll1->value(), 11);
  Wheel(&e, -120);
  EXPECT_EQ(e.VScroll1->value(), 11);
}

TEST_F(EditorWindowTest, AtTheEndOfTheScrollBarTheLinesShowRows89To100) {
  Load();
  for (int i = 0; i < kTableRows; ++i) {
    form->State().TablaELV.TablaX[i] = i / 100.0;
    form->State().TablaELV.TablaY[i] = i / 99.0;
  }
  FormXYinput& e = OpenEditor();
  e.VScroll1->setValue(e.VScroll1->maximum());
  EXPECT_EQ(e.VScroll1->value(), 88);
  EXPECT_EQ(e.LblNUM[0]->text(), "89");
  EXPECT_EQ(e.LblNUM[11]->text(), "100");
  EXPECT_EQ(e.TxtX[11]->text(), "0.99");
  EXPECT_EQ(e.TxTY[11]->text(), "1");
  Type(e.TxTY[11], "0.999");
  EXPECT_EQ(e.Y[99], 0.999);
}

TEST_F(EditorWindowTest, ButtonsShowThePressedLookAndClickOnRelease) {
  FormXYinput& e = OpenEditor();
  QLabel* clear = e.LabelB[2];
  QTest::mousePress(clear, Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_EQ(e.Image1[2]->pos(), QPoint(306, 451));
  EXPECT_EQ(clear->pos(), QPoint(306, 457));
  EXPECT_EQ(e.X[1], 0.05);  // nothing done yet
  QTest::mouseRelease(clear, Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_EQ(e.Image1[2]->pos(), QPoint(305, 450));
  EXPECT_EQ(clear->pos(), QPoint(305, 456));
  EXPECT_EQ(e.X[1], -1);
  EXPECT_EQ(Lines(e)[1], "2||");
}

}  // namespace
}  // namespace stagora::test
