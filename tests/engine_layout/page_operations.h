// A page as text: what DibujarHTFC left for the viewer (the page-break handshake and the
// section marks) and every operation the recording page picture took down, one a line, with
// positions rounded to a hundredth of a pixel. Under the recording surface's model metrics
// this does not depend on the machine's fonts, so it can be kept beside a fixture and
// compared line by line.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/recording_surface.h"
#include "viewer/engine/htfc_engine.h"

namespace stagora::engine::test {

inline std::string Rounded(double v) {
  char buf[48];
  const double r = std::round(v * 100) / 100;
  std::snprintf(buf, sizeof buf, "%.2f", r == 0 ? 0.0 : r);  // never "-0.00"
  return buf;
}

// As red, green and blue, the way colours are written everywhere but in a Color's bits.
inline std::string Colour(plat::Color c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", plat::RedOf(c), plat::GreenOf(c), plat::BlueOf(c));
  return buf;
}

// ASCII only: quotes, backslashes and anything outside printable ASCII as \uXXXX.
inline std::string Quoted(const std::u16string& text) {
  std::string out = "\"";
  for (char16_t ch : text) {
    if (ch >= 0x20 && ch < 0x7F && ch != u'"' && ch != u'\\') {
      out += static_cast<char>(ch);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(ch));
      out += buf;
    }
  }
  return out + "\"";
}

inline std::string FontText(const plat::FontSpec& f) {
  std::string style;
  if (f.bold) style += 'B';
  if (f.italic) style += 'I';
  if (f.underline) style += 'U';
  if (f.strikethru) style += 'S';
  return "\"" + f.name + "\" " + Rounded(f.size) + (style.empty() ? "" : " " + style);
}

inline std::string OperationLine(const plat::RecordedOp& op) {
  using K = plat::RecordedOp;
  const std::string corners = Rounded(op.x1) + " " + Rounded(op.y1) + " " + Rounded(op.x2) + " " + Rounded(op.y2);
  switch (op.kind) {
    case K::Clear: return "clear " + Colour(op.color);
    case K::Line: return "line " + corners + " pen " + Rounded(op.pen) + " " + Colour(op.color);
    case K::Rect: return "rect " + corners + " pen " + Rounded(op.pen) + " " + Colour(op.color);
    case K::FilledRect: return "filled-rect " + corners + " " + Colour(op.color);
    case K::Ellipse:
      return "ellipse " + corners + " pen " + Rounded(op.pen) + " " + Colour(op.color) +
             (op.filled ? " fill " + Colour(op.fill) : "");
    case K::Text:
      return "text " + Rounded(op.x1) + " " + Rounded(op.y1) + " " + Quoted(op.text) + " " + FontText(op.font) + " " +
             Colour(op.color);
    case K::Image: return "image " + corners;
  }
  return "?";
}

// The page as lines: first what the viewer reads back, then the operations in order.
inline std::vector<std::string> PageLines(const EngineState& s, const plat::RecordingSurface& page) {
  std::vector<std::string> lines;
  lines.push_back("BloqueCorte " + std::to_string(s.BloqueCorte) + " NumMarcas " + std::to_string(s.NumMarcas));
  for (long k = 0; k < s.NumMarcas && k < kMaxMarcas; ++k) {
    const auto i = static_cast<std::size_t>(k);
    lines.push_back("mark " + std::to_string(k) + " top " + Rounded(s.MarcaArriba[i]) + " bottom " +
                    Rounded(s.MarcaAbajo[i]) + " page " + std::to_string(s.MarcaPagina[i]));
  }
  for (const plat::RecordedOp& op : page.ops()) lines.push_back(OperationLine(op));
  return lines;
}

// The page of a document laid out on a fresh page picture (796 x 1125 pixels, the model
// metrics) at zoom 1 and size 12, by a fresh engine.
inline std::vector<std::string> LaidOutPage(const std::string& text) {
  plat::RecordingSurface page(796, 1125, 15.0, plat::RecordingSurface::Metrics::Model);
  EngineState state;
  ViewerValues viewer;
  InitHTFC(state, viewer);
  viewer.DestinoPantalla = &page;
  double size = 12;
  DibujarHTFC(text, size, page, state, viewer);
  return PageLines(state, page);
}

inline std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// "" when equal, else where and how the two first differ.
inline std::string FirstDifference(const std::vector<std::string>& expected, const std::vector<std::string>& actual) {
  const std::size_t n = std::min(expected.size(), actual.size());
  for (std::size_t k = 0; k < n; ++k) {
    if (expected[k] != actual[k]) {
      return "line " + std::to_string(k + 1) + "\n  expected: " + expected[k] + "\n  drawn:    " + actual[k];
    }
  }
  if (expected.size() == actual.size()) return "";
  std::ostringstream out;
  out << "line " << n + 1 << ": expected " << expected.size() << " lines, drawn " << actual.size();
  out << (expected.size() > n ? "\n  expected: " + expected[n] : "\n  drawn:    " + actual[n]);
  return out.str();
}

}  // namespace stagora::engine::test
