// Hostile and huge documents: fractions nested 1,000, 4,000 and 100,000 deep (about 15
// bytes a level, so 1.5 MB at the deepest; everything past the nesting limit is drawn as the
// error form) and a 5 MB document of plain paragraphs, each laid out as one page on the
// viewer's page picture. The cost must grow about linearly with the length. Target: every
// one under a second.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>

#include "platform/image_surface.h"
#include "viewer/engine/htfc_engine.h"

namespace {

using namespace stagora::engine;

constexpr int kPageWidthPx = 796;
constexpr int kPageHeightPx = 1125;
constexpr std::size_t kPlainBytes = 5 * 1024 * 1024;

// The size keeps the page tall enough for the 24 levels that are drawn.
std::string NestedFractions(long depth) {
  std::string text = "&FS=6:";
  text.reserve(static_cast<std::size_t>(depth) * 15 + 32);
  for (long k = 0; k < depth; ++k) text += "#COC(";
  text += "1";
  for (long k = 0; k < depth; ++k) text += "#N)(2#COC)";
  return text + "&LF&FS=12:END";
}

// Paragraphs of plain words, each ended by "&LF" and a CR LF as a document file holds them.
std::string PlainDocument() {
  const std::string paragraph =
      "The feed enters at its stage and the reflux returns at the top; every stage is stepped off between the "
      "equilibrium curve and the operating lines until the bottoms composition is passed.&LF\r\n";
  std::string text;
  text.reserve(kPlainBytes + paragraph.size());
  while (text.size() < kPlainBytes) text += paragraph;
  return text;
}

void RenderPage(benchmark::State& state, const std::string& text) {
  EngineState engine;
  ViewerValues viewer;
  InitHTFC(engine, viewer);
  plat::ImageSurface page(kPageWidthPx, kPageHeightPx);
  viewer.DestinoPantalla = &page;
  for (auto _ : state) {
    page.cls();
    double size = 12;
    DibujarHTFC(text, size, page, engine, viewer);
    benchmark::DoNotOptimize(engine.BloqueCorte);
  }
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

void BM_NestedFractions(benchmark::State& state) { RenderPage(state, NestedFractions(state.range(0))); }
BENCHMARK(BM_NestedFractions)->Arg(1000)->Arg(4000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PlainDocument(benchmark::State& state) { RenderPage(state, PlainDocument()); }
BENCHMARK(BM_PlainDocument)->Unit(benchmark::kMillisecond);

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
