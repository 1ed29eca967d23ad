// ColocarControles: stacks the input panel's boxes and places every caption, field, track
// and knob relative to its box. Each box starts on the last pixel row of the box above, so
// neighbouring borders coincide.
#include <QLabel>
#include <QLineEdit>
#include <vector>

#include "designer/window/controls.h"
#include "designer/window/form_main.h"

namespace stagora::designer {
namespace {

constexpr int kCaptionLeft = 6;   // captions sit 6 pixels inside their box
constexpr int kCaptionTop = 4;
constexpr int kColumnWidth = 167;
constexpr int kRightColumnLeft = 337;

int Bottom(const QWidget* box) { return box->y() + box->height() - 1; }

void MoveTo(QWidget* w, int left, int top) { w->move(left, top); }

// A box of a column, its first and second caption, its field and, when it has one, the
// height of its track below the box's top.
struct BoxRow {
  int shape;
  int height;
  int firstCaption;
  int secondCaption;
  QPoint secondAt;
  int field;
  QPoint fieldAt;
  int track;        // -1: none, or the track keeps its height from the load
  int trackOffset;  // from the box's top
};

}  // namespace

void FormMain::ColocarControles() {
  // 1. Tracks 1 and 2 share the ends of track 0; tracks 4, 5 and 6 those of track 3.
  for (int i : {1, 2}) Line1[i]->setLine(Line1[0]->X1(), Line1[i]->Y1(), Line1[0]->X2(), Line1[i]->Y2());
  for (int i : {4, 5, 6}) Line1[i]->setLine(Line1[3]->X1(), Line1[i]->Y1(), Line1[3]->X2(), Line1[i]->Y2());

  // 2. Every knob shows the knob picture and hangs one pixel below its track.
  for (int i = 0; i <= 6; ++i) {
    Image2[i]->copyPicture(*Image2[0]);
    Image2[i]->move(Image2[i]->x(), Line1[i]->Y1() + 1);
  }

  // 3. The strip of the component names.
  ShapeControl* strip = Shape1[7];
  Place(strip, 4, 4, 500, 31);
  MoveTo(Label1[27], strip->x() + kCaptionLeft, strip->y() + 5);
  MoveTo(Label1[28], 257, strip->y() + 5);
  MoveTo(Text[field::kMoreVolatileName], 159, strip->y() + 3);
  MoveTo(Text[field::kLessVolatileName], 401, strip->y() + 3);

  // 4. The row of the equilibrium model.
  ShapeControl* mode = Shape1[0];
  Place(mode, strip->x(), Bottom(strip), strip->width(), 34);
  MoveTo(Label1[29], mode->x() + kCaptionLeft, mode->y() + 5);
  MoveTo(Picture3, 162, mode->y() + 4);

  auto stack = [&](int left, const std::vector<BoxRow>& rows) {
    const QWidget* above = mode;
    int width = kColumnWidth;
    for (const BoxRow& row : rows) {
      ShapeControl* box = Shape1[row.shape];
      Place(box, left, Bottom(above), width, row.height);
      const int x = box->x();
      const int y = box->y();
      MoveTo(Label1[row.firstCaption], x + kCaptionLeft, y + kCaptionTop);
      MoveTo(Label1[row.secondCaption], x + row.secondAt.x(), y + row.secondAt.y());
      MoveTo(Text[row.field], x + row.fieldAt.x(), y + row.fieldAt.y());
      if (row.track >= 0) {
        LineControl* track = Line1[row.track];
        track->setY(y + row.trackOffset);
        Image2[row.track]->move(Image2[row.track]->x(), track->Y1() + 1);
      }
      above = box;
      width = box->width();
    }
  };

  // 5. Left column: alpha, q, zF, the feed plate and the number of plates.
  stack(mode->x(), {
                       {8, 78, 0, 12, {6, 30}, 1, {58, 26}, -1, 0},
                       {2, 93, 1, 15, {6, 39}, 2, {105, 8}, 1, 74},
                       {1, 90, 2, 16, {6, 42}, 3, {40, 37}, 2, 70},
                       {12, 80, 17, 25, {6, 42}, 13, {49, 39}, -1, 0},
                       {11, 81, 13, 24, {6, 42}, 14, {49, 39}, -1, 0},
                   });
  MoveTo(Label1[30], Label1[0]->x(), Label1[0]->y());  // the table-mode heading in its place

  // 6. Right column: R, xD, Rmin, E and xB.
  stack(kRightColumnLeft, {
                              {4, 85, 5, 22, {6, 30}, 6, {75, 24}, 4, 56},
                              {3, 85, 3, 18, {6, 30}, 4, {40, 24}, -1, 0},
                              {9, 82, 19, 23, {6, 30}, 7, {65, 24}, -1, 0},
                              {6, 85, 14, 31, {6, 30}, 15, {40, 24}, 5, 56},
                              {5, 85, 4, 26, {6, 30}, 5, {40, 24}, -1, 0},
                          });

  // 7. The separator under both columns.
  const ShapeControl* right = Shape1[4];
  Line1[7]->setLine(strip->x(), Bottom(Shape1[5]), right->x() + right->width(), Bottom(Shape1[5]));
}

}  // namespace stagora::designer
