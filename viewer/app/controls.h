// The kinds of control the viewer's main window is built from, with the behaviour of the
// classic form controls it was drawn with: strips with a back colour that hold other
// controls, the page picture with its drawing surface, scroll bars whose Max may lie below
// their Min, and the shapes, lines and image boxes both programs share. Positions are pixels
// of the container.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "common/controls_ui.h"
#include "platform/image_surface.h"
#include "platform/surface.h"

class QScrollBar;

namespace stagora::viewer {

using stagora::ImageControl;
using stagora::LabelCaption;
using stagora::LineControl;
using stagora::QText;
using stagora::ScreenTwipsPerPixelX;
using stagora::ScreenTwipsPerPixelY;
using stagora::ShapeControl;
using stagora::ToQColor;

// The screen's size in pixels.
int ScreenWidthPixels();

// A font at a nominal size, scaled so that the text keeps its pixel size whatever the
// screen's resolution setting: nominal x (twips per pixel in x) / 15 points.
QFont ScaledFont(const char* family, double nominal, bool bold = false);

// Shows `text` on `label` in `font`; a text wider than the label in that font is shown in the
// largest smaller size, half a point at a time, at which it fits (never below `smallest`
// points), so that it is read whole instead of cut at both ends.
void SetTextWithinWidth(QLabel* label, const QString& text, QFont font, double smallest);

// A container with a back colour of its own (the toolbar strip, the page bar, the scroll
// strip). `onResize` runs after its size changed.
class Strip : public QWidget {
 public:
  Strip(QWidget* parent, const char* name, plat::Color back);
  std::function<void()> onResize;

 protected:
  void resizeEvent(QResizeEvent*) override;
};

// The page: a white picture whose drawing surface, in twips, is as large as the picture.
class PagePicture : public QWidget {
 public:
  PagePicture(QWidget* parent, const char* name);
  // The surface, resized (and cleared) when the picture's size changed since the last call.
  plat::ImageSurface& surface();
  // Clears the surface to white.
  void Cls();
  std::string Tag = "Normal";

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  std::unique_ptr<plat::ImageSurface> surface_;
};

// A scroll bar that keeps the classic bar's values: Min and Max in any order (Max below Min
// when the page is larger than the window), Value between them, and a change notification
// whenever Value changes, also when code sets it. It lives as long as its bar.
class ScrollBarControl : public QObject {
 public:
  ScrollBarControl(QWidget* parent, const char* name, Qt::Orientation orientation);
  QScrollBar* widget() const { return bar_; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Value() const { return value_; }
  void setMin(int v);
  void setMax(int v);
  void setValue(int v);
  int SmallChange = 60;
  int LargeChange = 180;
  std::function<void()> onChange;

 private:
  void sync();
  QScrollBar* bar_;
  int min_ = 0, max_ = 0, value_ = 0;
  bool syncing_ = false;
};

// Rounds as a classic Integer assignment does: to the nearest, halves to the even one.
int RoundToInteger(double v);

}  // namespace stagora::viewer
