// The painted controls both programs' windows are built from, with the behaviour of the
// classic form controls they were drawn with: shapes and lines that only paint (the mouse
// passes through them to the panel below) and image boxes; and the screen's measure, the
// scaled Arial, the labels and the caption texts the windows place and label their controls
// with. Positions are pixels of the container.
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/surface.h"

class QAction;
class QLabel;

namespace stagora {

// Twips per pixel of the screen the window is on (15 at 96 dots per inch).
double ScreenTwipsPerPixelX();
double ScreenTwipsPerPixelY();

QColor ToQColor(plat::Color c);
// Windows-1252 text to the widgets' Unicode; a CR LF line break becomes the widgets' LF.
QString QText(const std::string& cp1252);

// Gives a menu-bar entry its caption: a submenu's title, or a command's text.
void SetEntryCaption(QAction* entry, const QString& caption);

// A caption as a label shows it: "&&" is one ampersand, a single "&" marks the access key
// and is not shown.
QString LabelCaption(const std::string& cp1252);

// Arial at a nominal size, scaled so that the text keeps its pixel size whatever the
// screen's resolution setting: nominal x (twips per pixel in x) / 15 points.
QFont ScaledArial(double nominal, bool bold = false);

// Places a widget at its pixel rectangle inside its container.
void Place(QWidget* w, int left, int top, int width, int height);

// A label with a background colour of its own (opaque) or none (transparent), a text colour,
// an alignment and a font.
QLabel* MakeLabel(QWidget* parent, const char* name, double fontSize, bool bold = false);
void SetLabelColors(QLabel* label, plat::Color text, const plat::Color* back = nullptr);

// A rectangle: an inside colour when filled and a border of one pixel when outlined. Takes no
// mouse.
class ShapeControl : public QWidget {
 public:
  ShapeControl(QWidget* parent, const char* name, bool filled, plat::Color fill, bool outlined,
               plat::Color border);
  void setFillColor(plat::Color fill);
  plat::Color fillColor() const { return fill_; }
  // The same colour by the classic shape's own name for it.
  void setBackColor(plat::Color fill) { setFillColor(fill); }
  plat::Color backColor() const { return fill_; }
  bool filled() const { return filled_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  bool filled_;
  plat::Color fill_;
  bool outlined_;
  plat::Color border_;
};

// A line from (X1, Y1) to (X2, Y2) in its container's pixels. Takes no mouse.
class LineControl : public QWidget {
 public:
  LineControl(QWidget* parent, const char* name, plat::Color color);
  void setLine(int x1, int y1, int x2, int y2);
  void setY(int y) { setLine(x1_, y, x2_, y); }
  int X1() const { return x1_; }
  int Y1() const { return y1_; }
  int X2() const { return x2_; }
  int Y2() const { return y2_; }
  plat::Color color() const { return color_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  plat::Color color_;
};

// A picture drawn in code at a device pixel ratio, the same size in pixels at every ratio.
using Artwork = QPixmap (*)(double devicePixelRatio);

// An image box. Unstretched, it takes the natural size of its picture, in pixels; stretched,
// it keeps its own size and shows the picture over all of it. A picture drawn in code is
// drawn again whenever the screen's pixel ratio changes, so it stays sharp. A release of the
// mouse over it reaches `onClick` when that is set, and the box's container otherwise.
class ImageControl : public QWidget {
 public:
  ImageControl(QWidget* parent, const char* name);
  // Before the picture is set: a stretched box keeps the size it is given.
  void setStretch(bool stretch) { stretch_ = stretch; }
  void setPicture(const QPixmap& picture);
  void setPicture(Artwork draw);
  // The same picture as another image box.
  void copyPicture(const ImageControl& other);
  const QPixmap& picture() const { return picture_; }
  std::function<void()> onClick;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  QPixmap picture_;
  Artwork artwork_ = nullptr;
  bool stretch_ = false;
};

}  // namespace stagora
