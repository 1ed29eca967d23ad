// The Stagora-Thiele diagram of a design on a surface: the fixed background (grid with tick
// labels, frame, diagonal), the marks of the three given points, the equilibrium curve, and
// after a successful calculation the three lines with their legends, the intersection mark,
// the staircase with its stage numbers and the axis captions.
//
// The drawing comes in the phases the recalculation interleaves with its checks, so a
// rejected design still shows everything drawn before the check that refused it. The screen
// picture shows no marks of its own: its four draggable point labels sit over the points,
// and the drawing only says where (the window moves the labels).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "designer/calculation/design_calculation.h"
#include "designer/calculation/equilibrium.h"
#include "designer/diagram/plot_frame.h"
#include "designer/diagram/text_places.h"
#include "platform/surface.h"

namespace stagora {

// The three places a diagram is drawn: the main window's picture, the hidden picture the
// report image is saved from, and the printer (whose scale the caller has set to
// millimetres).
enum class DiagramTarget { kScreen, kReport, kPrinter };

// Texts the diagram prints, from the main window's language table and caption fields.
struct DiagramTexts {
  std::string Enrich_op_line;  // legend of the enriching operating line
  std::string Exhaus_op_line;  // legend of the stripping operating line
  std::string q_line;          // legend of the q-line
  std::string RotuloEjeX;      // axis captions
  std::string RotuloEjeY;
};

// The point labels Label2(0) .. Label2(3), in that order: bottoms, intersection, distillate,
// feed.
enum PointLabel { kLabelBottoms = 0, kLabelIntersection = 1, kLabelDistillate = 2, kLabelFeed = 3 };
inline constexpr int kPointLabels = 4;

struct SurfacePoint {
  double X = 0;
  double Y = 0;
  bool operator==(const SurfacePoint&) const = default;
};

// A text at its top-left corner.
struct PlacedText {
  double x = 0;
  double y = 0;
  std::string text;
};

// What a run says about the point labels: the centre each label is to be moved to (none: the
// label stays where it is), and whether all four are to be shown (a complete design).
struct PointLabelPlaces {
  std::array<std::optional<SurfacePoint>, kPointLabels> centre;
  bool show = false;
};

// Where the legends and the axis captions stand, or would stand for a design that succeeds:
// the legend texts' left edge, the length of the sample strokes and the height of each row's
// stroke from the top; the axis captions' lines as placed, and how far the y caption reaches
// below its first line.
struct FixedTextPlaces {
  double legendX = 0;
  double legendSample = 0;
  std::array<double, 3> legendY{};
  std::vector<PlacedText> axisCaptions;
  double yCaptionMoreLines = 0;
};

// Where the diagram's own texts go on one picture, kept from one run to the next by a caller
// that draws the same picture again and again (the window's, on every pointer move of a drag):
// the places of the legends and axis captions and the boxes they take follow from the texts,
// the picture's size and its font alone, nothing of a design. Measures and places only, never
// drawn pixels; each run checks that what they follow from is as it was.
class DiagramTextPlaces {
 private:
  friend class DiagramDrawing;
  // What they were worked out for; empty: nothing yet.
  std::string key_;
  FixedTextPlaces places_;
  // The boxes of the axis captions and the legends, which the point captions keep clear of.
  std::vector<SurfaceArea> boxes_;
};

// One run of the diagram on one surface. Constructing it prepares the surface (pen, font on
// the printer) but does not clear it: the caller clears the picture.
class DiagramDrawing {
 public:
  // `ImprimirBN`: on the printer, every coloured element in black.
  // `kept`, when given, holds the places of the legends and axis captions from the caller's
  // earlier runs on the same picture, and gets this run's.
  DiagramDrawing(plat::Surface& surface, DiagramTarget target, bool ImprimirBN = false,
                 DiagramTextPlaces* kept = nullptr);

  // Grid with its tick labels in the given decimal symbol, frame and diagonal.
  void DrawBackground(const std::string& SimboloDecimal);
  // The marks of (xB, xB), (zF, zF) and (xD, xD) with the values as read: a value outside
  // 0..1 gets no mark. On the screen picture the labels are placed instead of marks. Each
  // caption goes beside its point where it meets no other text of the diagram: the tick
  // labels, the earlier captions, the other points' marks, and where the legends and the axis
  // captions of `texts` stand once a design succeeds (so that the captions do not jump when it
  // does), and for a successful `result` the stage numbers and the intersection's caption.
  void DrawPointMarks(const DesignResult& result, const DiagramTexts& texts);
  void DrawEquilibriumCurve(const EquilibriumModel& equilibrium);
  // The marks, then the curve when there is one (a design that passed validation): drawn as
  // the two calls above draw them. The window's picture, which has captions but no marks,
  // draws its curve first: over a background that came from its kept layer it keeps the curve
  // with the captions as a layer of their own, so a redraw that changes neither (the q point
  // or the reflux ratio dragged) puts them back instead of drawing the hundred pieces again.
  void DrawPointMarksAndCurve(const DesignResult& result, const EquilibriumModel* equilibrium,
                              const DiagramTexts& texts);
  // The rest, for a successful result: lines and legends, intersection mark, staircase with
  // stage numbers, axis captions; the labels are shown.
  void DrawConstruction(const DesignResult& result, const DiagramTexts& texts);

  const PlotFrame& frame() const { return frame_; }
  const PointLabelPlaces& labels() const { return labels_; }
  // How much farther down the y axis's caption reaches than a caption of one line, on a
  // picture where it goes on in more lines: what lies under it moves down as far. Known once
  // the marks are drawn.
  double YCaptionMoreLines() const { return fixed_.yCaptionMoreLines; }

 private:
  bool screen() const { return target_ != DiagramTarget::kPrinter; }
  // An element's printer colour, or black for black-and-white printing.
  plat::Color printerColor(plat::Color c) const { return ImprimirBN_ ? 0 : c; }
  // The colour of a line element on this surface.
  plat::Color lineColor(plat::Color screenColor, plat::Color printColor) const {
    return screen() ? screenColor : printerColor(printColor);
  }
  int printerPen(double mm) const;
  void printAt(double x, double y, const std::string& text);
  SurfaceArea textArea(const PlacedText& t);

  // Where each text of the diagram goes, worked out before anything of the design is drawn.
  void placeTexts(const DesignResult& result, const DiagramTexts& texts);
  // The caption `text` of the point (X, Y), asked at the offset (dx, dy) from it: there when
  // that place is free, else at the first free one of the point's other corners and of places
  // farther round it, inside the plot where one is; `taken` gets its box.
  // `addOutside` adds to `taken` what lies outside the plot, for a place that reaches there.
  SurfaceArea captionPlace(double X, double Y, double dx, double dy, const std::string& text,
                           std::vector<SurfaceArea>& taken, const std::function<void()>& addOutside);
  // Where the caption's text goes at the offset (dx, dy) from (X, Y), kept inside a picture:
  // pushed back from an edge, and off its own point where that would put it over the point.
  SurfaceArea captionArea(double X, double Y, double dx, double dy, double w, double h) const;
  // The plot's square on the surface.
  SurfaceArea plotArea() const;
  // Half the side of the square (a label or a drawn mark) that stands on a point.
  double markHalf() const;
  // The tick labels, the x axis's from 0 to 1 and then the y axis's.
  std::vector<PlacedText> tickLabels(const std::string& SimboloDecimal);
  // The stage numbers of a staircase, in their order; their boxes go to `boxes` when given.
  std::vector<PlacedText> stageNumbers(const Staircase& staircase, std::vector<SurfaceArea>* boxes = nullptr);
  // The legends: the text of each row at the anchor, the sample stroke to its left. On a
  // narrow picture the anchor moves left so the texts end inside the frame, and the strokes
  // shorten so they keep right of a point's mark on the diagonal at the legends' height; on a
  // short one the rows keep a line apart.
  void placeLegends(const DiagramTexts& texts);
  // The axis captions, each broken into lines where it would run past the plot's width.
  void placeAxisCaptions(const DiagramTexts& texts);
  // The legends and the axis captions placed, from kept_ when it holds them for these texts
  // on this picture; their boxes go to `taken`.
  void placeFixedTexts(const DiagramTexts& texts, std::vector<SurfaceArea>& taken);
  // Names everything the legends' and axis captions' places follow from.
  std::string fixedTextsKey(const DiagramTexts& texts);

  void placeLabel(PointLabel label, double X, double Y);
  void drawTicksAndGrid(const std::string& SimboloDecimal);
  void drawLegend(int row, plat::Color color, const std::string& text);
  void drawIntersectionMark(const DesignResult& result);
  void drawStaircase(const Staircase& staircase);
  void drawAxisCaptions();
  // Names what the background depends on, for a picture that keeps it.
  std::string backgroundKey(const std::string& SimboloDecimal) const;
  // Places the labels of the three given points, and draws their marks when `draw`.
  void pointMarks(const DesignData& data, bool draw);
  // The curve's pieces into curve_, without drawing them.
  void traceCurve(const EquilibriumModel& equilibrium);
  plat::Color curveColor() const;
  // Names the curve and the captions as drawn, for a picture that keeps them.
  std::string curveKey() const;

  plat::Surface& s_;
  DiagramTarget target_;
  bool ImprimirBN_;
  DiagramTextPlaces* kept_;
  PlotFrame frame_;
  PointLabelPlaces labels_;
  std::vector<plat::Segment> curve_;
  // The background was put back from, or kept as, the picture's first layer.
  bool backgroundLayered_ = false;
  std::string SimboloDecimal_ = ".";
  FixedTextPlaces fixed_;
  // The stage numbers of a successful design, as placed with the captions.
  std::vector<PlacedText> stageNumbers_;
  // The point captions' boxes by label, as placed.
  std::array<std::optional<SurfaceArea>, kPointLabels> captions_;
};

// The whole diagram of a calculation after the surface was cleared: the background, and of
// the rest what the calculation had reached by the time it stopped (the marks once the data
// were read, the curve once they passed validation, the construction on success).
// `kept` as for DiagramDrawing.
PointLabelPlaces DrawDiagram(plat::Surface& surface, DiagramTarget target, const DesignResult& result,
                             const EquilibriumModel& equilibrium, const DiagramTexts& texts, bool ImprimirBN = false,
                             DiagramTextPlaces* kept = nullptr);

// The label of tick k (0 .. 10) of either axis: "0", "0.1" .. "0.9", "1" in the decimal symbol.
std::string TickLabel(int k, const std::string& SimboloDecimal);

}  // namespace stagora
