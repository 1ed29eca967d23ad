// The kinds of control the designer's main window is built from, with the behaviour of the
// classic form controls it was drawn with: picture boxes that hold a drawing surface, and
// the shapes, lines and image boxes both programs share. Positions are pixels of the container.
#pragma once

#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "common/controls_ui.h"
#include "platform/image_surface.h"
#include "platform/surface.h"

namespace stagora::designer {

using stagora::Artwork;
using stagora::ImageControl;
using stagora::LabelCaption;
using stagora::LineControl;
using stagora::MakeLabel;
using stagora::Place;
using stagora::QText;
using stagora::ScaledArial;
using stagora::ScreenTwipsPerPixelX;
using stagora::ScreenTwipsPerPixelY;
using stagora::SetLabelColors;
using stagora::ShapeControl;
using stagora::ToQColor;

// A picture box: a container with its own background colour and, on demand, a drawing
// surface as large as the box that the calculation draws the diagram on. The surface
// measures in the box's pixels; its picture holds as many image pixels per pixel as the
// screen shows (its device pixel ratio), so a scaled screen shows it as sharp as its text.
class PictureBox : public QWidget {
 public:
  PictureBox(QWidget* parent, const char* name, plat::Color back);
  void setBackColor(plat::Color back);
  plat::Color backColor() const { return back_; }
  // For a picture that is saved as a file rather than shown: one image pixel per pixel,
  // whatever the screen.
  void setOnePixelPerPixel() { onePixelPerPixel_ = true; }
  // The surface, sized to the box (cleared when the size or the screen's pixel ratio
  // changed since the last call).
  plat::ImageSurface& surface();
  // Repaints what changed on the surface since it was last shown: after a redraw with the
  // kept background, only where the diagram was drawn now or before.
  void updateChanged();

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  plat::Color back_;
  bool onePixelPerPixel_ = false;
  std::unique_ptr<plat::ImageSurface> surface_;
};

// The window's client area: white, and it tells the window when its size changes.
class ClientArea : public QWidget {
 public:
  explicit ClientArea(QWidget* parent);
  std::function<void()> onResize;

 protected:
  void resizeEvent(QResizeEvent*) override;
};

// Lets a control that does not paint every pixel it covers (a field with rounded corners)
// paint as if it did: the colour behind it is laid under its own painting, so a change of the
// control repaints the control alone, not the panel and the captions beneath it. For controls
// that lie on a plain area of the given colour, whose look stays exactly what it was.
void PaintOnPlainBackground(QWidget* control, std::function<plat::Color()> behind);

}  // namespace stagora::designer
