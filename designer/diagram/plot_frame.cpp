#include "designer/diagram/plot_frame.h"

namespace stagora {

PlotFrame PlotFrame::Screen(double width, double height) {
  PlotFrame f;
  f.M = kScreenMargin;
  f.B = height - kScreenMargin;
  f.W = width - 2 * kScreenMargin;
  f.H = height - 2 * kScreenMargin;
  return f;
}

PlotFrame PlotFrame::Printer() {
  PlotFrame f;
  f.M = kPrinterMargin;
  f.B = kPrinterMargin + kPrinterPlotSize;
  f.W = kPrinterPlotSize;
  f.H = kPrinterPlotSize;
  return f;
}

}  // namespace stagora
