#include "designer/diagram/diagram.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <utility>

#include "common/number_text.h"

namespace stagora {

namespace {

using plat::Color;
using plat::Rgb;

constexpr Color kBlack = 0;

// The picture's kept layers: the background, and over it the curve.
constexpr int kBackgroundLayer = 0;
constexpr int kCurveLayer = 1;

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
// How many rounds of places, a line's height apart, a caption tries around its point.
constexpr int kCaptionRings = 6;

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
// The legends' rows, from the top: enriching line, stripping line, q-line.
constexpr std::array<double, 3> kLegendRowY = {0.18, 0.15, 0.12};
enum LegendRow { kEnrichingRow = 0, kStrippingRow = 1, kQLineRow = 2 };
constexpr double kScreenLegendGap = 7;
constexpr double kScreenLegendSampleMargins = 3;  // the sample is three margins long
constexpr double kScreenLegendRise = 9;
// On a narrow picture: the legends' texts end this far inside the frame, and their strokes
// are never shorter than this.
constexpr double kScreenLegendFrameGap = 3;
constexpr double kScreenShortestLegendSample = 15;
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

DiagramDrawing::DiagramDrawing(plat::Surface& surface, DiagramTarget target, bool ImprimirBN, DiagramTextPlaces* kept)
    : s_(surface), target_(target), ImprimirBN_(ImprimirBN), kept_(kept) {
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

SurfaceArea DiagramDrawing::textArea(const PlacedText& t) {
  return SurfaceArea{t.x, t.y, t.x + s_.textWidth(t.text), t.y + s_.textHeight(t.text)};
}

SurfaceArea DiagramDrawing::plotArea() const {
  return SurfaceArea{frame_.M, frame_.B - frame_.H, frame_.M + frame_.W, frame_.B};
}

double DiagramDrawing::markHalf() const {
  if (target_ == DiagramTarget::kScreen) return kScreenPointLabelHalf;
  return screen() ? kScreenMarkRadius : kPrinterMarkRadius;
}

SurfaceArea DiagramDrawing::captionArea(double X, double Y, double dx, double dy, double w, double h) const {
  double x = X + dx;
  double y = Y + dy;
  if (screen()) {
    const double right = s_.scaleWidth();
    const double bottom = s_.scaleHeight();
    const double inside = std::max(0.0, std::min(x, right - w));
    // Pushed back over its own point, the caption goes below the point's label instead, or
    // above it when it was asked above.
    if (inside != x && inside < X + kScreenPointLabelHalf && inside + w > X - kScreenPointLabelHalf) {
      if (dy < 0) {
        y = std::min(y, Y - kScreenPointLabelHalf - kScreenCaptionClearance - h);
      } else {
        y = std::max(y, Y + kScreenPointLabelHalf + kScreenCaptionClearance);
      }
    }
    x = inside;
    y = std::max(0.0, std::min(y, bottom - h));
  }
  return SurfaceArea{x, y, x + w, y + h};
}

SurfaceArea DiagramDrawing::captionPlace(double X, double Y, double dx, double dy, const std::string& text,
                                         std::vector<SurfaceArea>& taken, const std::function<void()>& addOutside) {
  const double w = s_.textWidth(text);
  const double h = s_.textHeight(text);
  // Most captions stand where they are asked to, inside the plot, where nothing of what lies
  // outside it can meet them: that is looked at first, and the rest only when needed.
  const SurfaceArea asked = captionArea(X, Y, dx, dy, w, h);
  if (!asked.inside(plotArea())) addOutside();
  const auto free = [&taken](const SurfaceArea& c) {
    return std::none_of(taken.begin(), taken.end(), [&c](const SurfaceArea& t) { return c.meets(t); });
  };
  if (free(asked)) {
    taken.push_back(asked);
    return asked;
  }
  // Beside the point as asked; else mirrored to its left, then above it on the left and on
  // the right; then centred below, above, right and left of the point's mark; then the same
  // rounds farther out, a line's height at a time, so that the captions of points that meet
  // stack up in lines beside them.
  const double ax = std::abs(dx);
  const double ay = std::abs(dy);
  const double side = markHalf() + (screen() ? kScreenCaptionClearance : kPrinterMarkTextShift);
  std::vector<SurfaceArea> candidates;
  candidates.push_back(asked);
  for (int ring = 0; ring <= kCaptionRings; ++ring) {
    const double out = ring * h;
    const double offsets[][2] = {{ax, ay + out},        {-ax - w, ay + out},  {-ax - w, -ay - out - h},
                                 {ax, -ay - out - h},   {-w / 2, side + out}, {-w / 2, -side - out - h},
                                 {side + out, -h / 2},  {-side - out - w, -h / 2}};
    for (const auto& [ox, oy] : offsets) candidates.push_back(captionArea(X, Y, ox, oy, w, h));
  }
  // A free place inside the plot, found without what lies outside it; else anywhere.
  const SurfaceArea plot = plotArea();
  for (const SurfaceArea& c : candidates) {
    if (c.inside(plot) && free(c)) {
      taken.push_back(c);
      return c;
    }
  }
  addOutside();
  const SurfaceArea place = candidates[FreestPlace(candidates, taken, plot)];
  taken.push_back(place);
  return place;
}

std::vector<PlacedText> DiagramDrawing::tickLabels(const std::string& SimboloDecimal) {
  const PlotFrame& f = frame_;
  std::vector<PlacedText> labels;
  const double sx = f.W / kTickDivisions;
  for (int k = 0; f.M + k * sx <= f.M + f.W; ++k) {
    const double X = f.M + k * sx;
    std::string label = TickLabel(k, SimboloDecimal);
    const double x = screen() ? X - kScreenXLabelCharShift * static_cast<double>(label.size())
                              : X - s_.textWidth(label) / 2;
    labels.push_back({x, f.B + (screen() ? kScreenXLabelDrop : kPrinterXLabelDrop), std::move(label)});
  }
  const double sy = -f.H / kTickDivisions;
  for (int k = 0; f.B + k * sy >= f.B - f.H; ++k) {
    const double Y = f.B + k * sy;
    std::string label = TickLabel(k, SimboloDecimal);
    if (screen()) {
      labels.push_back({f.M - kScreenYLabelGap - kScreenYLabelCharShift * static_cast<double>(label.size()),
                        Y - kScreenYLabelRise, std::move(label)});
    } else {
      labels.push_back({f.M - kPrinterYLabelGap - s_.textWidth(label), Y - kPrinterYLabelRise, std::move(label)});
    }
  }
  return labels;
}

std::vector<PlacedText> DiagramDrawing::stageNumbers(const Staircase& staircase, std::vector<SurfaceArea>* boxes) {
  const double gap = screen() ? kScreenStageNumberGap : kPrinterStageNumberGap;
  std::vector<PlacedText> numbers;
  for (int i = 1; i <= staircase.NumPuntos && i <= kMaxPointIndex; ++i) {
    if (staircase.PuntoX[static_cast<std::size_t>(i)] == 0) break;
    if (i % 2 != 0) continue;
    const double X = frame_.X(staircase.PuntoX[static_cast<std::size_t>(i)]);
    const double Y = frame_.Y(staircase.PuntoY[static_cast<std::size_t>(i)]);
    std::string number = std::to_string(i / 2);
    const double w = s_.textWidth(number);
    const double h = s_.textHeight(number);
    const double x = X - w - gap;
    const double y = Y - h - gap;
    if (boxes) boxes->push_back(SurfaceArea{x, y, x + w, y + h});
    numbers.push_back({x, y, std::move(number)});
  }
  return numbers;
}

void DiagramDrawing::placeLegends(const DiagramTexts& texts) {
  fixed_.legendX = frame_.X(kLegendX);
  for (std::size_t row = 0; row < kLegendRowY.size(); ++row) fixed_.legendY[row] = frame_.Y(kLegendRowY[row]);
  if (!screen()) {
    fixed_.legendSample = kPrinterLegendSample;
    return;
  }
  fixed_.legendSample = kScreenLegendSampleMargins * frame_.M;
  double textWidth = 0;
  double lineHeight = 0;
  for (const std::string* text : {&texts.Enrich_op_line, &texts.Exhaus_op_line, &texts.q_line}) {
    textWidth = std::max(textWidth, s_.textWidth(*text));
    lineHeight = std::max(lineHeight, s_.textHeight(*text));
  }
  // On a short picture the rows keep a line apart, upwards from the q-line's, so that the
  // lowest stays clear of the x axis's caption.
  for (std::size_t row = kLegendRowY.size() - 1; row-- > 0;) {
    fixed_.legendY[row] = std::min(fixed_.legendY[row], fixed_.legendY[row + 1] - lineHeight);
  }
  // The texts end inside the plot's right side; the strokes start right of the mark of a point
  // on the diagonal at the top row's height, which on the designed picture is where they do.
  const double textRight = frame_.M + frame_.W - kScreenLegendFrameGap;
  fixed_.legendX = std::max(frame_.M, std::min(fixed_.legendX, textRight - textWidth));
  const double strokeLeft = frame_.X(frame_.DiagramY(fixed_.legendY[kEnrichingRow])) + kScreenPointLabelHalf;
  const double room = fixed_.legendX - kScreenLegendGap - strokeLeft;
  if (room < fixed_.legendSample) {
    fixed_.legendSample = std::max(kScreenShortestLegendSample, room);
    // Too narrow for even the shortest stroke: the stroke keeps its length and inside the
    // frame, and the texts move right of it as far as the picture lets them.
    const double leftmost = frame_.M + kScreenLegendGap + fixed_.legendSample + kScreenLegendFrameGap;
    if (fixed_.legendX < leftmost) fixed_.legendX = std::min(leftmost, s_.scaleWidth() - textWidth);
    fixed_.legendX = std::max(0.0, fixed_.legendX);
  }
}

void DiagramDrawing::placeAxisCaptions(const DiagramTexts& texts) {
  fixed_.axisCaptions.clear();
  fixed_.yCaptionMoreLines = 0;
  const auto measure = [this](std::string_view text) { return s_.textWidth(text); };
  if (!screen()) {
    // On paper each caption is cut to a line's worth of characters, in the captions' size.
    const double size = s_.font().size;
    s_.setFontSize(kPrinterCaptionSize);
    fixed_.axisCaptions.push_back({kPrinterYCaptionX, kPrinterYCaptionY, texts.RotuloEjeY.substr(0, kPrinterCaptionChars)});
    std::string x = texts.RotuloEjeX.substr(0, kPrinterCaptionChars);
    fixed_.axisCaptions.push_back({kPrinterXCaptionRight - s_.textWidth(x), kPrinterXCaptionY, std::move(x)});
    s_.setFontSize(size);
    return;
  }
  // The y caption from near the top-left corner down, the x caption up from near the
  // bottom-right corner, its lines ending at the same place; a caption wider than the plot
  // goes on in more lines rather than off the picture.
  const double lineHeight = s_.textHeight();
  const double plotRight = frame_.M + frame_.W;
  double y = kScreenYCaptionY;
  for (std::string& line : BrokenIntoLines(texts.RotuloEjeY, plotRight - kScreenYCaptionX, measure)) {
    fixed_.axisCaptions.push_back({kScreenYCaptionX, y, std::move(line)});
    y += lineHeight;
  }
  fixed_.yCaptionMoreLines = y - kScreenYCaptionY - lineHeight;
  const double inset = kScreenXCaptionInset * frame_.M;
  const double right = s_.scaleWidth() - inset;
  std::vector<std::string> lines = BrokenIntoLines(texts.RotuloEjeX, right - frame_.M, measure);
  double bottom = s_.scaleHeight() - inset;
  std::vector<PlacedText> xLines;
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    const double h = s_.textHeight(*line);
    xLines.push_back({right - s_.textWidth(*line), bottom - h, std::move(*line)});
    bottom -= h;
  }
  fixed_.axisCaptions.insert(fixed_.axisCaptions.end(), xLines.rbegin(), xLines.rend());
}

std::string DiagramDrawing::fixedTextsKey(const DiagramTexts& texts) {
  // The texts, the picture's size and units, its font and how the font measures there (a
  // line's height, and the pixel's size in twips).
  std::string key;
  const auto add = [&key](const auto& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
  };
  for (const std::string* text :
       {&texts.Enrich_op_line, &texts.Exhaus_op_line, &texts.q_line, &texts.RotuloEjeX, &texts.RotuloEjeY}) {
    add(text->size());
    key += *text;
  }
  add(target_);
  add(s_.scaleMode());
  add(s_.scaleWidth());
  add(s_.scaleHeight());
  add(s_.twipsPerPixelX());
  add(s_.twipsPerPixelY());
  const plat::FontSpec& font = s_.font();
  add(font.name.size());
  key += font.name;
  add(font.size);
  for (const bool style : {font.bold, font.italic, font.underline, font.strikethru}) add(style);
  add(s_.textHeight());
  return key;
}

void DiagramDrawing::placeFixedTexts(const DiagramTexts& texts, std::vector<SurfaceArea>& taken) {
  std::string key;
  if (kept_) {
    key = fixedTextsKey(texts);
    if (key == kept_->key_) {
      fixed_ = kept_->places_;
      taken = kept_->boxes_;
      return;
    }
  }
  placeLegends(texts);
  placeAxisCaptions(texts);
  // On paper the captions are measured in their own size.
  if (!screen()) s_.setFontSize(kPrinterCaptionSize);
  for (const PlacedText& t : fixed_.axisCaptions) taken.push_back(textArea(t));
  if (!screen()) s_.setFontSize(kPrinterFontSize);
  const double rise = screen() ? kScreenLegendRise : kPrinterLegendRise;
  const double gap = screen() ? kScreenLegendGap : kPrinterLegendGap;
  for (const auto& [row, text] : {std::pair{kEnrichingRow, &texts.Enrich_op_line},
                                  std::pair{kStrippingRow, &texts.Exhaus_op_line},
                                  std::pair{kQLineRow, &texts.q_line}}) {
    const double Y = fixed_.legendY[row];
    taken.push_back(textArea({fixed_.legendX, Y - rise, *text}));
    const double stroke = screen() ? kScreenPen / 2.0 : kPrinterPenMm / 2;
    taken.push_back(SurfaceArea{fixed_.legendX - gap - fixed_.legendSample, Y - stroke, fixed_.legendX - gap, Y + stroke});
  }
  if (kept_) {
    kept_->key_ = std::move(key);
    kept_->places_ = fixed_;
    kept_->boxes_ = taken;
  }
}

void DiagramDrawing::placeTexts(const DesignResult& result, const DiagramTexts& texts) {
  captions_.fill(std::nullopt);

  // What the captions keep clear of: first the legends and the axis captions.
  std::vector<SurfaceArea> taken;
  placeFixedTexts(texts, taken);
  // The tick labels lie outside the plot: measured only for a caption that reaches there.
  std::vector<SurfaceArea> ticks;
  bool ticksMeasured = false;
  const auto measureTicks = [&] {
    if (ticksMeasured) return;
    ticksMeasured = true;
    for (const PlacedText& t : tickLabels(SimboloDecimal_)) ticks.push_back(textArea(t));
  };
  const bool complete = result.ok();
  stageNumbers_.clear();
  if (complete) stageNumbers_ = stageNumbers(result.staircase, &taken);

  // The points' marks, each caption keeping clear of the others'.
  const DesignData& d = result.data;
  struct Point {
    PointLabel label;
    double x, y;
    bool marked;
  };
  const auto onSquare = [](double v) { return v >= 0 && v <= 1; };
  std::vector<Point> points = {{kLabelBottoms, d.xB, d.xB, onSquare(d.xB)},
                               {kLabelFeed, d.zF, d.zF, onSquare(d.zF)},
                               {kLabelDistillate, d.xD, d.xD, onSquare(d.xD)},
                               {kLabelIntersection, result.lines.xq, result.lines.yq, complete}};
  // A caption may cover another point's mark as far as the caption beside its own point
  // covers its own: so the captions of points that meet can stand side by side.
  const double shift = screen() ? kScreenMarkTextShift : kPrinterMarkTextShift;
  const double half = std::min(markHalf(), shift);
  std::array<std::optional<SurfaceArea>, kPointLabels> marks;
  for (const Point& p : points) {
    if (!p.marked) continue;
    const double X = frame_.X(p.x), Y = frame_.Y(p.y);
    marks[p.label] = SurfaceArea{X - half, Y - half, X + half, Y + half};
  }
  for (const Point& p : points) {
    if (!p.marked) continue;
    std::vector<SurfaceArea> clearOf = taken;
    for (std::size_t other = 0; other < marks.size(); ++other) {
      if (other != static_cast<std::size_t>(p.label) && marks[other]) clearOf.push_back(*marks[other]);
    }
    bool ticksAdded = false;
    const auto addTicks = [&] {
      if (ticksAdded) return;
      ticksAdded = true;
      measureTicks();
      clearOf.insert(clearOf.end(), ticks.begin(), ticks.end());
    };
    const SurfacePoint asked = p.label == kLabelIntersection ? IntersectionTextOffset(d.q, screen())
                                                               : SurfacePoint{shift, shift};
    const char* text = p.label == kLabelIntersection ? kIntersectionMark.text
                       : p.label == kLabelBottoms    ? kBottomsMark.text
                       : p.label == kLabelFeed       ? kFeedMark.text
                                                     : kDistillateMark.text;
    captions_[p.label] = captionPlace(frame_.X(p.x), frame_.Y(p.y), asked.X, asked.Y, text, clearOf, addTicks);
    taken.push_back(*captions_[p.label]);
  }
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
  SimboloDecimal_ = SimboloDecimal;
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
  const std::vector<PlacedText> labels = tickLabels(SimboloDecimal);
  std::size_t n = 0;

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
    const PlacedText& label = labels[n++];
    printAt(label.x, label.y, label.text);
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
    const PlacedText& label = labels[n++];
    printAt(label.x, label.y, label.text);
  }
}

void DiagramDrawing::DrawPointMarks(const DesignResult& result, const DiagramTexts& texts) {
  placeTexts(result, texts);
  pointMarks(result.data, true);
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
    const SurfaceArea& caption = *captions_[m.label];
    printAt(caption.left, caption.top, m.style.text);
    if (!screen()) {
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

std::string DiagramDrawing::curveKey() const {
  // The curve's pieces and the captions' places as they are drawn, bit for bit, with the pen,
  // colours and font they are drawn in.
  std::string key = "diagram curve and captions|";
  const auto add = [&key](const auto& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
  };
  add(s_.drawWidth());
  add(curveColor());
  add(s_.foreColor());
  for (const PointLabel label : {kLabelBottoms, kLabelFeed, kLabelDistillate}) {
    const std::optional<SurfaceArea>& caption = captions_[label];
    add(caption.has_value());
    if (caption) add(*caption);
  }
  const plat::FontSpec& font = s_.font();
  key += font.name;
  add(font.size);
  for (const bool style : {font.bold, font.italic, font.underline, font.strikethru}) add(style);
  key.append(reinterpret_cast<const char*>(curve_.data()), curve_.size() * sizeof(plat::Segment));
  return key;
}

void DiagramDrawing::DrawPointMarksAndCurve(const DesignResult& result, const EquilibriumModel* equilibrium,
                                            const DiagramTexts& texts) {
  const DesignData& data = result.data;
  placeTexts(result, texts);
  // The report picture and the paper draw the marks first, as the calculation reaches them.
  if (target_ != DiagramTarget::kScreen) {
    pointMarks(data, true);
    if (equilibrium) DrawEquilibriumCurve(*equilibrium);
    return;
  }
  // The window's picture has no marks, only captions, and those go where the stage numbers
  // and the intersection leave room, which a move of the q point may change. So the curve
  // comes first and the captions over it; over a kept background the two are kept as a layer
  // of their own, which a redraw with the same curve and the captions in the same places puts
  // back.
  if (!equilibrium || !backgroundLayered_) {
    if (equilibrium) DrawEquilibriumCurve(*equilibrium);
    pointMarks(data, true);
    return;
  }
  traceCurve(*equilibrium);
  const std::string key = curveKey();
  if (s_.restoreLayer(key, kCurveLayer)) {
    pointMarks(data, false);
    // Where the last caption leaves the current position.
    const SurfaceArea* last = nullptr;
    for (const PointLabel label : {kLabelBottoms, kLabelFeed, kLabelDistillate}) {
      if (captions_[label]) last = &*captions_[label];
    }
    s_.setCurrentX(last ? last->right : curve_.back().x2);
    s_.setCurrentY(last ? last->top : curve_.back().y2);
    return;
  }
  s_.lines(curve_, curveColor());
  pointMarks(data, true);
  s_.keepLayer(key, kCurveLayer);
}

void DiagramDrawing::DrawConstruction(const DesignResult& result, const DiagramTexts& texts) {
  if (!result.ok()) return;
  const DesignData& d = result.data;
  const OperatingLines& l = result.lines;
  const PlotFrame& f = frame_;
  // Placed already when the marks were drawn for this result; drawn on its own, placed here.
  if (!captions_[kLabelIntersection]) placeTexts(result, texts);
  labels_.show = true;
  if (screen()) s_.setDrawWidth(kScreenPen);

  s_.line(f.X(d.xD), f.Y(d.xD), f.X(l.xq), f.Y(l.yq), lineColor(kEnrichingColor, kEnrichingColor));
  drawLegend(kEnrichingRow, lineColor(kEnrichingColor, kEnrichingColor), texts.Enrich_op_line);
  s_.line(f.X(d.xB), f.Y(d.xB), f.X(l.xq), f.Y(l.yq), lineColor(kStrippingColor, kStrippingColor));
  drawLegend(kStrippingRow, lineColor(kStrippingColor, kStrippingColor), texts.Exhaus_op_line);
  s_.line(f.X(d.zF), f.Y(d.zF), f.X(result.pinch.xm), f.Y(result.pinch.ym), lineColor(kQLineColor, kQLineColor));
  drawLegend(kQLineRow, lineColor(kQLineColor, kQLineColor), texts.q_line);

  drawIntersectionMark(result);
  drawStaircase(result.staircase);
  drawAxisCaptions();
}

void DiagramDrawing::drawLegend(int row, Color color, const std::string& text) {
  const double X = fixed_.legendX;
  const double Y = fixed_.legendY[static_cast<std::size_t>(row)];
  const double gap = screen() ? kScreenLegendGap : kPrinterLegendGap;
  s_.line(X - gap, Y, X - gap - fixed_.legendSample, Y, color);
  printAt(X, Y - (screen() ? kScreenLegendRise : kPrinterLegendRise), text);
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
  const SurfaceArea& caption = *captions_[kLabelIntersection];
  printAt(caption.left, caption.top, kIntersectionMark.text);
  if (!screen()) {
    const Color c = printerColor(kIntersectionMark.printer);
    s_.setFillStyle(plat::kFillSolid);
    s_.setFillColor(c);
    s_.circle(X, Y, kPrinterMarkRadius, c);
  }
}

void DiagramDrawing::drawStaircase(const Staircase& staircase) {
  const Color color = lineColor(kScreenStairColor, kPrinterStairColor);
  // Placed with the captions, which keep clear of them.
  if (stageNumbers_.empty()) stageNumbers_ = stageNumbers(staircase);
  const std::vector<PlacedText>& numbers = stageNumbers_;
  std::size_t n = 0;
  double prevX = frame_.X(staircase.PuntoX[1]);
  double prevY = frame_.Y(staircase.PuntoY[1]);
  for (int i = 1; i <= staircase.NumPuntos && i <= kMaxPointIndex; ++i) {
    if (staircase.PuntoX[static_cast<std::size_t>(i)] == 0) break;
    const double X = frame_.X(staircase.PuntoX[static_cast<std::size_t>(i)]);
    const double Y = frame_.Y(staircase.PuntoY[static_cast<std::size_t>(i)]);
    s_.line(prevX, prevY, X, Y, color);
    if (i % 2 == 0) {
      const PlacedText& number = numbers[n++];
      printAt(number.x, number.y, number.text);
    }
    prevX = X;
    prevY = Y;
  }
}

void DiagramDrawing::drawAxisCaptions() {
  if (!screen()) s_.setFontSize(kPrinterCaptionSize);
  for (const PlacedText& line : fixed_.axisCaptions) printAt(line.x, line.y, line.text);
}

PointLabelPlaces DrawDiagram(plat::Surface& surface, DiagramTarget target, const DesignResult& result,
                             const EquilibriumModel& equilibrium, const DiagramTexts& texts, bool ImprimirBN,
                             DiagramTextPlaces* kept) {
  DiagramDrawing d(surface, target, ImprimirBN, kept);
  d.DrawBackground(result.SimboloDecimal);
  if (result.phase > CalcPhase::kReadInputs) {
    d.DrawPointMarksAndCurve(result, result.phase > CalcPhase::kValidation ? &equilibrium : nullptr, texts);
  }
  if (result.ok()) d.DrawConstruction(result, texts);
  return d.labels();
}

}  // namespace stagora
