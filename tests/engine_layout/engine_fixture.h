// A recording page picture as the engine's screen target, with a fresh engine state and
// fresh viewer values, for the engine's tests. The model metrics make every size exact: at 12 points a character is
// 120 twips wide and a line 276 twips high (ascent 216).
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <string>
#include <vector>

#include "platform/recording_surface.h"
#include "viewer/engine/htfc_engine.h"
#include "viewer/engine/line_renderer.h"

namespace stagora::engine::test {

// The viewer's page picture at 100 %, in pixels.
constexpr double kPageWidthPx = 796;
constexpr double kPageHeightPx = 1125;
constexpr double kModelCharWidth = 120;    // twips, 12 points
constexpr double kModelTextHeight = 276;   // twips, 12 points
constexpr double kModelAscent = 216;       // twips, 12 points
constexpr double kMargin = 16 / 25.4 * 1440;

class EngineTest : public ::testing::Test {
 protected:
  explicit EngineTest(plat::RecordingSurface::Metrics metrics = plat::RecordingSurface::Metrics::Model)
      : page_(kPageWidthPx, kPageHeightPx, 15.0, metrics) {}

  void SetUp() override {
    InitHTFC(S, V);
    V.DestinoPantalla = &page_;
    page_.setScaleMode(plat::ScaleMode::Twips);
    page_.setFont(plat::FontSpec{});
    page_.setForeColor(0);
    // The page geometry of a screen page at zoom 1, for lines rendered without DibujarHTFC.
    S.AnchoPagina = (kPageWidthPx - 2) * 15;
    S.MargenIzq = S.MargenDer = S.MargenSup = S.MargenInf = kMargin;
  }

  // Lays out a whole document on the page at size 12 x Zoom.
  void Render(const std::string& text) {
    double size = 12 * V.Zoom;
    DibujarHTFC(text, size, page_, S, V);
  }
  // The same on another target.
  void Render(const std::string& text, double& size, plat::Surface& target) {
    DibujarHTFC(text, size, target, S, V);
  }

  // One line through the measure pass; returns the fitting part. Box 1 holds its measures.
  std::string Measure(const std::string& line) {
    S.ContadorCajas = 1;
    S.ModoDibujo = kModoMedir;
    std::string part;
    ProcesarLinea(line, page_, part, S, V);
    return part;
  }

  // The draw pass of a line from (x, y) in the given font, as the document entry runs it;
  // the log then holds only what this pass drew.
  void DrawPass(const std::string& line, const plat::FontSpec& font, double x, double y) {
    page_.setFont(font);
    S.ContadorCajas = 1;
    S.ModoDibujo = kModoDibujar;
    page_.setCurrentX(x);
    page_.setCurrentY(y);
    page_.clearLog();
    std::string unused;
    ProcesarLinea(line, page_, unused, S, V);
  }

  // The same line measured and then drawn from (x, y) with the font it started with.
  std::string MeasureAndDraw(const std::string& line, double x = 0, double y = 0) {
    const plat::FontSpec font = page_.font();
    std::string part = Measure(line);
    DrawPass(part.empty() ? line : part, font, x, y);
    return part;
  }

  std::vector<plat::RecordedOp> Ops(plat::RecordedOp::Kind kind) const {
    std::vector<plat::RecordedOp> out;
    for (const plat::RecordedOp& op : page_.ops()) {
      if (op.kind == kind) out.push_back(op);
    }
    return out;
  }

  // The drawn text, in order, as UTF-8.
  std::string DrawnText() const {
    std::u16string all;
    for (const plat::RecordedOp& op : Ops(plat::RecordedOp::Text)) all += op.text;
    return QString::fromStdU16String(all).toStdString();
  }

  plat::RecordingSurface page_;
  EngineState S;
  ViewerValues V;
};

}  // namespace stagora::engine::test
