// Hostile and huge documents: fractions nested 1,000, 4,000 and 100,000 deep (about 15
// bytes a level, so 1.5 MB at the deepest; everything past the nesting limit is drawn as the
// error form), a 5 MB document of plain paragraphs, and for every other construct that has
// parts (integral, decoration, stacked texts, texts on an arrow, stacked parts, ring, vertical
// bonds, chemical equation) one nested 100,000 deep and one 1 MB part holding a flat run of
// them, closed or never closed; each laid out as one page on the viewer's page picture. The
// cost must grow about linearly with the length. Target: every one under a second.
//
// The figures named ...Cold are one first call each, as a viewer that has just opened the
// document makes it: a fresh engine state and a fresh page picture for every call, so nothing
// a previous call left (the box table's texts, the fonts met) makes it cheaper.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

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

// A construct around one of its parts: `head`, the part, `tail`.
struct Construct {
  const char* head;
  const char* tail;
};
// In the order of the benchmarks' argument.
constexpr Construct kConstructs[] = {
    {"#INT(", "#INT)"},
    {"#VEC(", "#VEC)"},
    {"#TST(", "#TS)(#ST1(y#ST1)#TST)"},
    {"#ATX(", "#T)(b#ATX)"},
    {"#SPB(C", "#T)(b#SPB)"},
    {"#A6V(SSSSSS#R1(", "#R1)#A6V)"},
    {"#UDB(CSS#R1(", "#R1)#UDB)"},
    {"#CEQ(2'A = B'#A21(a#A21)#A22(", "#A22)#A23(b#A23)#CEQ)"},
};
constexpr std::size_t kRunBytes = 1024 * 1024;

const Construct& ConstructOf(benchmark::State& state) { return kConstructs[state.range(0)]; }

std::string NestedConstructs(const Construct& c, long depth) {
  std::string text = "&FS=6:";
  for (long k = 0; k < depth; ++k) text += c.head;
  text += "x";
  for (long k = 0; k < depth; ++k) text += c.tail;
  return text + "&LF&FS=12:END";
}

// A run of `unit` filling about 1 MB as the part of one construct, which measures its part
// whole; the construct is an integral, or a decoration around a run of integrals.
std::string RunInsideAPart(const Construct& c, const std::string& unit) {
  const bool integral = std::string_view(c.head) == "#INT(";
  std::string text = integral ? "#VEC(" : "#INT(";
  text.reserve(kRunBytes + 2 * unit.size());
  while (text.size() < kRunBytes) text += unit;
  return text + (integral ? "#VEC)" : "#INT)") + "&LF&FS=12:END";
}

// The unit of an open run is longer than the error block a construct that does not close is
// set as, so every unit meets its construct.
std::string ClosedRun(const Construct& c) { return RunInsideAPart(c, std::string(c.head) + "x" + c.tail); }
std::string OpenRun(const Construct& c) {
  return RunInsideAPart(c, std::string(c.head) + "x abcdefghijklmnopqrstuvwxyz abcdefghijklmnop ");
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

// Each iteration one call on a fresh state and page; making and ending them is not timed.
void RenderPageCold(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    state.PauseTiming();
    auto engine = std::make_unique<EngineState>();
    auto viewer = std::make_unique<ViewerValues>();
    InitHTFC(*engine, *viewer);
    auto page = std::make_unique<plat::ImageSurface>(kPageWidthPx, kPageHeightPx);
    viewer->DestinoPantalla = page.get();
    page->cls();
    double size = 12;
    state.ResumeTiming();
    DibujarHTFC(text, size, *page, *engine, *viewer);
    benchmark::DoNotOptimize(engine->BloqueCorte);
    state.PauseTiming();
    page.reset();
    viewer.reset();
    engine.reset();
    state.ResumeTiming();
  }
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

// The nesting depth of fractions that makes a document of about 5 MB.
constexpr long kFiveMegabyteDepth = 5 * 1024 * 1024 / 15;

void BM_NestedFractions(benchmark::State& state) { RenderPage(state, NestedFractions(state.range(0))); }
BENCHMARK(BM_NestedFractions)->Arg(1000)->Arg(4000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_NestedFractionsCold(benchmark::State& state) { RenderPageCold(state, NestedFractions(state.range(0))); }
BENCHMARK(BM_NestedFractionsCold)
    ->Arg(1000)
    ->Arg(4000)
    ->Arg(100000)
    ->Arg(kFiveMegabyteDepth)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// Argument: 0 integral, 1 decoration, 2 stacked texts, 3 texts on an arrow, 4 stacked parts,
// 5 ring, 6 vertical bonds, 7 chemical equation.
void BM_NestedConstructs(benchmark::State& state) { RenderPage(state, NestedConstructs(ConstructOf(state), 100000)); }
BENCHMARK(BM_NestedConstructs)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

void BM_NestedConstructsCold(benchmark::State& state) {
  RenderPageCold(state, NestedConstructs(ConstructOf(state), 100000));
}
BENCHMARK(BM_NestedConstructsCold)->DenseRange(0, 7)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ClosedRunInAPart(benchmark::State& state) { RenderPage(state, ClosedRun(ConstructOf(state))); }
BENCHMARK(BM_ClosedRunInAPart)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

void BM_OpenRunInAPart(benchmark::State& state) { RenderPage(state, OpenRun(ConstructOf(state))); }
BENCHMARK(BM_OpenRunInAPart)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

void BM_PlainDocument(benchmark::State& state) { RenderPage(state, PlainDocument()); }
BENCHMARK(BM_PlainDocument)->Unit(benchmark::kMillisecond);

void BM_PlainDocumentCold(benchmark::State& state) { RenderPageCold(state, PlainDocument()); }
BENCHMARK(BM_PlainDocumentCold)->Iterations(3)->Unit(benchmark::kMillisecond);

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
