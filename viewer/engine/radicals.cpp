#include "viewer/engine/radicals.h"

#include <algorithm>

#include "viewer/engine/construct_parts.h"
#include "viewer/engine/line_context.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {
namespace {

constexpr std::size_t kTagLength = 5;    // "#SQR(" "#SQR)"
constexpr std::size_t kIndexTagLength = 4;  // "#RI(" "#RI)"
constexpr std::string_view kCubeIndex = "3";
constexpr double kElbowFraction = 0.4;   // the elbow's height, of the sign's height
constexpr double kTickDropRatio = 1.5;   // the tick sits pb / 1.5 above the elbow line

// The sign's proportions, each a fraction of the text height H.
struct RootGeometry {
  double pb;  // pen of the bar and of the thin strokes
  double gb;  // gap between the radicand's top and the bar
  double ed;  // depth of the sign's lowest point below the radicand
  double gi;  // gap between the index and the elbow
  double tk;  // drop of the tick's left end below the elbow
  double ph;  // pen of the heavy stroke
  double ob;  // overhang of the bar past the radicand
  double gs;  // gap between the rising stroke and the radicand
  double wr;  // width of the rising stroke
  double wh;  // width of the heavy stroke
  double wt;  // width of the tick
  double gx;  // gap between the index and the radicand
};

RootGeometry GeometryFor(double H) {
  const auto f = [H](double fraction) { return std::max(fraction * H, kLeastStrokeTwips); };
  return RootGeometry{f(0.0323), f(0.0354), f(0.0754), f(0.04),  f(0.067), f(0.05),
                      f(0.09),   f(0.08),   f(0.215),  f(0.175), f(0.12),  f(0.26)};
}

}  // namespace

RootParts CutRoot(std::string_view block, const BlockFinder& blocks) {
  const std::string_view body = InnerText(block, kTagLength, kTagLength);
  const std::string_view tag = block.substr(0, kTagLength);
  if (tag == "#CUR(") return RootParts{body, kCubeIndex, true};
  if (tag == "#RAD(" && body.compare(0, kIndexTagLength, "#RI(") == 0) {
    // The index block must open the body: one found further in belongs to a root inside the
    // radicand, and cutting the body by its length would tear the radicand apart. An index
    // that does not close counts as long as its error block.
    const BlockExtent index = blocks.Find(body, 0, "#RI(", "#RI)");
    const bool found = index.at != std::string_view::npos;
    const std::size_t indexSize = found ? index.length : ErrorBlock("#RI(", "#RI)").size();
    return RootParts{indexSize < body.size() ? body.substr(indexSize) : std::string_view(),
                     found ? InnerText(body.substr(index.at, index.length), kIndexTagLength, kIndexTagLength)
                           : ErrorText(),
                     true};
  }
  return RootParts{body, std::string_view(), false};
}

void DibujarRaiz(ConstructContext& e) {
  plat::Surface& target = e.t;
  const std::string_view block = e.block;
  const double H = target.textHeight("Hp");
  const RootGeometry k = GeometryFor(H);
  const RootParts parts = CutRoot(block, e.Blocks());

  CajaHTFC R, I;
  if (!e.draw) {
    R = e.RenderPart(1, parts.radicand);
    if (parts.hasIndex) {
      SetFontSizeChecked(target, target.font().size * kIndexSizeRatio);
      I = e.RenderPart(2, parts.index);
    }
  } else {
    R = e.PartBox(1);
    if (parts.hasIndex) I = e.PartBox(2);
  }
  const double S = R.AltoSobre + R.AltoBajo + k.gb + k.pb + k.ed;  // the sign's height
  const double elbow = std::max(kElbowFraction * S, 1.0);

  if (!e.draw) {
    RestoreFont(target, e.font);
    CajaHTFC& b = e.Box();
    const double sign = k.gs + R.DesplazamientoX + k.wr + k.wh + k.wt;
    const double index = parts.hasIndex ? R.DesplazamientoX + k.gx + I.Avance + I.DesplazamientoX : 0;
    b.DesplazamientoX = std::max(sign, index);
    b.Avance = k.ob + R.Avance;
    const double bar = R.AltoSobre + k.gb + k.pb;
    const double indexTop = I.AltoSobre + I.AltoBajo - (R.AltoBajo + k.ed - elbow - k.gi);
    b.AltoSobre = parts.hasIndex ? std::max(bar, indexTop) : bar;
    b.AltoEje = R.AltoEje;
    b.AltoBajo = R.AltoBajo + k.ed;
    b.Texto = block;
    return;
  }

  const double X0 = e.X0, Y0 = e.Y0;
  const double Yt = Y0 - R.AltoSobre;  // the radicand's top
  const double Yb = Y0 + R.AltoBajo;   // and bottom
  e.DrawPart(1, parts.radicand, X0 + R.DesplazamientoX, Y0);
  if (parts.hasIndex) {
    SetFontSizeChecked(target, target.font().size * kIndexSizeRatio);
    e.DrawPart(2, parts.index, X0 - R.DesplazamientoX - k.gx - I.Avance,
               Y0 + R.AltoBajo + k.ed - elbow - k.gi - I.AltoBajo);
  }

  const double rise = X0 - R.DesplazamientoX - k.gs;  // where the rising stroke meets the bar
  const double low = rise - k.wr;                      // the sign's lowest point
  const double elbowX = low - k.wh;
  const double barY = Yt - k.gb - k.pb / 2;
  const double bottom = Yb + k.ed;
  const int thin = e.V.PenPixels(target, k.pb);
  target.setDrawWidth(thin);
  target.line(rise + k.pb / 2, barY, X0 + R.Avance + k.ob - k.pb / 2, barY);
  target.setDrawWidth(e.V.PenPixels(target, k.ph));
  target.line(low - k.pb / 2, bottom - k.ph / 2, elbowX, bottom - elbow);
  target.setDrawWidth(thin);
  target.line(low, bottom - k.pb / 2, rise, barY);
  target.line(elbowX - k.wt + k.pb / 2, bottom - elbow + k.tk - k.pb / kTickDropRatio, elbowX,
              bottom - elbow - k.pb / kTickDropRatio);
  target.setDrawWidth(1);
  target.setForeColor(0);
  RestoreFont(target, e.font);
}

}  // namespace stagora::engine
