// The worked solution's formulas, measured and drawn on the page picture at zoom 1: one
// formula alone, a block of three aligned rows alone, and one page of twenty mixed formulas
// (fractions with roots and powers inside delimiters), the aligned block and one image, its
// picture kept decoded as the viewer keeps it (and once more decoded at every drawing).
// Target: under 10 ms a page.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>

#include "platform/image_surface.h"
#include "platform/paths.h"
#include "viewer/engine/htfc_engine.h"
#include "viewer/engine/images.h"

namespace {

using namespace stagora::engine;

constexpr int kPageWidthPx = 796;
constexpr int kPageHeightPx = 1125;
constexpr int kDiagramPx = 600;  // about what the designer's diagram picture holds

const char* const kFormulas[] = {
    "x_D = #COC(#NES(()R + 1#NES) y_n#N)(R#COC) - #COC(x_D#N)(R#COC)",
    "y = #COC(&alfa x#N)(1 + #NES(()&alfa - 1#NES) x#COC)",
    "q = #COC(#POT(H#PB)(V#POT) - #POT(h#PB)(F#POT)#N)(#POT(H#PB)(V#POT) - #POT(h#PB)(L#POT)#COC)",
    "R_m_i_n = #COC(x_D - y'#N)(y' - x'#COC) = #COC(0&.95 - 0&.62#N)(0&.62 - 0&.45#COC) = 1&.941",
    "#NES([]#COC(#SQR(#POT(a#PB)(2#POT) + #POT(b#PB)(2#POT)#SQR)#N)(2 #SQR(ab#SQR)#COC)#NES) &>= 1",
    "N = #COC(log #NES([]#COC(x_D#N)(1 - x_D#COC) #COC(1 - x_B#N)(x_B#COC)#NES)#N)(log &alfa#COC) - 1",
    "E = #COC(N_t#N)(N_r#COC) = #COC(7&.4#N)(0&.65#COC) = 11&.38",
    "#NES(()#COC(#CUR(x + 1#CUR)#N)(#POT(x#PB)(3#POT) - 1#COC)#NES) + #NES(()#COC(1#N)(#SQR(x#SQR)#COC)#NES)",
    "y_n+1 = #COC(L#N)(V#COC) x_n + #COC(D#N)(V#COC) x_D = #COC(R#N)(R + 1#COC) x_n + #COC(x_D#N)(R + 1#COC)",
    "&Delta = #SQR(#POT(#NES(()x_1 - x_2#NES)#PB)(2#POT) + #POT(#NES(()y_1 - y_2#NES)#PB)(2#POT)#SQR)",
    "#EXP(-#COC(E_a#N)(R T#COC)#EXP) &aprox 1 - #COC(E_a#N)(R T#COC) + #COC(1#N)(2#COC) #POT(#NES(()#COC(E_a#N)(R T#COC)#NES)#PB)(2#POT)",
    "#NES({}#COC(#RAD(#RI(n#RI)#POT(a#PB)(n#POT) + #POT(b#PB)(n#POT)#RAD)#N)(a + b#COC)#NES) &<= 1",
    "F z_F = D x_D + B x_B &ard D = F #COC(z_F - x_B#N)(x_D - x_B#COC)",
    "#NES(||#COC(#POT(x#PB)(2#POT) - 1#N)(#SQR(#POT(x#PB)(4#POT) + 1#SQR)#COC)#NES) < 1",
    "&sigma = #SQR(#COC(1#N)(n - 1#COC) #NES([]#POT(#NES(()x - #COC(a#N)(b#COC)#NES)#PB)(2#POT)#NES)#SQR)",
    "V = L + D = #NES(()R + 1#NES) D = #COC(3&.2#N)(1&.5#COC) #NES([]#COC(kmol#N)(h#COC)#NES)",
    "#COC(#COC(1#N)(x#COC) + #COC(1#N)(y#COC)#N)(#COC(1#N)(x y#COC)#COC) = x + y",
    "#DDL(n#L)(k#DDL) = #COC(n!#N)(k! #NES(()n - k#NES)!#COC)",
    "K = #EXP(#COC(-&Delta G#N)(R T#COC)#EXP) = #POT(10#PB)(#COC(-&Delta G#N)(2&.303 R T#COC)#POT)",
    "#NES(X}#RWS(R#RW1(y = #COC(R#N)(R + 1#COC) x + #COC(x_D#N)(R + 1#COC)#RW1)#RW2(y = #COC(q#N)(q - 1#COC) x - "
    "#COC(z_F#N)(q - 1#COC)#RW2)#RWS)#NES) &ard x = 0&.47",
};

// Three rows aligned on their left, each with a fraction or an index.
constexpr const char* kAlignedRows =
    "#RWS(L#RW1(N_t = 7&.4 theoretical stages#RW1)#RW2(N_f = 4 (the feed stage)#RW2)"
    "#RW3(N_r = #COC(N_t#N)(E#COC) = 11&.4#RW3)#RWS)";

std::string FormulaPage() {
  // Two formulas a line, the second at the middle of the page.
  std::string page = "#MARK=001&+BWorked solution&-B&LF#IMG('bench_diagram.jpg'DXmm=50:DYmm=50:MARCO#IMG)";
  for (std::size_t k = 0; k < std::size(kFormulas); ++k) page += (k % 2 == 0 ? "&LF" : "&SP=50:") + std::string(kFormulas[k]);
  return page + "&LF" + kAlignedRows;
}

// A program folder whose img/ holds a diagram-sized picture.
std::string MakeProgramFolder() {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "stagora-bench-engine-formulas";
  fs::create_directories(dir / "img");
  QImage img(kDiagramPx, kDiagramPx, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setPen(QPen(Qt::black, 2));
  p.drawRect(40, 40, kDiagramPx - 80, kDiagramPx - 80);
  for (int k = 0; k < 20; ++k) p.drawLine(40, kDiagramPx - 40 - k * 25, 40 + k * 26, kDiagramPx - 40 - k * 20);
  p.end();
  img.save(QString::fromStdString((dir / "img" / "bench_diagram.jpg").string()), "JPG", 90);
  return dir.string();
}

// The page drawn again and again, as the viewer draws it: its picture decoded once into the
// viewer's picture cache, unless `decodeEachTime`.
void DrawRepeatedly(benchmark::State& state, const std::string& text, bool decodeEachTime = false) {
  EngineState engine;
  ViewerValues viewer;
  PictureCache pictures;
  if (!decodeEachTime) viewer.Pictures = &pictures;
  InitHTFC(engine, viewer);
  plat::ImageSurface page(kPageWidthPx, kPageHeightPx);
  viewer.DestinoPantalla = &page;
  for (auto _ : state) {
    page.cls();
    double size = 12;
    DibujarHTFC(text, size, page, engine, viewer);
  }
  // The page must hold everything, or the figure would be for less than a page.
  if (engine.BloqueCorte <= 0) state.SkipWithError("the formulas did not fit on one page");
}

// The first formula of the page, with its delimiters and fractions.
void BM_OneFormula(benchmark::State& state) { DrawRepeatedly(state, "#MARK=001" + std::string(kFormulas[0])); }
BENCHMARK(BM_OneFormula)->Unit(benchmark::kMicrosecond);

void BM_AlignedRows(benchmark::State& state) { DrawRepeatedly(state, "#MARK=001" + std::string(kAlignedRows)); }
BENCHMARK(BM_AlignedRows)->Unit(benchmark::kMicrosecond);

void BM_FormulaPage(benchmark::State& state) { DrawRepeatedly(state, FormulaPage()); }
BENCHMARK(BM_FormulaPage)->Unit(benchmark::kMillisecond);

// The same page with its picture read and decoded from its file at every drawing.
void BM_FormulaPageDecodingItsPicture(benchmark::State& state) { DrawRepeatedly(state, FormulaPage(), true); }
BENCHMARK(BM_FormulaPageDecodingItsPicture)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  plat::SetProgramFolder(MakeProgramFolder());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
