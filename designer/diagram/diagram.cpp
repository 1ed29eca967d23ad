#include "designer/diagram/diagram.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/number_text.h"

namespace stagora {

namespace {

using plat::Color;
using plat::Rgb;

constexpr Color kBlack = 0;

// The picture's kept layers: the background, and over it the marks with the curve.
constexpr int kBackgroundLayer = 0;
constexpr int kMarksAndCurveLayer = 1;

// The background.
constexpr Color kGridColor = Rgb(220, 220, 220);
constexpr Color kDiagonalColor = Rgb(96, 96, 96);
constexpr int kTicks = 10;
// The grid steps by a tenth of the plot less 0.1 %, so the last line stops just short of the
// frame instead of doubling it.
constexpr double kTickDivisions = 10.01;
constexpr int kScreenGridPen = 1;
constexpr int kScreenPen = 2;
constexpr double kPrinterGridPenMm = 0.09;
constexpr double kPrinterPenMm = 0.4;
constexpr double kDashStepMm = 1.4;  // printer grid: a dash of 0.7 mm every 1.4 mm
constexpr double kDashLengthMm = 0.7;

// Tick label offsets: on screen by the label's character count, on paper by its width.
constexpr double kScreenXLabelCharShift = 2.5;
constexpr double kScreenXLabelDrop = 3;
constexpr double kScreenYLabelGap = 5;
constexpr double kScreenYLabelCharShift = 5;
constexpr double kScreenYLabelRise = 7;
constexpr double kPrinterXLabelDrop = 1;
constexpr double kPrinterYLabelGap = 1.5;
constexpr double kPrinterYLabelRise = 2;

// The printer's font; the axis captions are a point larger.
constexpr const char* kPrinterFont = "Arial";
constexpr double kPrinterFontSize = 9;
constexpr double kPrinterCaptionSize = 10;

// Point marks: (colour on the report picture, colour on paper), the text beside the mark.
struct MarkStyle {
  Color screen;
  Color printer;
  const char* text;
};
constexpr MarkStyle kBottomsMark = {Rgb(96, 96, 240), Rgb(96, 96, 240), "(Xb, Yb)"};
constexpr MarkStyle kFeedMark = {Rgb(255, 128, 0), Rgb(180, 120, 0), "(Zf, Zf)"};
constexpr MarkStyle kDistillateMark = {Rgb(192, 0, 0), Rgb(200, 0, 0), "(Xd, Yd)"};
constexpr MarkStyle kIntersectionMark = {Rgb(0, 160, 0), Rgb(0, 160, 0), "(Xq, Yq)"};
constexpr double kScreenMarkRadius = 5;
constexpr double kPrinterMarkRadius = 1;
constexpr double kScreenMarkTextShift = 4;
// The window's draggable point labels are 12 pixels square; a caption that has to move
// keeps this far below one.
constexpr double kScreenPointLabelHalf = 6;
constexpr double kScreenCaptionClearance = 2;
constexpr double kPrinterMarkTextShift = 1;

// The equilibrium curve: from (0, 0) through x = 0.02, 0.03 .. 1 (0.01 is never a vertex).
constexpr Color kCurveColor = Rgb(96, 96, 96);
constexpr double kCurveFirstX = 0.02;
constexpr double kCurveStep = 0.01;
constexpr double kCurveLastX = 1.0001;

// The lines (the same colour on screen and paper) and their legends.
constexpr Color kEnrichingColor = Rgb(200, 0, 0);
constexpr Color kStrippingColor = Rgb(96, 96, 240);
constexpr Color kQLineColor = Rgb(0, 160, 0);
constexpr double kLegendX = 0.405;
constexpr double kEnrichingLegendY = 0.18;
constexpr double kStrippingLegendY = 0.15;
constexpr double kQLineLegendY = 0.12;
constexpr double kScreenLegendGap = 7;
constexpr double kScreenLegendSampleMargins = 3;  // the sample is three margins long
constexpr double kScreenLegendRise = 9;
constexpr double kPrinterLegendGap = 2;
constexpr double kPrinterLegendSample = 15;
constexpr double kPrinterLegendRise = 2;

// The staircase and its stage numbers, up and to the left of each corner on the curve.
constexpr Color kScreenStairColor = Rgb(200, 160, 0);
constexpr Color kPrinterStairColor = Rgb(180, 120, 0);
constexpr double kScreenStageNumberGap = 2;
constexpr double kPrinterStageNumberGap = 0.5;

// Axis captions: the y caption near the top-left corner, the x caption near the bottom-right
// one; on paper each is cut to a line's worth of characters.
constexpr double kScreenYCaptionX = 39;
constexpr double kScreenYCaptionY = 31;
constexpr double kScreenXCaptionInset = 1.5;  // margins from the right and lower edges
constexpr double kPrinterYCaptionX = 14;
constexpr double kPrinterYCaptionY = 13;
constexpr double kPrinterXCaptionRight = 185;
constexpr double kPrinterXCaptionY = 184;
constexpr std::size_t kPrinterCaptionChars = 110;

// Where "(Xq, Yq)" goes beside the intersection, by the feed condition, so that it keeps
// clear of the q-line.
SurfacePoint IntersectionTextOffset(double q, bool screen) {
  if (q > 0.1 && q <= 0.4) return screen ? SurfacePoint{-10, 10} : SurfacePoint{-2, 2};
  if (q > 0.4 && q < 0.8) return screen ? SurfacePoint{10, -6} : SurfacePoint{2, -1};
  return screen ? SurfacePoint{6, 6} : SurfacePoint{1, 1};
}

}  // namespace

std::string TickLabel(int k, const std::string& SimboloDecimal) {
  std::string s = NumberText(k / 10.0);
  if (!s.empty() && s.front() == ' ') s.erase(0, 1);
  std::string out = (!s.empty() && s.front() == '.') ? "0" : "";
  for (char c : s) {
    if (c == '.') {
      out += SimboloDecimal;
    } else {
      out += c;
    }
  }
  return out;
}

DiagramDrawing::DiagramDrawing(plat::Surface& surface, DiagramTarget target, bool ImprimirBN)
    : s_(surface), target_(target), ImprimirBN_(ImprimirBN) {
  if (screen()) {
    frame_ = PlotFrame::Screen(s_.scaleWidth(), s_.scaleHeight());
    s_.setDrawWidth(kScreenGridPen);
  } else {
    s_.setFontName(kPrinterFont);
    s_.setFontSize(kPrinterFontSize);
    s_.setFontBold(false);
    frame_ = PlotFrame::Printer();
    s_.setDrawWidth(printerPen(kPrinterGridPenMm));
  }
}

int DiagramDrawing::printerPen(double mm) const {
  // Millimetres to the printer's pixels, to the nearest whole pixel (halves to even).
  const double twips = mm / 25.4 * 1440;
  return static_cast<int>(std::nearbyint(twips / s_.twipsPerPixelX()));
}

void DiagramDrawing::printAt(double x, double y, const std::string& text) {
  s_.setCurrentX(x);
  s_.setCurrentY(y);
  s_.print(text);
}

SurfaceArea DiagramDrawing::captionArea(double X, double Y, double dx, double dy, double w, double h) const {
  double x = X + dx;
  double y = Y + dy;
  if (screen()) {
    const double right = s_.scaleWidth();
    const double bottom = s_.scaleHeight();
    const double inside = std::max(0.0, std::min(x, right - w));
    // Pushed back over its own point, the caption goes below the point's label instead.
    if (inside != x && inside < X + kScreenPointLabelHalf && inside + w > X - kScreenPointLabelHalf) {
      y = std::max(y, Y + kScreenPointLabelHalf + kScreenCaptionClearance);
    }
    x = inside;
    y = std::max(0.0, std::min(y, bottom - h));
  }
  return SurfaceArea{x, y, x + w, y + h};
}

void DiagramDrawing::printPointCaption(double X, double Y, double dx, double dy, const std::string& text) {
  const double w = s_.textWidth(text);
  const double h = s_.textHeight(text);
  // Beside the point as asked, else mirrored to its left, then above it on the left and on the
  // right: the first place clear of the legends. Where none is, the caption stays as asked.
  SurfaceArea place = captionArea(X, Y, dx, dy, w, h);
  if (place.meets(legend_)) {
    const double left = -std::abs(dx) - w;
    const double right = std::abs(dx);
    const double below = std::abs(dy);
    const double above = -std::abs(dy) - h;
    for (const auto& [ox, oy] : {std::pair{left, below}, std::pair{left, above}, std::pair{right, above}}) {
      const SurfaceArea other = captionArea(X, Y, ox, oy, w, h);
      if (!other.meets(legend_)) {
        place = other;
        break;
      }
    }
  }
  printAt(place.left, place.top, text);
}

SurfaceArea DiagramDrawing::legendArea(const DiagramTexts& texts) const {
  // As drawLegend places each of the three: the sample stroke left of the anchor, the text
  // from the anchor on, risen above the stroke.
  const double gap = screen() ? kScreenLegendGap : kPrinterLegendGap;
  const double sample = screen() ? kScreenLegendSampleMargins * frame_.M : kPrinterLegendSample;
  const double rise = screen() ? kScreenLegendRise : kPrinterLegendRise;
  const double X = frame_.X(kLegendX);
  SurfaceArea area{X - gap - sample, frame_.Y(kEnrichingLegendY) - rise, X, frame_.Y(kQLineLegendY)};
  const std::pair<double, const std::string*> rows[] = {{kEnrichingLegendY, &texts.Enrich_op_line},
                                                         {kStrippingLegendY, &texts.Exhaus_op_line},
                                                         {kQLineLegendY, &texts.q_line}};
  for (const auto& [ay, text] : rows) {
    const double top = frame_.Y(ay) - rise;
    area.top = std::min(area.top, top);
    area.bottom = std::max({area.bottom, frame_.Y(ay), top + s_.textHeight(*text)});
    area.right = std::max(area.right, X + s_.textWidth(*text));
  }
  return area;
}

void DiagramDrawing::placeLabel(PointLabel label, double X, double Y) {
  // Only the window's own picture carries the labels; the report picture and the paper get
  // drawn marks, and a printout must not move the labels of the screen.
  if (target_ == DiagramTarget::kScreen) labels_.centre[label] = SurfacePoint{X, Y};
}

std::string DiagramDrawing::backgroundKey(const std::string& SimboloDecimal) const {
  // Everything the background is drawn from besides the picture's size, which the picture
  // checks itself.
  const plat::FontSpec& font = s_.font();
  std::string key = "diagram background|" + std::to_string(static_cast<int>(target_)) + "|" + SimboloDecimal + "|" +
                    font.name + "|" + std::to_string(font.size) + "|" + std::to_string(font.bold) +
                    std::to_string(font.italic) + std::to_string(font.underline) + std::to_string(font.strikethru) +
                    "|" + std::to_string(s_.foreColor()) + "|" + std::to_string(s_.backColor()) + "|" +
                    std::to_string(static_cast<int>(s_.scaleMode()));
  return key;
}

void DiagramDrawing::DrawBackground(const std::string& SimboloDecimal) {
  const PlotFrame& f = frame_;
  // The background is the same for every run on a picture of one size: a picture that was
  // just cleared puts back the background it kept instead of drawing the grid, its labels and
  // the frame again, which is most of the drawing while a drag redraws on every pointer move.
  const bool fresh = s_.blank();
  backgroundLayered_ = fresh;
  const std::string key = fresh ? backgroundKey(SimboloDecimal) : std::string();
  if (fresh && s_.restoreLayer(key, kBackgroundLayer)) {
    // The state the drawing below leaves.
    if (screen()) s_.setDrawWidth(kScreenPen);
    s_.setCurrentX(f.M + f.W);
    s_.setCurrentY(f.B - f.H);
    return;
  }

  drawTicksAndGrid(SimboloDecimal);

  if (!screen()) s_.setDrawWidth(printerPen(kPrinterPenMm));
  s_.line(f.M, f.B, f.M + f.W, f.B);
  s_.line(f.M, f.B, f.M, f.B - f.H);
  s_.line(f.M + f.W, f.B, f.M + f.W, f.B - f.H);
  s_.line(f.M, f.B - f.H, f.M + f.W, f.B - f.H);

  if (screen()) {
    s_.setDrawWidth(kScreenPen);
    s_.line(f.M, f.B, f.M + f.W, f.B - f.H, kDiagonalColor);
  } else {
    s_.line(f.M, f.B, f.M + f.W, f.B - f.H, kBlack);
  }
  if (fresh) s_.keepLayer(key, kBackgroundLayer);
}

void DiagramDrawing::drawTicksAndGrid(const std::string& SimboloDecimal) {
  const PlotFrame& f = frame_;

  const double sx = f.W / kTickDivisions;
  for (int k = 0; f.M + k * sx <= f.M + f.W; ++k) {
    const double X = f.M + k * sx;
    if (k > 0 && k < kTicks) {
      if (screen()) {
        s_.line(X, f.B, X, f.B - f.H, kGridColor);
      } else {
        for (double Y = f.B; Y >= f.B - f.H + kDashStepMm; Y -= kDashStepMm) {
          s_.line(X, Y, X, Y - kDashLengthMm, kBlack);
        }
      }
    }
    const std::string label = TickLabel(k, SimboloDecimal);
    if (screen()) {
      printAt(X - kScreenXLabelCharShift * static_cast<double>(label.size()), f.B + kScreenXLabelDrop, label);
    } else {
      printAt(X - s_.textWidth(label) / 2, f.B + kPrinterXLabelDrop, label);
    }
  }

  const double sy = -f.H / kTickDivisions;
  for (int k = 0; f.B + k * sy >= f.B - f.H; ++k) {
    const double Y = f.B + k * sy;
    if (k > 0 && k < kTicks) {
      if (screen()) {
        s_.line(f.M, Y, f.M + f.W, Y, kGridColor);
      } else {
        for (double X = f.M; X <= f.M + f.W - kDashStepMm; X += kDashStepMm) {
          s_.line(X, Y, X + kDashLengthMm, Y, kBlack);
        }
      }
    }
    const std::string label = TickLabel(k, SimboloDecimal);
    if (screen()) {
      printAt(f.M - kScreenYLabelGap - kScreenYLabelCharShift * static_cast<double>(label.size()),
              Y - kScreenYLabelRise, label);
    } else {
      printAt(f.M - kPrinterYLabelGap - s_.textWidth(label), Y - kPrinterYLabelRise, label);
    }
  }
}

void DiagramDrawing::DrawPointMarks(const DesignData& data, const DiagramTexts& texts) {
  legend_ = legendArea(texts);
  pointMarks(data, true);
}

void DiagramDrawing::pointMarks(const DesignData& data, bool draw) {
  struct Mark {
    double v;
    PointLabel label;
    const MarkStyle& style;
  };
  const Mark marks[] = {{data.xB, kLabelBottoms, kBottomsMark},
                        {data.zF, kLabelFeed, kFeedMark},
                        {data.xD, kLabelDistillate, kDistillateMark}};
  for (const Mark& m : marks) {
    if (!(m.v >= 0 && m.v <= 1)) continue;
    const double X = frame_.X(m.v);
    const double Y = frame_.Y(m.v);
    placeLabel(m.label, X, Y);
    if (!draw) continue;
    if (target_ == DiagramTarget::kReport) {
      s_.setFillStyle(plat::kFillSolid);
      s_.setFillColor(m.style.screen);
      s_.circle(X, Y, kScreenMarkRadius, m.style.screen);
    }
    if (screen()) {
      printPointCaption(X, Y, kScreenMarkTextShift, kScreenMarkTextShift, m.style.text);
    } else {
      printPointCaption(X, Y, kPrinterMarkTextShift, kPrinterMarkTextShift, m.style.text);
      const Color c = printerColor(m.style.printer);
      s_.setFillStyle(plat::kFillSolid);
      s_.setFillColor(c);
      s_.circle(X, Y, kPrinterMarkRadius, c);
    }
  }
}

Color DiagramDrawing::curveColor() const { return screen() ? kCurveColor : kBlack; }

void DiagramDrawing::traceCurve(const EquilibriumModel& equilibrium) {
  double prevX = 0, prevY = 0;
  double y = 0;
  curve_.clear();
  for (double x = kCurveFirstX; x <= kCurveLastX; x += kCurveStep) {
    // A lookup that fails leaves y as it was, and the curve goes on level.
    const Outcome o = equilibrium.YdeX(x);
    if (o.ok() && std::isfinite(o.value)) y = o.value;
    curve_.push_back(plat::Segment{frame_.X(prevX), frame_.Y(prevY), frame_.X(x), frame_.Y(y)});
    prevX = x;
    prevY = y;
  }
}

void DiagramDrawing::DrawEquilibriumCurve(const EquilibriumModel& equilibrium) {
  traceCurve(equilibrium);
  // One call for the hundred pieces, drawn as a hundred lines would be.
  s_.lines(curve_, curveColor());
}

std::string DiagramDrawing::marksAndCurveKey(const DesignData& data) const {
  // The marks' places and the curve's pieces as they are drawn, bit for bit, with the pen,
  // colours and font they are drawn in.
  std::string key = "diagram marks and curve|";
  const auto add = [&key](const auto& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
  };
  for (const double v : {data.xB, data.zF, data.xD}) {
    const bool marked = v >= 0 && v <= 1;
    add(marked);
    if (marked) add(v);
  }
  add(s_.drawWidth());
  add(s_.foreColor());
  for (const double edge : {legend_.left, legend_.top, legend_.right, legend_.bottom}) add(edge);
  const plat::FontSpec& font = s_.font();
  key += font.name;
  add(font.size);
  for (const bool style : {font.bold, font.italic, font.underline, font.strikethru}) add(style);
  key.append(reinterpret_cast<const char*>(curve_.data()), curve_.size() * sizeof(plat::Segment));
  return key;
}

void DiagramDrawing::DrawPointMarksAndCurve(const DesignData& data, const EquilibriumModel* equilibrium,
                                            const DiagramTexts& texts) {
  legend_ = legendArea(texts);
  // Only over a kept background, and only on the window's picture: the report picture is
  // drawn once per report, and its marks set the fill as well.
  if (!equilibrium || !backgroundLayered_ || target_ != DiagramTarget::kScreen) {
    pointMarks(data, true);
    if (equilibrium) DrawEquilibriumCurve(*equilibrium);
    return;
  }
  traceCurve(*equilibrium);
  const std::string key = marksAndCurveKey(data);
  if (s_.restoreLayer(key, kMarksAndCurveLayer)) {
    pointMarks(data, false);
    // Where the curve leaves the current position.
    s_.setCurrentX(curve_.back().x2);
    s_.setCurrentY(curve_.back().y2);
    return;
  }
  pointMarks(data, true);
  s_.lines(curve_, curveColor());
  s_.keepLayer(key, kMarksAndCurveLayer);
}

void DiagramDrawing::DrawConstruction(const DesignResult& result, const DiagramTexts& texts) {
  if (!result.ok()) return;
  const DesignData& d = result.data;
  const OperatingLines& l = result.lines;
  const PlotFrame& f = frame_;
  legend_ = legendArea(texts);
  labels_.show = true;
  if (screen()) s_.setDrawWidth(kScreenPen);

  s_.line(f.X(d.xD), f.Y(d.xD), f.X(l.xq), f.Y(l.yq), lineColor(kEnrichingColor, kEnrichingColor));
  drawLegend(kLegendX, kEnrichingLegendY, lineColor(kEnrichingColor, kEnrichingColor), texts.Enrich_op_line);
  s_.line(f.X(d.xB), f.Y(d.xB), f.X(l.xq), f.Y(l.yq), lineColor(kStrippingColor, kStrippingColor));
  drawLegend(kLegendX, kStrippingLegendY, lineColor(kStrippingColor, kStrippingColor), texts.Exhaus_op_line);
  s_.line(f.X(d.zF), f.Y(d.zF), f.X(result.pinch.xm), f.Y(result.pinch.ym), lineColor(kQLineColor, kQLineColor));
  drawLegend(kLegendX, kQLineLegendY, lineColor(kQLineColor, kQLineColor), texts.q_line);

  drawIntersectionMark(result);
  drawStaircase(result.staircase);
  drawAxisCaptions(texts);
}

void DiagramDrawing::drawLegend(double ax, double ay, Color color, const std::string& text) {
  const double X = frame_.X(ax);
  const double Y = frame_.Y(ay);
  if (screen()) {
    s_.line(X - kScreenLegendGap, Y, X - kScreenLegendGap - kScreenLegendSampleMargins * frame_.M, Y, color);
    printAt(X, Y - kScreenLegendRise, text);
  } else {
    s_.line(X - kPrinterLegendGap, Y, X - kPrinterLegendGap - kPrinterLegendSample, Y, color);
    printAt(X, Y - kPrinterLegendRise, text);
  }
}

void DiagramDrawing::drawIntersectionMark(const DesignResult& result) {
  const double X = frame_.X(result.lines.xq);
  const double Y = frame_.Y(result.lines.yq);
  placeLabel(kLabelIntersection, X, Y);
  if (target_ == DiagramTarget::kReport) {
    s_.setFillStyle(plat::kFillSolid);
    s_.setFillColor(kIntersectionMark.screen);
    s_.circle(X, Y, kScreenMarkRadius, kIntersectionMark.screen);
  }
  const SurfacePoint shift = IntersectionTextOffset(result.data.q, screen());
  printPointCaption(X, Y, shift.X, shift.Y, kIntersectionMark.text);
  if (!screen()) {
    const Color c = printerColor(kIntersectionMark.printer);
    s_.setFillStyle(plat::kFillSolid);
    s_.setFillColor(c);
    s_.circle(X, Y, kPrinterMarkRadius, c);
  }
}

void DiagramDrawing::drawStaircase(const Staircase& staircase) {
  const Color color = lineColor(kScreenStairColor, kPrinterStairColor);
  const double gap = screen() ? kScreenStageNumberGap : kPrinterStageNumberGap;
  double prevX = frame_.X(staircase.PuntoX[1]);
  double prevY = frame_.Y(staircase.PuntoY[1]);
  for (int i = 1; i <= staircase.NumPuntos && i <= kMaxPointIndex; ++i) {
    if (staircase.PuntoX[static_cast<std::size_t>(i)] == 0) break;
    const double X = frame_.X(staircase.PuntoX[static_cast<std::size_t>(i)]);
    const double Y = frame_.Y(staircase.PuntoY[static_cast<std::size_t>(i)]);
    s_.line(prevX, prevY, X, Y, color);
    if (i % 2 == 0) {
      const std::string number = std::to_string(i / 2);
      printAt(X - s_.textWidth(number) - gap, Y - s_.textHeight(number) - gap, number);
    }
    prevX = X;
    prevY = Y;
  }
}

void DiagramDrawing::drawAxisCaptions(const DiagramTexts& texts) {
  if (screen()) {
    printAt(kScreenYCaptionX, kScreenYCaptionY, texts.RotuloEjeY);
    const double inset = kScreenXCaptionInset * frame_.M;
    printAt(s_.scaleWidth() - s_.textWidth(texts.RotuloEjeX) - inset,
            s_.scaleHeight() - s_.textHeight(texts.RotuloEjeX) - inset, texts.RotuloEjeX);
    return;
  }
  s_.setFontSize(kPrinterCaptionSize);
  printAt(kPrinterYCaptionX, kPrinterYCaptionY, texts.RotuloEjeY.substr(0, kPrinterCaptionChars));
  const std::string x = texts.RotuloEjeX.substr(0, kPrinterCaptionChars);
  printAt(kPrinterXCaptionRight - s_.textWidth(x), kPrinterXCaptionY, x);
}

PointLabelPlaces DrawDiagram(plat::Surface& surface, DiagramTarget target, const DesignResult& result,
                             const EquilibriumModel& equilibrium, const DiagramTexts& texts, bool ImprimirBN) {
  DiagramDrawing d(surface, target, ImprimirBN);
  d.DrawBackground(result.SimboloDecimal);
  if (result.phase > CalcPhase::kReadInputs) {
    d.DrawPointMarksAndCurve(result.data, result.phase > CalcPhase::kValidation ? &equilibrium : nullptr, texts);
  }
  if (result.ok()) d.DrawConstruction(result, texts);
  return d.labels();
}

}  // namespace stagora
