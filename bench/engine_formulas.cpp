// The worked solution's formulas, measured and drawn at zoom 1: one formula alone, a block of
// three aligned rows alone, and one page of twenty mixed formulas (fractions with roots and
// powers inside delimiters), the aligned block and one image, its picture kept decoded as the
// viewer keeps it (and once more decoded at every drawing). Each is drawn on a picture of its
// own size (what it covers, with the page's margins), so the figure is the drawing's and not
// the clearing of a page larger than the drawing. Each is timed drawn again on the same ground
// (a repaint) and drawn over a ground it was never drawn on before (a page after another, the
// diagram during a drag): there no drawing finds the pixels it met before, so nothing kept of
// earlier drawings can stand in for drawing. Target: under 10 ms a page.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <algorithm>
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

// The text drawn once on a picture of the given size, as the viewer draws it; false when it
// did not fit.
bool DrawOnce(const std::string& text, plat::ImageSurface& picture, EngineState& engine, ViewerValues& viewer) {
  viewer.DestinoPantalla = &picture;
  picture.cls();
  double size = 12;
  DibujarHTFC(text, size, picture, engine, viewer);
  return engine.BloqueCorte > 0;
}

// Whether the text is drawn on a picture of the size as at the top left of `page`.
bool DrawnAsOnPage(const std::string& text, int width, int height, const QImage& page, EngineState& engine,
                   ViewerValues& viewer) {
  plat::ImageSurface picture(width, height);
  return DrawOnce(text, picture, engine, viewer) && picture.image() == page.copy(0, 0, width, height);
}

// The smallest picture, a step of pixels at a time, on which the text is drawn as on a whole
// page: what the text covers there and at least the page's margins (about 61 pixels) to its
// right and below; wider where it places things by the page's width (tabs), and higher where
// its lines need it (a line is drawn only where its height fits twice above the foot). Empty
// when the text does not fit on a page.
QSize OwnSize(const std::string& text, EngineState& engine, ViewerValues& viewer) {
  plat::ImageSurface page(kPageWidthPx, kPageHeightPx);
  if (!DrawOnce(text, page, engine, viewer)) return {};
  const QImage image = page.image();
  const QRgb back = image.pixel(0, 0);
  int right = 0, bottom = 0;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (row[x] != back) {
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
    }
  }
  constexpr int kBeyondInk = 64, kStep = 8;
  int width = std::min(kPageWidthPx, right + 1 + kBeyondInk);
  while (!DrawnAsOnPage(text, width, kPageHeightPx, image, engine, viewer)) {
    if (width == kPageWidthPx) return {};
    width = std::min(kPageWidthPx, width + kStep);
  }
  int height = std::min(kPageHeightPx, bottom + 1 + kBeyondInk);
  while (!DrawnAsOnPage(text, width, height, image, engine, viewer)) height = std::min(kPageHeightPx, height + kStep);
  return {width, height};
}

// One timed drawing: the picture cleared and the text drawn on it (apart, so that a profiler
// can tell it from the measuring done before).
[[gnu::noinline]] void DrawTimed(const std::string& text, plat::ImageSurface& picture, EngineState& engine,
                                 const ViewerValues& viewer) {
  picture.cls();
  double fontSize = 12;
  DibujarHTFC(text, fontSize, picture, engine, viewer);
}

// The ground of the n-th drawing over a changed ground: near-white shades that do not repeat
// within any run of the benchmark (32768 of them, one after the other), the first of them
// not white.
plat::Color ChangedGround(unsigned n) {
  return plat::Rgb(255 - static_cast<int>(n % 32), 255 - static_cast<int>(n / 32 % 32), 255 - static_cast<int>(n / 1024 % 32));
}

enum class Ground { Same, Changed };

// The text drawn again and again on a picture of its own size, as the viewer draws it: its
// picture decoded once into the viewer's picture cache, unless `decodeEachTime`; on the same
// ground each time, or over a changed one.
void DrawRepeatedly(benchmark::State& state, const std::string& text, Ground ground = Ground::Same,
                    bool decodeEachTime = false) {
  EngineState engine;
  ViewerValues viewer;
  PictureCache pictures;
  if (!decodeEachTime) viewer.Pictures = &pictures;
  InitHTFC(engine, viewer);
  // Measured first, outside the timed drawings; the whole text must be drawn, and drawn as on
  // the page, or the figure would be for less.
  const QSize own = OwnSize(text, engine, viewer);
  if (own.isEmpty()) {
    state.SkipWithError("the text is not drawn on a picture of its size as on the page");
    return;
  }
  // Drawn on once before the timing, as the viewer's page picture has drawn a page before the
  // next: the timed drawings find its fonts and glyphs laid out, and each iteration costs what
  // the next does.
  plat::ImageSurface picture(own.width(), own.height());
  DrawOnce(text, picture, engine, viewer);
  unsigned drawing = 0;
  for (auto _ : state) {
    if (ground == Ground::Changed) picture.setBackColor(ChangedGround(++drawing));
    DrawTimed(text, picture, engine, viewer);
  }
  state.counters["width"] = own.width();
  state.counters["height"] = own.height();
}

// The first formula of the page, with its delimiters and fractions.
void BM_OneFormula(benchmark::State& state) { DrawRepeatedly(state, "#MARK=001" + std::string(kFormulas[0])); }
BENCHMARK(BM_OneFormula)->Unit(benchmark::kMicrosecond);

void BM_OneFormulaOverAChangedGround(benchmark::State& state) {
  DrawRepeatedly(state, "#MARK=001" + std::string(kFormulas[0]), Ground::Changed);
}
BENCHMARK(BM_OneFormulaOverAChangedGround)->Unit(benchmark::kMicrosecond);

void BM_AlignedRows(benchmark::State& state) { DrawRepeatedly(state, "#MARK=001" + std::string(kAlignedRows)); }
BENCHMARK(BM_AlignedRows)->Unit(benchmark::kMicrosecond);

void BM_AlignedRowsOverAChangedGround(benchmark::State& state) {
  DrawRepeatedly(state, "#MARK=001" + std::string(kAlignedRows), Ground::Changed);
}
BENCHMARK(BM_AlignedRowsOverAChangedGround)->Unit(benchmark::kMicrosecond);

void BM_FormulaPage(benchmark::State& state) { DrawRepeatedly(state, FormulaPage()); }
BENCHMARK(BM_FormulaPage)->Unit(benchmark::kMillisecond);

void BM_FormulaPageOverAChangedGround(benchmark::State& state) { DrawRepeatedly(state, FormulaPage(), Ground::Changed); }
BENCHMARK(BM_FormulaPageOverAChangedGround)->Unit(benchmark::kMillisecond);

// The same page with its picture read and decoded from its file at every drawing.
void BM_FormulaPageDecodingItsPicture(benchmark::State& state) {
  DrawRepeatedly(state, FormulaPage(), Ground::Same, true);
}
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
