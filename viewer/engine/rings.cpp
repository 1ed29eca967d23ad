#include "viewer/engine/rings.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "viewer/engine/construct_parts.h"
#include "viewer/engine/markup_parsing.h"

namespace stagora::engine {
namespace {

constexpr std::size_t kTagLength = 5;             // "#A6V(" "#A6V)"
constexpr std::size_t kSubstituentTagLength = 4;  // "#R1(" "#R1)"
constexpr const char* kBondsCode = "&EC=";

// The ring's proportions, fractions of the text height TH.
constexpr double kRadiusFraction = 1.5;
constexpr double kMarginFraction = 0.05;       // box margin, and the ring's pen on paper
constexpr double kScreenPenFraction = 0.0323;  // the pens on the screen
constexpr double kAxisOffsetFraction = 0.574;  // the centre lies on the line's axis
constexpr double kInsetFraction = 0.18;        // inner bond lines, from the edge
constexpr double kTriangleInset = 1.6;         // small rings need a deeper inset to show it
constexpr double kSquareInset = 1.3;
constexpr double kCircleRatio = 0.62;          // the aromatic circle, of the radius
constexpr double kStrokePenRatio = 0.8;        // bond strokes on paper, of the ring's pen

// Room a substituent takes beyond the ring, of the radius, above or below and beside it.
constexpr double kVerticalRoom = 0.3;
constexpr double kSideRoom = 0.5;

// Where the substituent text stands from its vertex, of TH.
constexpr double kTextLeftOfVertex = 0.3;   // above or below: its start left of the vertex
constexpr double kTextAbove = 0.45;         // its bottom above the vertex
constexpr double kTextBelow = 0.5;          // its top below the vertex
constexpr double kTextRight = 0.7;          // right: its start right of the vertex
constexpr double kTextLeft = 0.65;          // left: its end left of the vertex
constexpr double kTextSideRaise = 0.55;     // beside: its top above the vertex

// The bond strokes, of TH.
constexpr double kStrokeApart = 0.075;      // each of a double stroke from the middle
constexpr double kStrokeStagger = 0.13;     // a slanting double stroke's second line starts lower
constexpr double kSideStroke = 0.6;         // length of a stroke to a substituent beside
// Just above cos 45 degrees: a vertex there counts as beside, not above or below.
const double kUpright = std::sqrt(0.501);

double OrientationDegrees(char letter, int n) {
  switch (letter) {
    case 'L':
    case 'H': return 180.0 / n;
    case 'I': return -90;
    case 'D': return 90;
    default: return 0;
  }
}

// Vertex k's angle (1-based), clockwise from straight up, in degrees in [0, 360).
double VertexDegrees(const RingShape& shape, int k) {
  double g = OrientationDegrees(shape.letter, shape.vertices) + 360.0 * (k - 1) / shape.vertices;
  g = std::fmod(g, 360.0);
  if (g < 0) g += 360;
  return g;
}

struct Point {
  double x, y;
};

Point VertexPoint(double cx, double cy, double r, double radians) {
  return Point{cx + r * std::sin(radians), cy - r * std::cos(radians)};
}

void Stroke(plat::Surface& t, double x, double y, double dx, double dy) { t.line(x, y, x + dx, y + dy); }

// The stroke from a vertex to its substituent: by the vertex's angle g (degrees) it runs up,
// slants up, goes right, slants down, goes down, slants down, goes left or slants up, and the
// double stroke's second line starts lower where it slants so that both end at the text.
void BondStroke(plat::Surface& t, char mark, double g, Point v, double TH, double p, const CajaHTFC& s) {
  if (mark != 'S' && mark != 'D') return;
  const bool one = mark == 'S';
  const double apart = kStrokeApart * TH, stagger = kStrokeStagger * TH;
  const double px = v.x, py = v.y;
  const double upSlant = -p - s.AltoBajo + s.AltoEje;
  if (g <= 1 || g >= 359) {
    const double dy = -0.15 * TH - s.AltoBajo + s.AltoEje;
    if (one) {
      Stroke(t, px, py, 0, dy);
    } else {
      Stroke(t, px - apart, py, 0, dy);
      Stroke(t, px + apart, py, 0, dy);
    }
  }
  if (g > 1 && g <= 44) {
    if (one) {
      Stroke(t, px, py, 0, upSlant);
    } else {
      Stroke(t, px - apart, py, 0, upSlant);
      Stroke(t, px + apart, py + stagger, 0, -stagger + upSlant);
    }
  }
  if (g > 44 && g <= 136) {
    if (one) {
      Stroke(t, px, py, kSideStroke * TH, 0);
    } else {
      Stroke(t, px, py - apart, kSideStroke * TH, 0);
      Stroke(t, px, py + apart, kSideStroke * TH, 0);
    }
  }
  if (g > 136 && g <= 179) {
    if (one) {
      Stroke(t, px, py, 0, 0.6 * TH + p + s.AltoSobre);
    } else {
      Stroke(t, px - apart, py, 0, 0.6 * TH + p + s.AltoSobre);
      Stroke(t, px + apart, py - stagger, 0, 0.58 * TH + p + s.AltoSobre);
    }
  }
  if (g > 179 && g <= 181) {
    if (one) {
      Stroke(t, px, py, 0, 0.54 * TH + s.AltoSobre);
    } else {
      Stroke(t, px - apart, py, 0, 0.58 * TH + s.AltoSobre);
      Stroke(t, px + apart, py, 0, 0.58 * TH + s.AltoSobre);
    }
  }
  if (g > 181 && g <= 224) {
    if (one) {
      Stroke(t, px, py, 0, 0.45 * TH + p + s.AltoSobre);
    } else {
      Stroke(t, px - apart, py - stagger, 0, 0.58 * TH + p + s.AltoSobre);
      Stroke(t, px + apart, py, 0, 0.45 * TH + p + s.AltoSobre);
    }
  }
  if (g > 224 && g <= 316) {
    if (one) {
      Stroke(t, px, py, -kSideStroke * TH, 0);
    } else {
      Stroke(t, px, py - apart, -kSideStroke * TH, 0);
      Stroke(t, px, py + apart, -kSideStroke * TH, 0);
    }
  }
  if (g > 316 && g <= 359) {
    if (one) {
      Stroke(t, px, py, 0, upSlant);
    } else {
      Stroke(t, px - apart, py + stagger, 0, -stagger + upSlant);
      Stroke(t, px + apart, py, 0, upSlant);
    }
  }
}

}  // namespace

RingShape RingShapeOf(std::string_view tag) {
  RingShape shape;
  if (tag.size() < kTagLength) return shape;
  const char digit = tag[2];
  shape.vertices = digit >= '3' && digit <= '9' ? digit - '0' : 6;
  shape.circle = tag[1] == 'B';
  shape.letter = tag[3];
  return shape;
}

RingParts CutRing(std::string_view block, int vertices, const BlockFinder& blocks) {
  RingParts r;
  std::string_view content = InnerText(block, kTagLength, kTagLength);
  // Without the spaces at either end, as TrimSpaces takes them.
  while (!content.empty() && content.front() == ' ') content.remove_prefix(1);
  while (!content.empty() && content.back() == ' ') content.remove_suffix(1);
  const std::size_t n = static_cast<std::size_t>(std::clamp(vertices, 0, kMaxRingVertices));
  r.marks = content.substr(0, n);
  const std::size_t code = content.find(kBondsCode);
  if (code != std::string_view::npos) r.bonds = content.substr(code + std::string_view(kBondsCode).size(), n);
  for (int k = 1; k <= vertices && k <= kMaxRingVertices; ++k) {
    const std::string digit(1, static_cast<char>('0' + k));
    const std::string open = "#R" + digit + "(";
    if (content.find(open) == std::string_view::npos) continue;
    const BlockExtent sub = blocks.Find(content, 0, open, "#R" + digit + ")");
    r.substituents[static_cast<std::size_t>(k)] =
        sub.at == std::string_view::npos
            ? ErrorText()
            : InnerText(content.substr(sub.at, sub.length), kSubstituentTagLength, kSubstituentTagLength);
  }
  return r;
}

void DibujarAnillo(ConstructContext& e) {
  if (IsErrorBlock(e.block)) {
    // Not closed: the ring's marks would be read from the error text, and a ring that
    // looks whole would hide the fault; it shows the error word as every construct does.
    DrawConstructAsText(e);
    return;
  }
  plat::Surface& target = e.t;
  const RingShape shape = RingShapeOf(e.tag);
  const int n = shape.vertices;
  const double pi = e.V.Pi;
  const double TH = target.textHeight("Hp");
  const double R = std::max(kRadiusFraction * TH, kLeastStrokeTwips);
  const double p = std::max(kMarginFraction * TH, kLeastStrokeTwips);
  const double q = std::max(kScreenPenFraction * TH, kLeastStrokeTwips);
  const double a = kAxisOffsetFraction * TH;
  const double d = kInsetFraction * TH * (n == 3 ? kTriangleInset : n == 4 ? kSquareInset : 1.0);
  const RingParts parts = CutRing(e.block, n, e.Blocks());

  // The bare ring's reach from its centre: left, right, up and down.
  double left = 0, right = 0, up = 0, down = 0;
  for (int k = 1; k <= n; ++k) {
    const double theta = VertexDegrees(shape, k) * pi / 180;
    left = std::max(left, -R * std::sin(theta));
    right = std::max(right, R * std::sin(theta));
    up = std::max(up, R * std::cos(theta));
    down = std::max(down, -R * std::cos(theta));
  }
  const double cx = e.X0 + left, cy = e.Y0 + a;
  const auto vertex = [&](int k, double r) { return VertexPoint(cx, cy, r, VertexDegrees(shape, k) * pi / 180); };
  const auto substituent = [&parts](int k) { return parts.substituents[static_cast<std::size_t>(k)]; };

  if (!e.draw) {
    double eU = 0, eR = 0, eD = 0, eL = 0;
    for (int k = 1; k <= n; ++k) {
      if (substituent(k).empty()) continue;
      const CajaHTFC s = e.RenderPart(k, substituent(k));
      const double g = VertexDegrees(shape, k);
      const double tall = s.AltoSobre + s.AltoBajo + kVerticalRoom * R;
      const double wide = s.DesplazamientoX + s.Avance + kSideRoom * R;
      if (g <= 44 || g >= 316) eU = std::max(eU, tall);
      if (g > 44 && g <= 136) eR = std::max(eR, wide);
      if (g > 136 && g <= 224) eD = std::max(eD, tall);
      if (g > 224 && g <= 316) eL = std::max(eL, wide);
    }
    RestoreFont(target, e.font);
    CajaHTFC& b = e.Box();
    // The box takes the ring as reaching as far right as left and as far down as up, and
    // further where a ring of odd order reaches further (its far vertex would otherwise
    // stand outside the box, over the next text or line).
    b.DesplazamientoX = eL;
    b.Avance = left + std::max(left, right) + p + eR;
    b.AltoSobre = up - a + p + eU;
    b.AltoEje = a;
    b.AltoBajo = std::max(up, down) + a + p + eD;
    b.Texto = e.block;
    return;
  }

  for (int k = 1; k <= n; ++k) {
    if (substituent(k).empty()) continue;
    const CajaHTFC s = e.PartBox(k);
    const Point v = vertex(k, R);
    const double theta = VertexDegrees(shape, k) * pi / 180;
    const double c = std::cos(theta), sn = std::sin(theta);
    double x = 0, y = 0;
    if (std::abs(c) > kUpright && c >= 0) {
      x = v.x - kTextLeftOfVertex * TH + s.DesplazamientoX;
      y = v.y - kTextAbove * TH - s.AltoBajo;
    } else if (std::abs(c) <= kUpright && sn >= 0) {
      x = v.x + kTextRight * TH + s.DesplazamientoX;
      y = v.y - kTextSideRaise * TH;
    } else if (std::abs(c) <= kUpright) {
      x = v.x - kTextLeft * TH - s.Avance;
      y = v.y - kTextSideRaise * TH;
    } else {
      x = v.x - kTextLeftOfVertex * TH + s.DesplazamientoX;
      y = v.y + kTextBelow * TH + s.AltoSobre;
    }
    e.DrawPart(k, substituent(k), x, y);
  }

  const bool paper = e.V.IsPrinterTarget(target);
  target.setDrawWidth(e.V.PenPixels(target, paper ? p : q));
  for (int k = 1; k <= n; ++k) {
    const Point from = vertex(k, R), to = vertex(k % n + 1, R);
    target.line(from.x, from.y, to.x, to.y);
  }
  if (shape.circle) {
    target.setFillStyle(plat::kFillTransparent);
    target.circle(cx, cy, kCircleRatio * R);
  } else {
    for (int k = 1; k <= n; ++k) {
      const char bond = static_cast<std::size_t>(k) <= parts.bonds.size() ? parts.bonds[static_cast<std::size_t>(k - 1)] : 'S';
      if (bond != 'D' && bond != 'T') continue;
      for (int line = 1; line <= (bond == 'T' ? 2 : 1); ++line) {
        const Point from = vertex(k, R - line * d), to = vertex(k % n + 1, R - line * d);
        target.line(from.x, from.y, to.x, to.y);
      }
    }
  }

  target.setDrawWidth(e.V.PenPixels(target, paper ? kStrokePenRatio * p : q));
  for (int k = 1; k <= n; ++k) {
    if (substituent(k).empty()) continue;
    const char mark = static_cast<std::size_t>(k) <= parts.marks.size() ? parts.marks[static_cast<std::size_t>(k - 1)] : ' ';
    BondStroke(target, mark, VertexDegrees(shape, k), vertex(k, R), TH, p, e.PartBox(k));
  }
  target.setDrawWidth(1);
  target.setForeColor(0);
  RestoreFont(target, e.font);
}

}  // namespace stagora::engine
