// The engine's recording page with helpers for the formula constructs: lay a line out (both
// passes, as the document entry does), see where everything drawn lies, and compare that
// with the box the measure pass recorded. Model metrics: at 12 points H = 276 twips and
// every character is 120 twips wide.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "tests/engine_layout/engine_fixture.h"

namespace stagora::engine::test {

constexpr double kTpp = 15.0;
constexpr double kH = kModelTextHeight;
constexpr double kAxis = 0.574 * kH;
// An ordinary character advances by its width and one twip of room on each side.
constexpr double kCharAdvance = kModelCharWidth + 2;
constexpr double kX = 3000;  // where the tests start their lines, twips
constexpr double kY = 3000;
constexpr plat::Color kRed = plat::Rgb(255, 0, 0);

// A rectangle in twips.
struct Extent {
  double left = std::numeric_limits<double>::max();
  double top = std::numeric_limits<double>::max();
  double right = std::numeric_limits<double>::lowest();
  double bottom = std::numeric_limits<double>::lowest();
  void add(double x1, double y1, double x2, double y2, double halfPen = 0) {
    left = std::min({left, x1 - halfPen, x2 - halfPen});
    right = std::max({right, x1 + halfPen, x2 + halfPen});
    top = std::min({top, y1 - halfPen, y2 - halfPen});
    bottom = std::max({bottom, y1 + halfPen, y2 + halfPen});
  }
  bool empty() const { return left > right; }
};

class FormulaTest : public EngineTest {
 protected:
  struct Laid {
    CajaHTFC line;      // the line's box from the measure pass
    long measuredTo;    // ContadorCajas after the measure pass
    long drawnTo;       // and after the draw pass
  };

  // Measures the line, then draws it from (x, y) with the font it started with, as the
  // document entry does with each line.
  Laid Lay(const std::string& line, double x = kX, double y = kY) {
    const plat::FontSpec font = page_.font();
    Measure(line);
    Laid laid{S.TablaCajas(1), S.ContadorCajas, 0};
    DrawPass(line, font, x, y);
    laid.drawnTo = S.ContadorCajas;
    return laid;
  }

  // Everything drawn since the last Lay, pens included, in twips.
  Extent Drawn() const {
    Extent e;
    for (const plat::RecordedOp& op : page_.ops()) {
      const double half = op.kind == plat::RecordedOp::Line || op.kind == plat::RecordedOp::Rect ? op.pen / 2 : 0;
      e.add(op.x1 * kTpp, op.y1 * kTpp, op.x2 * kTpp, op.y2 * kTpp, half * kTpp);
    }
    return e;
  }

  // The box of a line laid out from (x, y), as a rectangle.
  static Extent BoxOf(const CajaHTFC& line, double x = kX, double y = kY) {
    Extent e;
    e.add(x, y - line.AltoSobre, x + line.DesplazamientoX + line.Avance, y + line.AltoBajo);
    return e;
  }

  // Operations of one kind drawn in the given colour.
  std::vector<plat::RecordedOp> OpsIn(plat::RecordedOp::Kind kind, plat::Color colour) const {
    std::vector<plat::RecordedOp> out;
    for (const plat::RecordedOp& op : Ops(kind)) {
      if (op.color == colour) out.push_back(op);
    }
    return out;
  }

  // The pens of the lines drawn, in printer dots, when the line is laid out (both passes, from
  // (kX, kY)) on a printer of 600 dots per inch.
  std::vector<double> LinePensOnPrinter(const std::string& line) {
    plat::RecordingSurface printer(5000, 7000, 2.4);  // 600 dots per inch
    printer.setScaleMode(plat::ScaleMode::Twips);
    plat::Surface* const before = V.DestinoImpresora;
    V.DestinoImpresora = &printer;
    for (int pass : {kModoMedir, kModoDibujar}) {
      S.ContadorCajas = 1;
      S.ModoDibujo = pass;
      printer.setFont(plat::FontSpec{});
      printer.setCurrentX(kX);
      printer.setCurrentY(kY);
      std::string unused;
      ProcesarLinea(line, printer, unused, S, V);
    }
    V.DestinoImpresora = before;
    std::vector<double> pens;
    for (const plat::RecordedOp& op : printer.ops()) {
      if (op.kind == plat::RecordedOp::Line) pens.push_back(op.pen);
    }
    return pens;
  }

  // The text drawn in one colour, in order, as UTF-8.
  std::string TextIn(plat::Color colour) const {
    std::u16string all;
    for (const plat::RecordedOp& op : OpsIn(plat::RecordedOp::Text, colour)) all += op.text;
    return QString::fromStdU16String(all).toStdString();
  }

  // The first text operation that drew `text`.
  const plat::RecordedOp* TextOp(const std::u16string& text) const {
    for (const plat::RecordedOp& op : page_.ops()) {
      if (op.kind == plat::RecordedOp::Text && op.text == text) return &op;
    }
    return nullptr;
  }
};

// Everything drawn lies inside the measured box (within `slack` twips).
inline void ExpectInside(const Extent& drawn, const Extent& box, const std::string& what, double slack = 1e-6) {
  ASSERT_FALSE(drawn.empty()) << what;
  EXPECT_GE(drawn.left, box.left - slack) << what;
  EXPECT_LE(drawn.right, box.right + slack) << what;
  EXPECT_GE(drawn.top, box.top - slack) << what;
  EXPECT_LE(drawn.bottom, box.bottom + slack) << what;
}

}  // namespace stagora::engine::test
