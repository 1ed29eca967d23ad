#include "viewer/engine/delimiters.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {
namespace {

constexpr double kStrokeFraction = 0.04;   // pen of the delimiters, of H
constexpr double kSpacingFraction = 0.1;   // the spacing unit s, of H
constexpr std::size_t kLeftAt = 5;         // "#NES(" then the left and the right delimiter
constexpr std::size_t kRightAt = 6;
constexpr std::size_t kHeadLength = 7;
constexpr std::size_t kTailLength = 5;     // "#NES)"
constexpr long kArcSteps = 8;
constexpr double kThinRatio = 1.0 / 3;     // the tips of curved delimiters taper to this
constexpr int kLeastPrinterPen = 2;        // arcs on paper are never thinner than two dots
constexpr double kAngleLimit = 1e6;        // degrees; wilder angles draw nothing
constexpr long kLongestRun = 256;          // strokes handed to the target in one call at most

// The content's extent and the two stroke lines, from which every piece is placed.
struct Frame {
  double s, t;        // spacing unit and stroke width
  double T, B, M;     // top, bottom and middle of the content
  double height;      // B - T
  double xl, xr;      // left and right stroke lines
  const ViewerValues* viewer;
};

void Stroke(plat::Surface& target, double x, double y, double dx, double dy) {
  target.line(x, y, x + dx, y + dy);
}

void Arc(plat::Surface& target, const Frame& f, double cx, double cy, double radius, double a1, double a2, bool thickFirst) {
  const double thin = f.t * kThinRatio;
  DibujarArco(cx, cy, radius, a1, a2, thickFirst ? f.t : thin, thickFirst ? thin : f.t, kArcSteps, target, *f.viewer);
}

void LeftDelimiter(plat::Surface& target, const Frame& f, char kind) {
  const double s = f.s, x = f.xl;
  switch (kind) {
    case '|': Stroke(target, x, f.T - s, 0, f.height + 2 * s); break;
    case '[':
      Stroke(target, x, f.T - s, 0, f.height + 2 * s);
      Stroke(target, x, f.T - s, 2 * s, 0);
      Stroke(target, x, f.B + s, 2 * s, 0);
      break;
    case ']':
      Stroke(target, x + s, f.T - s, 0, f.height + 2 * s);
      Stroke(target, x - s, f.T - s, 2 * s, 0);
      Stroke(target, x - s, f.B + s, 2 * s, 0);
      break;
    case '(':
      Arc(target, f, x + 4 * s, f.T + 2 * s, 4 * s, 120, 180, false);
      Stroke(target, x, f.T + 2 * s, 0, f.height - 4 * s);
      Arc(target, f, x + 4 * s, f.B - 2 * s, 4 * s, 180, 240, true);
      break;
    case '{':
      Arc(target, f, x + 3 * s, f.T + s, 3 * s, 105, 180, false);
      Stroke(target, x, f.T + s, 0, f.height / 2 - 4 * s);
      Arc(target, f, x - 3 * s, f.M - 3 * s, 3 * s, 285, 360, false);
      Arc(target, f, x - 3 * s, f.M + 3 * s, 3 * s, 0, 75, true);
      Stroke(target, x, f.M + 3 * s, 0, f.height / 2 - 4 * s);
      Arc(target, f, x + 3 * s, f.B - s, 3 * s, 180, 255, true);
      break;
    default: break;  // no delimiter on this side, but its room is kept
  }
}

void RightDelimiter(plat::Surface& target, const Frame& f, char kind) {
  const double s = f.s, x = f.xr;
  switch (kind) {
    case '|': Stroke(target, x, f.T - s, 0, f.height + 2 * s); break;
    case ']':
      Stroke(target, x, f.T - s, 0, f.height + 2 * s);
      Stroke(target, x, f.T - s, -2 * s, 0);
      Stroke(target, x, f.B + s, -2 * s, 0);
      break;
    case '[':
      Stroke(target, x - s, f.T - s, 0, f.height + 2 * s);
      Stroke(target, x + s, f.T - s, -2 * s, 0);
      Stroke(target, x + s, f.B + s, -2 * s, 0);
      break;
    case ')':
      Arc(target, f, x - 4 * s, f.T + 2 * s, 4 * s, 0, 60, true);
      Stroke(target, x, f.T + 2 * s, 0, f.height - 4 * s);
      Arc(target, f, x - 4 * s, f.B - 2 * s, 4 * s, 300, 360, false);
      break;
    case '}':
      Arc(target, f, x - 3 * s, f.T + s, 3 * s, 0, 75, true);
      Stroke(target, x, f.T + s, 0, f.height / 2 - 4 * s);
      Arc(target, f, x + 3 * s, f.M - 3 * s, 3 * s, 180, 255, true);
      Arc(target, f, x + 3 * s, f.M + 3 * s, 3 * s, 105, 180, false);
      Stroke(target, x, f.M + 3 * s, 0, f.height / 2 - 4 * s);
      Arc(target, f, x - 3 * s, f.B - s, 3 * s, 285, 360, false);
      break;
    default: break;
  }
}

}  // namespace

void DibujarArco(double cx, double cy, double radius, double a1, double a2, double w1, double w2, long n,
                 plat::Surface& target, const ViewerValues& viewer) {
  if (n < 1 || !(std::abs(a1) < kAngleLimit) || !(std::abs(a2) < kAngleLimit)) return;
  const int saved = target.drawWidth();
  if (a2 < a1) a2 += 360 * std::ceil((a1 - a2) / 360);
  const double toRadians = viewer.Pi / 180;
  a1 *= toRadians;
  a2 *= toRadians;
  // Pens in device pixels: the printer's own dots on paper, the screen's pixels elsewhere.
  const bool printer = viewer.IsPrinterTarget(target);
  const double tpp = printer ? target.twipsPerPixelX() : viewer.ScreenTwipsPerPixelX();
  const double least = printer ? kLeastPrinterPen : 1;
  const double p1 = std::max(w1 / tpp, least), p2 = std::max(w2 / tpp, least);
  // One step more than n: the arc runs a step past its end angle, into the straight stroke
  // it meets, so that the joint shows no gap. The strokes go to the target in runs of one
  // pen, each run as one call (the target draws a run as it would draw its strokes one by one).
  std::vector<plat::Segment> run;
  run.reserve(static_cast<std::size_t>(std::min(n, kLongestRun)) + 1);
  int runPen = 0;
  const plat::Color colour = target.foreColor();
  for (long i = 0; i <= n; ++i) {
    const double t0 = a1 + (a2 - a1) / n * i;
    const double t1 = a1 + (a2 - a1) / n * (i + 1);
    const double pen = p1 + (p2 - p1) / n * i;
    const int penPixels = viewer.PenPixels(target, std::max(pen, least) * tpp);
    if (penPixels != runPen || static_cast<long>(run.size()) >= kLongestRun) {
      target.lines(run, colour);
      run.clear();
      runPen = penPixels;
      target.setDrawWidth(penPixels);
    }
    run.push_back({cx + radius * std::cos(t0), cy - radius * std::sin(t0), cx + radius * std::cos(t1),
                   cy - radius * std::sin(t1)});
  }
  target.lines(run, colour);
  target.setDrawWidth(saved);
}

void DibujarNES(ConstructContext& e) {
  const std::string_view block = e.block;
  if (block.size() < kHeadLength + kTailLength || IsErrorBlock(block)) {
    // No room for two delimiters and the closing tag, or not closed at all.
    DrawConstructAsText(e);
    return;
  }
  plat::Surface& target = e.t;
  const double H = target.textHeight("Hp");
  const double t = std::max(H * kStrokeFraction, 1.0);
  const double s = H * kSpacingFraction;
  const std::string_view content = InnerText(block, kHeadLength, kTailLength);
  const char left = block[kLeftAt];
  const char right = block[kRightAt];
  const double l = left == '{' ? 2 * s : 0;
  const double r = right == '}' ? 2 * s : 0;

  if (!e.draw) {
    const CajaHTFC C = e.RenderPart(1, content);
    RestoreFont(target, e.font);
    CajaHTFC& b = e.Box();
    b.DesplazamientoX = 3 * s + C.DesplazamientoX + t + l;
    b.Avance = 3 * s + C.Avance + t + r;
    b.AltoSobre = 2 * s + C.AltoSobre;
    b.AltoEje = C.AltoEje;
    b.AltoBajo = 2 * s + C.AltoBajo;
    b.Texto = block;
    return;
  }

  const CajaHTFC C = e.PartBox(1);
  e.DrawPart(1, content, e.X0, e.Y0);

  Frame f{};
  f.viewer = &e.V;
  f.s = s;
  f.t = t;
  f.T = e.Y0 - C.AltoSobre;
  f.B = e.Y0 + C.AltoBajo;
  f.M = e.Y0 - C.AltoSobre / 2 + C.AltoBajo / 2;
  f.height = C.AltoSobre + C.AltoBajo;
  f.xl = e.X0 - C.DesplazamientoX - 2 * s - t / 2;
  f.xr = e.X0 + C.Avance + 2 * s + t / 2;
  target.setDrawWidth(e.V.PenPixels(target, t));
  LeftDelimiter(target, f, left);
  RightDelimiter(target, f, right);
  target.setDrawWidth(1);
  RestoreFont(target, e.font);
}

}  // namespace stagora::engine
