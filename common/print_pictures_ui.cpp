#include "common/print_pictures_ui.h"

#include <QPainter>

#include "common/button_face_ui.h"
#include "platform/fonts.h"

namespace stagora {
namespace {

constexpr int kSheetWidth = 17;
constexpr int kSheetHeight = 22;
constexpr int kSheetShift = 4;  // a sheet behind another peeps out by this much

QPixmap Transparent(int w, int h) {
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  return pm;
}

// One sheet with its page number, its top-left corner at (x, y).
void Sheet(QPainter& p, int x, int y, int page) {
  const QRectF r(x + 0.5, y + 0.5, kSheetWidth - 1, kSheetHeight - 1);
  p.setPen(QPen(QColor(64, 64, 128), 1));
  p.setBrush(Qt::white);
  p.drawRect(r);
  // The dog-ear says which way up the sheet lies.
  p.setPen(QPen(QColor(160, 170, 210), 1));
  p.drawLine(QPointF(r.right() - 4, r.top()), QPointF(r.right(), r.top() + 4));
  p.setPen(QColor(64, 64, 128));
  p.drawText(r, Qt::AlignCenter, QString::number(page));
}

QFont NumberFont() {
  QFont f(plat::ResolveFontFamily("Arial"));
  f.setPixelSize(11);
  f.setBold(true);
  return f;
}

}  // namespace

QPixmap PrintButtonFace() { return ButtonFace(kButtonFaceWidth, kButtonFaceHeight); }

QPixmap UncollatedPicture() {
  QPixmap pm = Transparent(kUncollatedWidth, kUncollatedHeight);
  QPainter p(&pm);
  p.setFont(NumberFont());
  // Three pairs, each two copies of one page, the pairs 16 pixels apart.
  constexpr int kPairStep = kSheetWidth + kSheetShift + 16;
  for (int page = 1; page <= 3; ++page) {
    const int x = 2 + (page - 1) * kPairStep;
    Sheet(p, x + kSheetShift, 2, page);
    Sheet(p, x, 2 + kSheetShift + 4, page);
  }
  return pm;
}

QPixmap CollatedPicture() {
  QPixmap pm = Transparent(kCollatedWidth, kCollatedHeight);
  QPainter p(&pm);
  p.setFont(NumberFont());
  // Two sets of 1, 2, 3, each page a little over the one before, the second set lower right.
  constexpr int kPageStep = kSheetWidth - kSheetShift;
  for (int set = 0; set < 2; ++set) {
    for (int page = 1; page <= 3; ++page) Sheet(p, 1 + set * 47 + (page - 1) * kPageStep, 1 + set * 19, page);
  }
  return pm;
}

}  // namespace stagora
