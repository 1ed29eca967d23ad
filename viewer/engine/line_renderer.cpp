#include "viewer/engine/line_renderer.h"

#include <algorithm>
#include <optional>

#include "viewer/engine/construct_dispatch.h"
#include "viewer/engine/inline_codes.h"
#include "viewer/engine/line_context.h"
#include "viewer/engine/symbol_table.h"

namespace stagora::engine {
namespace {

constexpr double kOperatorSpaceFraction = 0.04;  // room beside "+", minus and "=", of H
constexpr double kSubscriptDrop = 1.4;           // a subscript sinks by the height of "9" / 1.4
constexpr double kSubscriptDepth = 1.1;          // a line with a subscript is 1.1 H deep
constexpr double kMarkGapFraction = 1.0 / 8;     // bands end this far above the next band
constexpr double kSmallTextHeight = 120;         // size classes of the operator shifts
constexpr double kLargeTextHeight = 300;
constexpr double kLeastRoom = 1;                 // twips beside every character

int SizeClassOf(double h) { return h < kSmallTextHeight ? 1 : h < kLargeTextHeight ? 2 : 3; }

bool IsUprightPunctuation(char ch) {
  return (ch >= '0' && ch <= '9') || std::string_view(".,:;()[]|{}/").find(ch) != std::string_view::npos;
}

// Keeps count of how deep the renderer is nested inside constructs.
struct DepthGuard {
  explicit DepthGuard(EngineState& state) : s(state) { ++s.ProfundidadLinea; }
  ~DepthGuard() { --s.ProfundidadLinea; }
  EngineState& s;
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;
};

// An ordinary character. Digits, some punctuation and the operators stand upright whatever
// the italic state; the operators get a little room and a size-dependent vertical shift.
// Every character is set with at least the room kLeastRoom on either side; in the draw pass
// the characters without a shift join the line context's run and are printed together.
void SetCharacter(LineContext& c, char ch) {
  plat::Surface& t = c.t;
  if (ch == '-') ch = kMinusSign;
  const bool italic = t.font().italic;
  int op = -1;
  if (ch == '+') op = kOperadorMas;
  if (ch == kMinusSign) op = kOperadorMenos;
  if (ch == '=') op = kOperadorIgual;
  if (op < 0) {
    const bool style = IsUprightPunctuation(ch) ? false : italic;
    if (c.draw) {
      if (!c.run.empty() && c.runItalic != style) c.flushRun();
      c.runItalic = style;
      c.run.push_back(ch);
      return;
    }
    t.setFontItalic(style);
    c.W += t.textWidth(std::string_view(&ch, 1)) + 2 * kLeastRoom;
    t.setFontItalic(italic);
    return;
  }
  const double shift = AjustesHTFC[c.sizeClass - 1][op] * c.H;
  const double room = std::max(kOperatorSpaceFraction * c.H, kLeastRoom);
  t.setFontItalic(false);
  const std::string_view text(&ch, 1);
  if (c.draw) {
    c.flushRun();
    const double y = t.currentY();
    t.setCurrentY(y + shift);
    t.setCurrentX(t.currentX() + room);
    t.print(text);
    t.setCurrentX(t.currentX() + room);
    t.setCurrentY(y);
  } else {
    c.W += t.textWidth(text) + 2 * room;
  }
  t.setFontItalic(italic);
}

// "_x" and "^x": a one-character subscript or superscript; "__" and "^^" stand for the
// character itself.
void SetIndex(LineContext& c) {
  plat::Surface& t = c.t;
  const char kind = c.line[c.i];
  const std::string_view next = c.rest().substr(1, 1);
  if (!next.empty() && next[0] == kind) {
    c.setText(next);
    c.i += 1;
    return;
  }
  const bool subscript = kind == '_';
  SetFontSizeChecked(t, c.baseSize * kIndexSizeRatio);
  const bool italic = t.font().italic;
  // A digit stands upright in both passes, so that the measured width is the drawn one.
  if (!next.empty() && next[0] >= '0' && next[0] <= '9') t.setFontItalic(false);
  if (c.draw) {
    const double y = t.currentY();
    if (subscript) t.setCurrentY(y + t.textHeight("9") / kSubscriptDrop);
    t.print(next);
    t.setCurrentY(y);
  } else {
    c.W += t.textWidth(next);
  }
  t.setFontItalic(italic);
  t.setFontSize(c.baseSize);
  if (subscript) c.boxes[0].AltoBajo = std::max(c.boxes[0].AltoBajo, kSubscriptDepth * c.H);
  c.i += 1;
}

// "#MARK=nnn": the top of the band that the line opens, and the end of the band before it.
void SectionMark(LineContext& c) {
  EngineState& s = c.S;
  if (c.draw && c.topLevel && c.i == 0 && s.MarcaPendiente >= 0 && s.MarcaPendiente < kMaxMarcas) {
    const long k = s.MarcaPendiente;
    const double top = c.Y0 - s.TablaCajas(c.box).AltoSobre;
    s.MarcaArriba[static_cast<std::size_t>(k)] = top;
    if (k >= 1) s.MarcaAbajo[static_cast<std::size_t>(k - 1)] = top - c.H * kMarkGapFraction;
    s.MarcaPendiente = -1;
  }
  c.i += 8;
}

// "#": a section mark, a construct or the escaped "##"; any other "#" is dropped.
void HandleHash(LineContext& c) {
  if (c.at("#MARK")) {
    SectionMark(c);
  } else if (!HandleConstruct(c) && c.at("##")) {
    c.setText("#");
    c.i += 1;
  }
}

// The line is too wide once the width counted since the last tab crosses the page: the part
// that fits ends at the last break position, else with what crossed the limit.
bool CrossesPage(LineContext& c) {
  const double total = c.W + c.boxesWidth;
  if (!(total + c.S.SangriaIzq + c.S.MargenIzq + c.S.MargenDer > c.S.AnchoPagina)) return false;
  c.fitting = c.line.substr(0, c.P > 0 ? c.P : c.i + 1);
  return true;
}

void WriteLineBox(const LineContext& c) {
  CajaHTFC& b = c.S.TablaCajas(c.box);
  double advance = c.W, above = 0, below = 0;
  for (std::size_t k = 0; k < c.boxes.size(); ++k) {
    const CajaHTFC& e = c.boxes[k];
    if (k >= c.first) advance += e.DesplazamientoX + e.Avance;
    above = k == 0 ? e.AltoSobre + e.AltoEje : std::max(above, e.AltoSobre + e.AltoEje);
    below = k == 0 ? e.AltoBajo - e.AltoEje : std::max(below, e.AltoBajo - e.AltoEje);
  }
  b.DesplazamientoX = 0;
  b.Avance = advance;
  b.AltoSobre = above - c.E;
  b.AltoEje = c.E;
  b.AltoBajo = below + c.E;
  // A line broken here is measured as far as the piece that fits (the rest is measured again
  // as the next piece).
  b.Texto = c.fitting.empty() ? c.line : c.fitting;
}

}  // namespace

LineBlocks::LineBlocks(EngineState& state, std::string_view line) : s_(state), outer_(state.lineBlocks) {
  if (state.ProfundidadLinea != 0 || (outer_ && outer_->Holds(line))) return;
  if (state.spareLineBlocksInUse) {
    state.lineBlocks = &cutter_.emplace(line);
    return;
  }
  if (state.spareLineBlocks) {
    state.spareLineBlocks->Reset(line);
  } else {
    state.spareLineBlocks = std::make_shared<BlockCutter>(line);
  }
  state.spareLineBlocksInUse = spare_ = true;
  state.lineBlocks = state.spareLineBlocks.get();
}

LineBlocks::~LineBlocks() {
  s_.lineBlocks = outer_;
  if (spare_) s_.spareLineBlocksInUse = false;
}

LineContext::LineContext(std::string_view text, plat::Surface& target, EngineState& state, const ViewerValues& viewer)
    : line(text),
      t(target),
      S(state),
      V(viewer),
      draw(state.ModoDibujo == kModoDibujar),
      box(state.ContadorCajas),
      topLevel(state.ProfundidadLinea == 0) {
  if (draw) {
    CajaHTFC& b = S.TablaCajas(box);
    b.InicioX = X0 = t.currentX();
    b.InicioY = Y0 = t.currentY();
  }
  entryFont = t.font().name;
  baseSize = t.font().size;
  H = t.textHeight("Hp");
  E = kAxisFraction * H;
  A0 = A = V.AscentOf(t);
  sizeClass = SizeClassOf(H);
  CajaHTFC plain;
  plain.AltoEje = E;
  plain.AltoBajo = H;
  boxes.push_back(plain);
}

void LineContext::setText(std::string_view text) {
  if (text.empty()) return;
  if (draw) {
    t.print(text);
  } else {
    W += t.textWidth(text);
  }
}

void LineContext::flushRun() {
  if (run.empty()) return;
  const bool italic = t.font().italic;
  t.setFontItalic(runItalic);
  t.printSpaced(run, kLeastRoom);
  t.setFontItalic(italic);
  run.clear();
}

void LineContext::fontChanged() {
  A = V.AscentOf(t);
  H = t.textHeight("Hp");
  E = kAxisFraction * H;
  t.setCurrentY(Y0 + A0 - A);
}

void ProcesarLinea(std::string_view line, plat::Surface& target, std::string& fittingPart, EngineState& state,
                   const ViewerValues& viewer) {
  const LineBlocks blocks(state, line);
  LineContext c(line, target, state, viewer);
  DepthGuard depth(state);
  const std::size_t n = c.line.size();
  for (c.i = 0; c.i < n; ++c.i) {
    const char ch = c.line[c.i];
    c.softBreak = false;
    if (ch == '#' || ch == '&' || ch == '_' || ch == '^') c.flushRun();
    switch (ch) {
      case '#': HandleHash(c); break;
      case '&': HandleInlineCode(c); break;
      case '_':
      case '^': SetIndex(c); break;
      default: SetCharacter(c, ch); break;
    }
    if (c.stop) break;
    if (!c.draw) {
      // Only the line itself breaks; the parts of a construct are measured whole, so they
      // never move the line's break point and their box covers all they draw.
      if (c.topLevel && CrossesPage(c)) break;
      if (ch == ' ' || c.softBreak) c.P = c.i + 1;
    }
  }
  c.flushRun();
  if (!c.draw) WriteLineBox(c);
  fittingPart = c.fitting;
}

}  // namespace stagora::engine
