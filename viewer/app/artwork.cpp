#include "viewer/app/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace stagora::viewer {
namespace {

constexpr int kFaceWidth = 60;
constexpr int kFaceHeight = 53;
const QColor kInk(40, 60, 110);
const QColor kPaper(255, 255, 255);
const QColor kAccent(204, 51, 102);

QPixmap Blank(int w, int h) {
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  return pm;
}

// A sheet of paper with a folded corner, its top-left at (x, y).
void Sheet(QPainter& p, double x, double y, double w, double h) {
  QPainterPath path;
  path.moveTo(x, y);
  path.lineTo(x + w - 6, y);
  path.lineTo(x + w, y + 6);
  path.lineTo(x + w, y + h);
  path.lineTo(x, y + h);
  path.closeSubpath();
  p.setBrush(kPaper);
  p.setPen(QPen(kInk, 1.2));
  p.drawPath(path);
}

void TextLines(QPainter& p, double x, double y, double w, int lines, const QColor& c) {
  p.setPen(QPen(c, 1.5));
  for (int i = 0; i < lines; ++i) p.drawLine(QPointF(x, y + 4 * i), QPointF(x + w - (i % 2) * 5, y + 4 * i));
}

void DrawGlyph(QPainter& p, int index) {
  // The glyph sits in the upper 38 pixels, centred.
  switch (index) {
    case 0:  // open: a folder
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(QColor(250, 210, 110));
      p.drawRect(QRectF(17, 12, 26, 20));
      p.setBrush(QColor(255, 228, 150));
      p.drawPolygon(QPolygonF({QPointF(20, 17), QPointF(46, 17), QPointF(42, 32), QPointF(17, 32)}));
      break;
    case 1:  // save: a disk
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(QColor(70, 100, 170));
      p.drawRect(QRectF(18, 8, 24, 26));
      p.setBrush(kPaper);
      p.drawRect(QRectF(22, 8, 16, 9));
      p.setBrush(QColor(200, 200, 210));
      p.drawRect(QRectF(22, 23, 16, 11));
      break;
    case 2:  // print: a printer
      Sheet(p, 22, 6, 16, 12);
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(QColor(190, 190, 200));
      p.drawRect(QRectF(15, 17, 30, 12));
      Sheet(p, 21, 26, 18, 9);
      break;
    case 3:  // the statement alone
    case 4:  // statement and answer
    case 5:  // resolution level 1
    case 6:  // resolution level 2
      Sheet(p, 20, 5, 20, 30);
      TextLines(p, 23, 11, 14, 2, kInk);
      if (index >= 4) TextLines(p, 23, 20, 14, index == 4 ? 1 : index - 3, QColor(0, 0, 128));
      if (index >= 4) {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRect(QRectF(23, 29, 14, 3));
      }
      break;
    case 7: {  // zoom: a magnifier
      p.setPen(QPen(kInk, 2));
      p.setBrush(QColor(220, 235, 255));
      p.drawEllipse(QPointF(27, 17), 9, 9);
      p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(34, 24), QPointF(41, 31));
      break;
    }
    default: {  // help: a question mark in a circle
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(QColor(220, 235, 255));
      p.drawEllipse(QPointF(30, 19), 13, 13);
      QFont f("Liberation Sans");
      f.setPixelSize(18);
      f.setBold(true);
      p.setFont(f);
      p.drawText(QRectF(17, 6, 26, 26), Qt::AlignCenter, "?");
      break;
    }
  }
}

}  // namespace

QPixmap ToolbarBackground() {
  QPixmap pm(65, 55);
  QPainter p(&pm);
  QLinearGradient g(0, 0, 0, 55);
  g.setColorAt(0, QColor(250, 250, 252));
  g.setColorAt(1, QColor(214, 218, 228));
  p.fillRect(pm.rect(), g);
  return pm;
}

QPixmap ToolButtonFace(int index, bool pressed) {
  QPixmap pm = Blank(kFaceWidth, kFaceHeight);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  if (pressed) {
    p.setPen(QPen(QColor(150, 160, 185), 1));
    p.setBrush(QColor(205, 214, 235));
    p.drawRoundedRect(QRectF(1.5, 1.5, kFaceWidth - 3, kFaceHeight - 3), 4, 4);
    p.translate(1, 1);
  }
  DrawGlyph(p, index);
  return pm;
}

QPixmap PageButtonFace(bool left, bool pressed) {
  QPixmap pm(19, 20);
  pm.fill(QColor(212, 208, 200));
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(pressed ? QColor(0, 0, 128) : QColor(40, 40, 40));
  const double o = pressed ? 1 : 0;
  if (left) {
    p.drawPolygon(QPolygonF({QPointF(5 + o, 10 + o), QPointF(13 + o, 4 + o), QPointF(13 + o, 16 + o)}));
  } else {
    p.drawPolygon(QPolygonF({QPointF(14 + o, 10 + o), QPointF(6 + o, 4 + o), QPointF(6 + o, 16 + o)}));
  }
  return pm;
}

QIcon WindowIcon() {
  QPixmap pm = Blank(32, 32);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  Sheet(p, 6, 2, 20, 28);
  TextLines(p, 9, 9, 14, 3, kInk);
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawRect(QRectF(9, 22, 14, 4));
  return QIcon(pm);
}

}  // namespace stagora::viewer
