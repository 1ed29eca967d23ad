// Every named control of the main window and its input panel at its pixel place, once the
// window is loaded and shown with the design's 971 x 614 client area.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

#include "designer/window/controls.h"
#include "tests/designer/main_window_fixture.h"

namespace stagora::test {
namespace {

struct Expected {
  const char* name;
  const char* parent;
  int left, top, width, height;
};

// Window level (moved to the actual size) and panel (stacked by the panel layout).
const Expected kControls[] = {
    {"Picture1", "ClientArea", 518, 5, 442, 604},
    {"Picture2", "ClientArea", 7, 9, 506, 490},
    {"Shape2", "ClientArea", 5, 5, 514, 604},
    {"Picture4", "ClientArea", 548, 484, 700, 700},
    {"LblERROR", "Picture1", 3, 3, 438, 17},
    {"LblCOOR", "Picture1", 38, 53, 388, 17},
    {"Label2_0", "Picture1", 73, 93, 12, 12},
    {"Label2_1", "Picture1", 70, 111, 12, 12},
    {"Label2_2", "Picture1", 68, 131, 12, 12},
    {"Label2_3", "Picture1", 74, 75, 12, 12},
    {"Image1_0", "ClientArea", 18, 534, 141, 34},
    {"Image1_1", "ClientArea", 181, 534, 141, 34},
    {"Image1_2", "ClientArea", 344, 534, 141, 34},
    {"LabelB_0", "ClientArea", 18, 540, 141, 34},
    {"LabelB_1", "ClientArea", 181, 540, 141, 34},
    {"LabelB_2", "ClientArea", 344, 540, 141, 34},
    {"Text8", "ClientArea", 711, 34, 393, 21},
    {"Text9", "ClientArea", 710, 86, 393, 21},
    {"Text10", "ClientArea", 708, 143, 393, 21},
    {"Text11", "ClientArea", 708, 211, 393, 21},
    {"Text12", "ClientArea", 708, 265, 393, 21},
    {"Label1_7", "ClientArea", 711, 14, 236, 19},
    {"Label1_8", "ClientArea", 710, 66, 390, 19},
    {"Label1_9", "ClientArea", 708, 123, 390, 19},
    {"Label1_10", "ClientArea", 711, 177, 390, 33},
    {"Label1_11", "ClientArea", 711, 234, 390, 33},
    {"Picture3", "Picture2", 162, 38, 331, 21},
    {"OptVOL", "Picture3", 2, 4, 139, 15},
    {"OptTAB", "Picture3", 147, 4, 150, 15},
    {"ImageT", "Picture2", 175, 94, 160, 384},
    {"Image1_3", "Picture2", 14, 98, 141, 34},
    {"LabelB_3", "Picture2", 14, 104, 141, 34},
    {"Label1_6", "Picture2", 274, 187, 51, 19},
    {"Label1_20", "Picture2", 180, 284, 34, 19},
    {"Label1_21", "Picture2", 284, 425, 23, 19},
    {"Shape1_7", "Picture2", 4, 4, 500, 31},
    {"Label1_27", "Picture2", 10, 9, 153, 19},
    {"Label1_28", "Picture2", 257, 9, 143, 19},
    {"Text16", "Picture2", 159, 7, 93, 24},
    {"Text17", "Picture2", 401, 7, 93, 24},
    {"Shape1_0", "Picture2", 4, 34, 500, 34},
    {"Label1_29", "Picture2", 10, 39, 151, 19},
    {"Shape1_8", "Picture2", 4, 67, 167, 78},
    {"Label1_0", "Picture2", 10, 71, 156, 16},
    {"Label1_30", "Picture2", 10, 71, 91, 16},
    {"Label1_12", "Picture2", 10, 97, 76, 19},
    {"Text1", "Picture2", 62, 93, 94, 26},
    {"Shape1_2", "Picture2", 4, 144, 167, 93},
    {"Label1_1", "Picture2", 10, 148, 97, 33},
    {"Text2", "Picture2", 109, 152, 56, 26},
    {"Label1_15", "Picture2", 10, 183, 153, 32},
    {"Shape1_1", "Picture2", 4, 236, 167, 90},
    {"Label1_2", "Picture2", 10, 240, 157, 32},
    {"Label1_16", "Picture2", 10, 278, 34, 19},
    {"Text3", "Picture2", 44, 273, 112, 26},
    {"Shape1_12", "Picture2", 4, 325, 167, 80},
    {"Label1_17", "Picture2", 10, 329, 162, 35},
    {"Label1_25", "Picture2", 10, 367, 52, 19},
    {"Text13", "Picture2", 53, 364, 104, 28},
    {"Shape1_11", "Picture2", 4, 404, 167, 81},
    {"Label1_13", "Picture2", 10, 408, 160, 36},
    {"Label1_24", "Picture2", 10, 446, 54, 19},
    {"Text14", "Picture2", 53, 443, 104, 28},
    {"Shape1_4", "Picture2", 337, 67, 167, 85},
    {"Label1_5", "Picture2", 343, 71, 158, 19},
    {"Label1_22", "Picture2", 343, 97, 69, 19},
    {"Text6", "Picture2", 412, 91, 76, 26},
    {"Shape1_3", "Picture2", 337, 151, 167, 85},
    {"Label1_3", "Picture2", 343, 155, 154, 28},
    {"Label1_18", "Picture2", 343, 181, 149, 19},
    {"Text4", "Picture2", 377, 175, 112, 26},
    {"Shape1_9", "Picture2", 337, 235, 167, 82},
    {"Label1_19", "Picture2", 343, 239, 164, 19},
    {"Label1_23", "Picture2", 343, 265, 64, 19},
    {"Text7", "Picture2", 402, 259, 87, 26},
    {"Shape1_6", "Picture2", 337, 316, 167, 85},
    {"Label1_14", "Picture2", 343, 320, 158, 34},
    {"Label1_31", "Picture2", 343, 346, 61, 19},
    {"Text15", "Picture2", 377, 340, 112, 26},
    {"Shape1_5", "Picture2", 337, 400, 167, 85},
    {"Label1_4", "Picture2", 343, 404, 167, 19},
    {"Label1_26", "Picture2", 343, 430, 61, 19},
    {"Text5", "Picture2", 377, 424, 112, 26},
};

struct ExpectedLine {
  int index, x1, y1, x2, y2;
};
const ExpectedLine kTracks[] = {
    {0, 15, 125, 155, 125}, {1, 15, 218, 155, 218}, {2, 15, 306, 155, 306}, {3, 348, 206, 488, 206},
    {4, 348, 123, 488, 123}, {5, 348, 372, 488, 372}, {6, 348, 456, 488, 456}, {7, 4, 484, 504, 484},
};

// Knobs hang one pixel below their tracks and all show the one 15 x 14 knob picture; their
// left edges follow the values, so only the tops are fixed by the layout.
const int kKnobTops[] = {126, 219, 307, 207, 124, 373, 457};

class MainWindowLayout : public MainWindowTest {
 protected:
  designer::FormMain& LoadAndShow() {
    designer::FormMain& w = Load();
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    QApplication::processEvents();
    return w;
  }
};

TEST_F(MainWindowLayout, EveryControlSitsAtItsPixelPlaceInTheDesignClientArea) {
  designer::FormMain& w = LoadAndShow();
  ASSERT_EQ(w.Client->size(), QSize(971, 614));

  for (const Expected& e : kControls) {
    SCOPED_TRACE(e.name);
    auto* c = w.findChild<QWidget*>(e.name);
    ASSERT_NE(c, nullptr);
    ASSERT_NE(c->parentWidget(), nullptr);
    EXPECT_EQ(c->parentWidget()->objectName().toStdString(), e.parent);
    if (std::string_view(e.name).substr(0, 7) == "Label2_") {
      // The point labels start at their design place; the load's first calculation then
      // centres them on their points, so only their size stays as designed.
      EXPECT_EQ(c->size(), QSize(e.width, e.height));
    } else {
      EXPECT_EQ(c->geometry(), QRect(e.left, e.top, e.width, e.height));
    }
  }
  for (const ExpectedLine& e : kTracks) {
    SCOPED_TRACE(e.index);
    const designer::LineControl* line = w.Line1[e.index];
    ASSERT_EQ(line->objectName(), QString("Line1_%1").arg(e.index));
    EXPECT_EQ(line->parentWidget(), w.Picture2);
    EXPECT_EQ((std::array{line->X1(), line->Y1(), line->X2(), line->Y2()}), (std::array{e.x1, e.y1, e.x2, e.y2}));
  }
  for (int i = 0; i <= 6; ++i) {
    SCOPED_TRACE(i);
    const QWidget* knob = w.findChild<QWidget*>(QString("Image2_%1").arg(i));
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(knob->y(), kKnobTops[i]);
    EXPECT_EQ(knob->size(), QSize(15, 14));
  }
}

TEST_F(MainWindowLayout, ControlsHiddenAtStartStayHiddenAndTheOthersShow) {
  designer::FormMain& w = LoadAndShow();
  for (const char* hidden : {"Picture4", "LblERROR", "LblCOOR", "Label1_30", "Image1_3", "LabelB_3", "Text8", "Text9", "Text10", "Text11", "Text12",
                             "Label1_7", "Label1_8", "Label1_9", "Label1_10", "Label1_11"}) {
    EXPECT_TRUE(w.findChild<QWidget*>(hidden)->isHidden()) << hidden;
  }
  // The point labels show once the first calculation has succeeded.
  for (const char* shown : {"Picture1", "Picture2", "Text1", "Text16", "Label1_0", "Label1_12", "Image2_0",
                            "Label2_0", "Label2_1", "Label2_2", "Label2_3",
                            "Line1_0", "Image1_0", "LabelB_0", "ImageT", "OptVOL"}) {
    EXPECT_TRUE(w.findChild<QWidget*>(shown)->isVisible()) << shown;
  }
}

TEST_F(MainWindowLayout, TheButtonRowFollowsTheBottomOfTheFrameWhenTheWindowGrows) {
  designer::FormMain& w = LoadAndShow();
  w.resize(w.width() + 200, w.height() + 101);
  QApplication::processEvents();
  const QSize client = w.Client->size();
  EXPECT_EQ(w.Shape2->geometry(), QRect(5, 5, 514, client.height() - 10));
  EXPECT_EQ(w.Picture1->geometry(), QRect(518, 5, client.width() - 514 - 15, client.height() - 10));
  EXPECT_EQ(w.Picture2->pos(), QPoint(7, 9));
  // Half of the frame's growth, an exact half rounded to even.
  const double middle = (499 + (5 + client.height() - 10)) / 2.0 - 20;
  EXPECT_EQ(w.Image1[0]->y(), static_cast<int>(std::nearbyint(middle)));
  EXPECT_EQ(w.LabelB[2]->y(), w.Image1[2]->y() + 6);
  EXPECT_EQ(w.Picture1->surface().deviceWidth(), w.Picture1->width());
}

TEST_F(MainWindowLayout, EditableFieldsTakeTheKeyboardInTheDesignOrder) {
  designer::FormMain& w = Load();
  const int order[] = {16, 17, 1, 2, 3, 6, 4, 15, 5};
  for (std::size_t k = 0; k + 1 < std::size(order); ++k) {
    QWidget* next = w.Text[order[k]]->nextInFocusChain();
    // The table button between alpha and q is hidden in relative-volatility mode.
    while (next && (next->focusPolicy() == Qt::NoFocus || next->isHidden())) next = next->nextInFocusChain();
    EXPECT_EQ(next, w.Text[order[k + 1]]) << "after Text" << order[k];
  }
}

TEST_F(MainWindowLayout, DesignFieldsUseTwelvePointArialAtFifteenTwipsPerPixel) {
  designer::FormMain& w = Load();
  const double scale = designer::ScreenTwipsPerPixelX() / 15;
  EXPECT_DOUBLE_EQ(w.Text[field::kAlpha]->font().pointSizeF(), 12 * scale);
  EXPECT_DOUBLE_EQ(w.Text[field::kFeedPlate]->font().pointSizeF(), 10 * scale);
  EXPECT_DOUBLE_EQ(w.Label1[15]->font().pointSizeF(), 9 * scale);
  EXPECT_TRUE(w.Text[field::kRealPlates]->font().bold());
  EXPECT_TRUE(w.Text[field::kRealPlates]->isReadOnly());
  EXPECT_FALSE(w.Text[field::kMoreVolatileName]->isReadOnly());
}

}  // namespace
}  // namespace stagora::test
