#include "viewer/engine/inline_codes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "viewer/engine/markup_parsing.h"
#include "viewer/engine/symbol_table.h"

namespace stagora::engine {
namespace {

constexpr double kSignPenFraction = 0.05;  // pen of the drawn signs, of H
constexpr double kLargestFigureMm = 10000;  // a figure never spans more than 10 m
// A position that lies on a pixel edge but comes out a hair short of it still counts as on it.
constexpr double kPixelSlack = 1e-6;

// The three drawn signs: each segment from a start point by an offset, in twips at zoom 1
// horizontally and in fractions of H vertically.
struct SignSegment {
  double x, yOfH, dx, dy;
};
constexpr std::array<SignSegment, 4> kEquilibrium = {{
    {0, 1 / 2.5, 240, 0},      // upper bar
    {240, 1 / 2.5, -60, -50},  // upper barb
    {0, 1 / 1.7, 240, 0},      // lower bar
    {0, 1 / 1.7, 60, 50},      // lower barb
}};
constexpr std::array<SignSegment, 2> kLongEquals = {{{20, 0.351, 130, 0}, {20, 0.588, 130, 0}}};
constexpr std::array<SignSegment, 3> kIdentity = {{{20, 0.3, 130, 0}, {20, 0.48, 130, 0}, {20, 0.66, 130, 0}}};

// The value of a parameter code ("&FS=12:"): the text from the code's fifth character up to
// the first ":" after its "&". The scan resumes after the ":"; without one the line ends.
std::optional<std::string> ParameterValue(LineContext& c) {
  const std::size_t colon = c.line.find(':', c.i);
  if (colon == std::string::npos) {
    c.stop = true;
    return std::nullopt;
  }
  const std::size_t from = c.i + 4;
  std::string value = colon > from ? std::string(c.line.substr(from, colon - from)) : std::string();
  c.i = colon;
  return value;
}

void SetFontSizeCode(LineContext& c, double n) {
  const ViewerValues& v = c.V;
  const double size =
      v.IsScreenTarget(c.t) ? v.ScreenTwipsPerPixelX() * n / kScreenFontTwipsPerPixel * v.Zoom : n * v.Zoom;
  SetFontSizeChecked(c.t, size);
  c.baseSize = c.t.font().size;
  c.fontChanged();
}

void SetFontNameCode(LineContext& c, const std::string& name) {
  SetFontNameChecked(c.t, name);
  c.fontChanged();
}

void TabCode(LineContext& c, double n) {
  const double usable = c.S.AnchoPagina - c.S.MargenIzq - c.S.MargenDer;
  if (c.draw) {
    c.t.setCurrentX(c.X0 + n / 100.0 * usable);
  } else {
    c.W = n / 100.0 * usable;
  }
  c.first = c.boxes.size();  // constructs before the tab no longer count in the width
  c.boxesWidth = 0;
}

void FigureCode(LineContext& c, const std::string& value) {
  plat::Surface& t = c.t;
  const ViewerValues& v = c.V;
  const double x = t.currentX(), y = t.currentY();
  std::string name;
  double w = 0, h = 0;
  LeerFigura(value, name, w, h);
  if (name == "REC") {
    // A zero size spans the whole target from its edge.
    if (w == 0) {
      t.setCurrentX(0);
      w = t.width() * v.ScreenTwipsPerPixelX() / kTwipsPerMm / v.Zoom;
    }
    if (h == 0) {
      t.setCurrentY(0);
      h = t.height() * v.ScreenTwipsPerPixelY() / kTwipsPerMm / v.Zoom;
    }
    w = std::clamp(w, -kLargestFigureMm, kLargestFigureMm);
    h = std::clamp(h, -kLargestFigureMm, kLargestFigureMm);
    double x1 = t.currentX();
    const double y1 = t.currentY();
    const double x2 = x1 + w * kTwipsPerMm * v.Zoom, y2 = y1 + h * kTwipsPerMm * v.Zoom;
    bool shows = true;
    if (w < 0) {
      // A figure to the left of the current position keeps out of the pixel column that
      // position falls in: a filled box takes in the pixels of both its ends, and that column
      // holds the left edge of the first letter of every line begun there. A band over the
      // whole height (a section's frame) is drawn after the lines above it and would shave
      // that edge off each of them, more or less at each zoom as the margin falls on the
      // pixels.
      const double lastColumn = std::floor(t.toPixelsX(x1) + kPixelSlack) - 1;
      x1 = t.toUnitsX(lastColumn);
      shows = lastColumn >= std::round(t.toPixelsX(x2));  // some of it left of that column
    }
    if (shows) t.line(x1, y1, x2, y2, c.S.ColorFondo, plat::LineShape::FilledBox);
  }
  t.setCurrentX(x);
  t.setCurrentY(y);
}

bool ParameterCode(LineContext& c) {
  if (!StartsParameterCode(c.rest())) return false;
  const std::string which(c.rest().substr(0, 3));
  const std::optional<std::string> value = ParameterValue(c);
  if (!value) return true;
  if (which == "&FS") {
    SetFontSizeCode(c, Val(*value));
  } else if (which == "&FN") {
    SetFontNameCode(c, *value);
  } else if (which == "&FC") {
    if (c.draw) c.t.setForeColor(LeerColor(*value));
  } else if (which == "&BC") {
    if (c.draw) c.S.ColorFondo = LeerColor(*value);
  } else if (which == "&LC") {
    c.S.ColorLinea = LeerColor(*value);
  } else if (which == "&FF") {
    if (c.draw) FigureCode(c, *value);
  } else {
    TabCode(c, Val(*value));
  }
  return true;
}

bool StyleSwitch(LineContext& c) {
  if (c.rest().size() < 3 || (c.rest()[1] != '+' && c.rest()[1] != '-')) return false;
  const bool on = c.rest()[1] == '+';
  plat::Surface& t = c.t;
  switch (c.rest()[2]) {
    case 'I': t.setFontItalic(on); break;
    case 'B': t.setFontBold(on); break;
    case 'U': t.setFontUnderline(on); break;
    case 'S': t.setFontStrikethru(on); break;
    default: return false;
  }
  c.i += 2;
  return true;
}

bool SymbolCode(LineContext& c) {
  const SimboloHTFC* s = FindSymbol(c.rest());
  if (!s) return false;
  plat::Surface& t = c.t;
  t.setFontName(s->fuente);
  if (c.draw) {
    // The symbol's baseline on the text's baseline.
    const double symbolAscent = c.V.AscentOf(t);
    const double y = t.currentY();
    t.setCurrentY(y + c.A - symbolAscent);
    t.print(s->caracter);
    t.setCurrentY(y);
  } else {
    c.W += t.textWidth(s->caracter);
  }
  t.setFontName(c.entryFont);
  c.i += s->codigo.size() - 1;
  return true;
}

template <std::size_t N>
void DrawnSign(LineContext& c, const std::array<SignSegment, N>& segments, std::string_view room) {
  plat::Surface& t = c.t;
  if (c.draw) {
    const double x = t.currentX(), y = t.currentY();
    const double zoom = c.V.Zoom;
    t.setDrawWidth(c.V.PenPixels(t, kSignPenFraction * c.H));
    for (const SignSegment& s : segments) {
      const double x1 = x + s.x * zoom, y1 = y + s.yOfH * c.H;
      t.line(x1, y1, x1 + s.dx * zoom, y1 + s.dy * zoom);
    }
    t.setCurrentX(x + t.textWidth(room));
    t.setCurrentY(y);
  } else {
    c.W += t.textWidth(room);
  }
}

// "&E": the exponent form of a number, the times-ten sign upright and the exponent raised.
void ExponentCode(LineContext& c) {
  plat::Surface& t = c.t;
  std::size_t end = c.i + 2;  // first character after "&E"
  std::string exponent;
  if (end < c.line.size() && (c.line[end] == '+' || c.line[end] == '-')) {
    if (c.line[end] == '-') exponent.push_back(kMinusSign);
    ++end;
  }
  while (end < c.line.size() && c.line[end] >= '0' && c.line[end] <= '9') exponent.push_back(c.line[end++]);
  const bool italic = t.font().italic;
  t.setFontItalic(false);
  c.setText(c.V.SimboloExponente);
  SetFontSizeChecked(t, c.baseSize * kIndexSizeRatio);
  c.setText(exponent);
  t.setFontSize(c.baseSize);
  t.setFontItalic(italic);
  c.i = end - 1;
}

bool TwoCharacterCode(LineContext& c) {
  if (c.rest().size() < 2) return false;
  plat::Surface& t = c.t;
  switch (c.rest()[1]) {
    case ' ': c.setText(" "); break;  // a blank that is no break position
    case 'Q': DrawnSign(c, kEquilibrium, "    "); break;
    case '=': DrawnSign(c, kLongEquals, "   "); break;
    case '#': DrawnSign(c, kIdentity, "   "); break;
    case '_':
      // Soft hyphen: a break position, seen as "-" only where a drawn part ends with it.
      c.softBreak = true;
      if (!c.draw) {
        c.W += t.textWidth("-");
      } else if (c.i + 2 == c.line.size()) {
        t.print("-");
      }
      break;
    case '&': c.setText("&"); break;
    case 'E': ExponentCode(c); return true;
    default: return false;
  }
  c.i += 1;
  return true;
}

}  // namespace

bool StartsParameterCode(std::string_view text) {
  static constexpr std::array<std::string_view, 7> kCodes = {"&FS", "&FN", "&FC", "&BC", "&LC", "&FF", "&SP"};
  return std::find(kCodes.begin(), kCodes.end(), text.substr(0, 3)) != kCodes.end();
}

void HandleInlineCode(LineContext& c) {
  if (StyleSwitch(c) || ParameterCode(c) || SymbolCode(c) || TwoCharacterCode(c)) return;
  // Nothing known: the "&" is dropped and what follows is set as text.
}

}  // namespace stagora::engine
