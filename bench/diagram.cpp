// Calcular of the default design drawn on a 442 x 604 screen picture, end to end: reading the
// fields, calculating, drawing, the result fields and tables and the point labels. Every
// pointer move of a drag runs it, so it must fit well inside one 60 Hz frame: target under
// 2 ms. The core's drawing alone is measured beside it, on a picture of one and of two image
// pixels per pixel (a screen scaled to 200 %). Calcular draws at the screen's ratio: run the
// program with QT_SCALE_FACTOR=2 to measure it on a scaled screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <memory>

#include "designer/calculation/design_calculation.h"
#include "designer/diagram/diagram.h"
#include "designer/window/controls.h"
#include "designer/window/form_main.h"
#include "platform/image_surface.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "bench/window_bench_main.h"

namespace {

constexpr int kPictureWidth = 442;
constexpr int kPictureHeight = 604;

void BM_CalcularDefaultDesignOnScreen(benchmark::State& state) {
  auto form = std::make_unique<stagora::designer::FormMain>();
  form->Form_Load();
  form->Picture1->resize(kPictureWidth, kPictureHeight);
  form->Calcular(*form->Picture1, false);
  for (auto _ : state) {
    form->Calcular(*form->Picture1, false);
    benchmark::DoNotOptimize(form->NumPlatosTeor);
  }
  if (!form->LblERROR->text().isEmpty()) state.SkipWithError("the default design was refused");
}
BENCHMARK(BM_CalcularDefaultDesignOnScreen)->Unit(benchmark::kMicrosecond);

void BM_DrawDefaultDiagram(benchmark::State& state) {
  using namespace stagora;
  const DesignResult r = CalculateDesign(DesignData{2, 0.5, 0.46, 0.85, 0.17, 3, 1}, false, nullptr);
  const EquilibriumModel eq = EquilibriumModel::Volatility(r.data.alpha);
  DiagramTexts texts;
  texts.Enrich_op_line = "Enriching line";
  texts.Exhaus_op_line = "Stripping line";
  texts.q_line = "q-line";
  texts.RotuloEjeX = "x, mole fraction of the more volatile component in the liquid";
  texts.RotuloEjeY = "y, mole fraction of the more volatile component in the vapour";
  plat::ImageSurface picture(kPictureWidth, kPictureHeight, static_cast<double>(state.range(0)));
  picture.setFontName("Arial");
  picture.setFontSize(9);
  for (auto _ : state) {
    picture.cls();
    const PointLabelPlaces places = DrawDiagram(picture, DiagramTarget::kScreen, r, eq, texts);
    benchmark::DoNotOptimize(places);
  }
  benchmark::DoNotOptimize(picture.image());
}
BENCHMARK(BM_DrawDefaultDiagram)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return stagora::bench::RunWindowBenchmarks(argc, argv); }
