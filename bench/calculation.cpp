// Dragging a point or a knob recalculates on every pointer move, and accepting a table
// rebuilds the lookup tables: each must stay well under 100 microseconds on one core.
#include <benchmark/benchmark.h>

#include <memory>

#include "designer/calculation/design_calculation.h"
#include "designer/calculation/equilibrium.h"

namespace {

using namespace stagora;

DesignInput DefaultDesign() {
  DesignInput in;
  in.fields = {"2", "0.5", "0.46", "0.85", "0.17", "3", "1"};
  return in;
}

// 21 rows x = 0, 0.05 .. 1 on the curve of alpha = 2.
EquilibriumTable TwentyOneRows() {
  EquilibriumTable t;
  for (int i = 0; i <= 20; ++i) {
    const double x = i / 20.0;
    t.TablaX[static_cast<std::size_t>(i)] = x;
    t.TablaY[static_cast<std::size_t>(i)] = 2 * x / (x + 1);
  }
  t.UltimoPuntoTabla = 20;
  return t;
}

void BM_CalculateDefaultDesign(benchmark::State& state) {
  const DesignInput in = DefaultDesign();
  for (auto _ : state) {
    DesignResult r = CalculateDesign(in);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_CalculateDefaultDesign);

void BM_CalculateDefaultDesignTableMode(benchmark::State& state) {
  auto lookup = std::make_unique<EquilibriumLookup>();
  CrearSuperTABLA_ELV(TwentyOneRows(), *lookup);
  DesignInput in = DefaultDesign();
  in.UsarTabla = true;
  in.lookup = lookup.get();
  for (auto _ : state) {
    DesignResult r = CalculateDesign(in);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_CalculateDefaultDesignTableMode);

void BM_CrearSuperTABLA_ELV_21Rows(benchmark::State& state) {
  const EquilibriumTable table = TwentyOneRows();
  auto lookup = std::make_unique<EquilibriumLookup>();
  for (auto _ : state) {
    auto refused = CrearSuperTABLA_ELV(table, *lookup);
    benchmark::DoNotOptimize(refused);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CrearSuperTABLA_ELV_21Rows);

}  // namespace

BENCHMARK_MAIN();
