// Where the diagram's square of mole fractions (0 to 1 on both axes) lies on a surface: inside
// a margin of 25 pixels on a picture, a 180 mm square at 10 mm from the paper's top-left
// corner on the printer. The drawing and the diagram's mouse handlers share this one mapping,
// so a point dragged on screen lands where the drawing put it.
#pragma once

namespace stagora {

inline constexpr double kScreenMargin = 25;      // pixels, on every side of a picture
inline constexpr double kPrinterMargin = 10;     // millimetres, left and top of the paper
inline constexpr double kPrinterPlotSize = 180;  // millimetres, the plot's width and height

struct PlotFrame {
  double M = 0;  // left edge of the plot, and its top edge
  double B = 0;  // the x axis: the plot's bottom edge
  double W = 0;  // plot width
  double H = 0;  // plot height

  // A picture of the given size in its own scale (pixels).
  static PlotFrame Screen(double width, double height);
  // The printer, in millimetres.
  static PlotFrame Printer();

  // Surface position of a diagram coordinate (y grows upwards on the diagram).
  double X(double x) const { return M + x * W; }
  double Y(double y) const { return B - y * H; }
  // Diagram coordinate of a surface position: the inverse of X and Y.
  double DiagramX(double X) const { return (X - M) / W; }
  double DiagramY(double Y) const { return (B - Y) / H; }
};

}  // namespace stagora
