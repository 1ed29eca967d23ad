// One full page of styled text with symbols, measured and drawn on the viewer's page
// picture at zoom 1, as page turning and zooming redraw it. Target: under 5 ms a page.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>

#include "platform/image_surface.h"
#include "viewer/engine/htfc_engine.h"

namespace {

constexpr int kPageWidthPx = 796;
constexpr int kPageHeightPx = 1125;

// About as much as a page of a worked solution holds: headings, paragraphs with styles,
// Greek letters and signs, indices and numbers in exponent form.
std::string PageText() {
  std::string text = "#MARK=001&+B&FS=14:Stagora worked solution&FS=12:&-B&LF";
  const std::string paragraph =
      "The relative volatility &alfa = 2&.45 and the feed quality q = 1 give the q-line y = x_F; "
      "the minimum reflux ratio R_m = 1&.2&E-1 follows from the pinch point &ard &+Iy = &alfax/(1 + "
      "(&alfa-1)x)&-I with &Delta &<= 10^3 &aprox &oo. ";
  for (int k = 0; k < 40; ++k) {
    text += "#MARK=" + std::to_string(100 + k) + "&+I" + std::to_string(k + 1) + "&-I " + paragraph;
    text += (k % 3 == 0) ? "&+BBold sentence with &sigma, &Sigma and &pm.&-B" : "&FC=0;0;128:coloured text&FC=Negro:";
    text += "&LF";
  }
  return text;
}

void BM_EnginePage(benchmark::State& state) {
  using namespace stagora::engine;
  EngineState engine;
  ViewerValues viewer;
  InitHTFC(engine, viewer);
  plat::ImageSurface page(kPageWidthPx, kPageHeightPx);
  viewer.DestinoPantalla = &page;
  const std::string text = PageText();
  for (auto _ : state) {
    page.cls();
    double size = 12;
    DibujarHTFC(text, size, page, engine, viewer);
    benchmark::DoNotOptimize(engine.BloqueCorte);
  }
  // The text is longer than a page: the engine stops at the page's foot.
  state.counters["block_not_fitting"] = static_cast<double>(-engine.BloqueCorte);
  state.counters["bands"] = static_cast<double>(engine.NumMarcas);
}
BENCHMARK(BM_EnginePage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
