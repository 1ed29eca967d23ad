#include "viewer/engine/decorations.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {
namespace {

constexpr double kPenFraction = 0.04;   // pen width and margin, of H
constexpr double kHeadFraction = 0.18;  // arrow heads, hats and arcs, of H
constexpr double kLowBar = 1.33;        // the double-height bar and hat base, in heads below the top
constexpr double kHighBar = 0.33;       // where the hat's apex and the low barb end, in heads
constexpr int kCurveSegments = 10;      // the curved side of "#CDI("
constexpr double kCurveBow = 1.0 / 6;   // how far it bows into the content, of its height
constexpr std::size_t kTagLength = 5;

// The content's extent in the draw pass and the decoration's pen, from which every line is
// placed.
struct Frame {
  double xl, xr, W;  // left and right edge, width
  double yt, yb, h;  // top, bottom, height of the frame's sides (one pen more than the content)
  double t, a;       // pen and head size
  double pi;
};

class Pen {
 public:
  Pen(plat::Surface& target, plat::Color colour) : target_(target), colour_(colour) {}
  void Line(double x1, double y1, double x2, double y2) { target_.line(x1, y1, x2, y2, colour_); }

 private:
  plat::Surface& target_;
  plat::Color colour_;
};

// The frame's pieces lie outside the content by half the pen.
void LeftSide(Pen& p, const Frame& f) { p.Line(f.xl - f.t / 2, f.yb + f.t / 2, f.xl - f.t / 2, f.yb + f.t / 2 - f.h); }
void RightSide(Pen& p, const Frame& f) { p.Line(f.xr + f.t / 2, f.yb + f.t / 2, f.xr + f.t / 2, f.yb + f.t / 2 - f.h); }
void TopLine(Pen& p, const Frame& f) { p.Line(f.xl - f.t / 2, f.yt - f.t / 2, f.xl - f.t / 2 + f.W + f.t, f.yt - f.t / 2); }
void BottomLine(Pen& p, const Frame& f) {
  p.Line(f.xl - f.t / 2, f.yb + f.t / 2, f.xl - f.t / 2 + f.W + f.t, f.yb + f.t / 2);
}
void FallingDiagonal(Pen& p, const Frame& f) { p.Line(f.xl, f.yt, f.xr, f.yb); }
void RisingDiagonal(Pen& p, const Frame& f) { p.Line(f.xl, f.yb, f.xr, f.yt); }

// The left side bowed into the content, deepest at mid-height.
void CurvedLeftSide(Pen& p, const Frame& f) {
  const auto at = [&f](double u, double& x, double& y) {
    x = f.xl - f.t / 2 + std::sin(f.pi * u) * f.h * kCurveBow;
    y = f.yt - f.t / 2 + u * f.h;
  };
  double x0, y0;
  at(0, x0, y0);
  for (int k = 1; k <= kCurveSegments; ++k) {
    double x1, y1;
    at(static_cast<double>(k) / kCurveSegments, x1, y1);
    p.Line(x0, y0, x1, y1);
    x0 = x1;
    y0 = y1;
  }
}

// An arrow over the content: the bar at `bar` below the top, the barb rising from its right
// end by one head.
void Arrow(Pen& p, const Frame& f, double bar) {
  p.Line(f.xl, f.yt + bar, f.xr, f.yt + bar);
  p.Line(f.xr, f.yt + bar, f.xr - f.a, f.yt + bar - f.a);
}

void DrawLines(Pen& p, const Frame& f, std::string_view tag) {
  const double a = f.a;
  if (tag == "#VEC(") {
    Arrow(p, f, a / 2);
  } else if (tag == "#VED(") {
    Arrow(p, f, kLowBar * a);
  } else if (tag == "#AND(") {
    p.Line(f.xl, f.yt + kLowBar * a, f.xl + f.W / 2, f.yt + kHighBar * a);
    p.Line(f.xr, f.yt + kLowBar * a, f.xr - f.W / 2, f.yt + kHighBar * a);
  } else if (tag == "#ARC(") {
    const double xs[] = {f.xl + a / 4, f.xl + f.W / 3, (f.xl + f.xr) / 2, f.xr - f.W / 3, f.xr - a / 4};
    const double ys[] = {0.9 * a, 0.2 * a, 0.1 * a, 0.2 * a, 0.9 * a};
    for (int k = 0; k < 4; ++k) p.Line(xs[k], f.yt + ys[k], xs[k + 1], f.yt + ys[k + 1]);
  } else if (tag == "#SED(") {
    p.Line(f.xl, f.yt + kLowBar * a, f.xr, f.yt + kLowBar * a);
  } else if (tag == "#TDD(") {
    FallingDiagonal(p, f);
  } else if (tag == "#TDU(") {
    RisingDiagonal(p, f);
  } else if (tag == "#TDX(") {
    FallingDiagonal(p, f);
    RisingDiagonal(p, f);
  } else if (tag == "#SEG(") {
    TopLine(p, f);
  } else if (tag == "#DOL(") {
    BottomLine(p, f);
  } else if (tag == "#UDL(") {
    TopLine(p, f);
    BottomLine(p, f);
  } else if (tag == "#REC(") {
    LeftSide(p, f);
    RightSide(p, f);
    TopLine(p, f);
    BottomLine(p, f);
  } else if (tag == "#CDE(") {
    LeftSide(p, f);
    BottomLine(p, f);
  } else if (tag == "#CDI(") {
    CurvedLeftSide(p, f);
    TopLine(p, f);
  }
}

}  // namespace

void DibujarAdorno(ConstructContext& e) {
  plat::Surface& target = e.t;
  if (e.block.size() < 2 * kTagLength) {
    DrawConstructAsText(e);
    return;
  }
  const double H = target.textHeight("Hp");
  const double t = std::max(kPenFraction * H, 1.0);
  const double a = kHeadFraction * H;
  const std::string_view content = InnerText(e.block, kTagLength, kTagLength);

  if (!e.draw) {
    const CajaHTFC C = e.RenderPart(1, content);
    RestoreFont(target, e.font);
    CajaHTFC& b = e.Box();
    b.DesplazamientoX = C.DesplazamientoX + t;
    b.Avance = C.Avance + t;
    b.AltoSobre = C.AltoSobre + t;
    b.AltoEje = C.AltoEje;
    b.AltoBajo = C.AltoBajo + t;
    b.Texto = e.block;
    return;
  }

  const CajaHTFC C = e.PartBox(1);
  e.DrawPart(1, content, e.X0 + C.DesplazamientoX, e.Y0);
  Frame f{};
  f.xl = e.X0 - C.DesplazamientoX;
  f.xr = e.X0 + C.Avance;
  f.W = C.DesplazamientoX + C.Avance;
  f.yt = e.Y0 - C.AltoSobre;
  f.yb = e.Y0 + C.AltoBajo;
  f.h = C.AltoSobre + C.AltoBajo + t;
  f.t = t;
  f.a = a;
  f.pi = e.V.Pi;
  target.setDrawWidth(e.V.PenPixels(target, t));
  Pen pen(target, e.S.ColorLinea);
  DrawLines(pen, f, e.tag);
  target.setDrawWidth(1);
  RestoreFont(target, e.font);
}

}  // namespace stagora::engine
