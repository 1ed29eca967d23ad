// The equilibrium models and the lookup tables built from a table.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "designer/calculation/equilibrium.h"

namespace stagora {
namespace {

EquilibriumTable TableOf(const std::vector<std::pair<double, double>>& rows) {
  EquilibriumTable t;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    t.TablaX[i] = rows[i].first;
    t.TablaY[i] = rows[i].second;
  }
  t.UltimoPuntoTabla = static_cast<int>(rows.size()) - 1;
  return t;
}

// 21 rows x = 0, 0.05 .. 1 on the curve of a constant alpha.
EquilibriumTable ConstantAlphaTable(double alpha) {
  std::vector<std::pair<double, double>> rows;
  for (int i = 0; i <= 20; ++i) {
    const double x = i / 20.0;
    rows.emplace_back(x, alpha * x / ((alpha - 1) * x + 1));
  }
  return TableOf(rows);
}

TEST(LookupIndex, RoundsHalvesToEvenAndRefusesOutsideTheTable) {
  // Each v * 100000 below is exactly a half.
  EXPECT_EQ(LookupIndex(5e-06), 0);
  EXPECT_EQ(LookupIndex(1.5e-05), 2);
  EXPECT_EQ(LookupIndex(2.5e-05), 2);
  EXPECT_EQ(LookupIndex(5.5e-05), 6);
  EXPECT_EQ(LookupIndex(0.5), 50000);
  EXPECT_EQ(LookupIndex(1.0), 100000);
  EXPECT_EQ(LookupIndex(-0.000004), 0);
  EXPECT_EQ(LookupIndex(-0.000006), std::nullopt);
  EXPECT_EQ(LookupIndex(1.00001), std::nullopt);
  EXPECT_EQ(LookupIndex(NAN), std::nullopt);
  EXPECT_EQ(LookupIndex(1E300), std::nullopt);
}

TEST(EquilibriumModel, TableLookupOutsideTheGridIsASubscriptError) {
  auto lookup = std::make_unique<EquilibriumLookup>();
  const EquilibriumModel model = EquilibriumModel::Table(lookup.get());
  EXPECT_TRUE(model.YdeX(1.0).ok());
  EXPECT_EQ(model.YdeX(1.01).error, kErrSubscript);
  EXPECT_EQ(model.XdeY(-0.01).error, kErrSubscript);
  EXPECT_EQ(EquilibriumModel::Table(nullptr).YdeX(0.5).error, kErrSubscript);
}

TEST(CrearSuperTABLA_ELV, ConstantAlphaTableAgreesWithTheVolatilityModelAtEveryGridPoint) {
  auto lookup = std::make_unique<EquilibriumLookup>();
  ASSERT_EQ(CrearSuperTABLA_ELV(ConstantAlphaTable(2.0), *lookup), std::nullopt);
  double worst = 0;
  for (int k = 0; k <= kLookupSteps; ++k) {
    const double v = k / 100000.0;
    worst = std::max(worst, std::fabs(lookup->SuperTablaYdeX()[k] - 2 * v / (v + 1)));
    worst = std::max(worst, std::fabs(lookup->SuperTablaXdeY()[k] - v / (2 - v)));
  }
  EXPECT_LT(worst, 1e-12);
  // The ends, where the local volatility is 0 / 0 and a neighbour's stands in.
  EXPECT_EQ(lookup->SuperTablaYdeX()[0], 0.0);
  EXPECT_EQ(lookup->SuperTablaYdeX()[kLookupSteps], 1.0);
  EXPECT_EQ(lookup->SuperTablaXdeY()[kLookupSteps], 1.0);
}

TEST(CrearSuperTABLA_ELV, InterpolatesTheVolatilityBetweenRowsThroughEveryRow) {
  auto lookup = std::make_unique<EquilibriumLookup>();
  ASSERT_EQ(CrearSuperTABLA_ELV(TableOf({{0, 0}, {0.2, 0.4}, {0.5, 0.75}, {1, 1}}), *lookup), std::nullopt);
  EXPECT_NEAR(lookup->SuperTablaYdeX()[20000], 0.4, 1e-12);
  EXPECT_NEAR(lookup->SuperTablaYdeX()[50000], 0.75, 1e-12);
  EXPECT_NEAR(lookup->SuperTablaXdeY()[40000], 0.2, 1e-12);
  EXPECT_NEAR(lookup->SuperTablaXdeY()[75000], 0.5, 1e-12);
  // Halfway along x in the middle segment the volatility is the mean of the rows' 8/3 and 3.
  const double a = (8.0 / 3 + 3) / 2;
  EXPECT_NEAR(lookup->SuperTablaYdeX()[35000], a * 0.35 / ((a - 1) * 0.35 + 1), 1e-12);
}

// One operation at a time, each rounded on its own: what every grid element must hold. The
// volatile stores keep a compiler from fusing a multiply and an add here.
double Separately(double a1, double v1, double slope, double v, bool yOfX) {
  volatile double t = (v - v1) * slope;
  volatile double a = a1 + t;
  if (yOfX) {
    volatile double num = a * v;
    volatile double den = (a - 1) * v;
    volatile double den1 = den + 1;
    return num / den1;
  }
  volatile double prod = (1 - a) * v;
  volatile double den = a + prod;
  return v / den;
}

TEST(CrearSuperTABLA_ELV, EveryElementIsTheInterpolationRoundedStepByStepOnAnyProcessor) {
  // Faster instructions must not change a figure: a fused multiply-add rounds once where the
  // formula rounds twice, and the table-mode results would then depend on the machine.
  const std::vector<std::pair<double, double>> rows = {{0, 0}, {0.07, 0.21}, {0.2, 0.4}, {0.45, 0.69},
                                                       {0.5, 0.75}, {0.83, 0.93}, {1, 1}};
  auto lookup = std::make_unique<EquilibriumLookup>();
  ASSERT_EQ(CrearSuperTABLA_ELV(TableOf(rows), *lookup), std::nullopt);
  const auto local = [](double x, double y) { return ((1 - x) * y / x) / (1 - y); };
  int mismatches = 0;
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    const auto [x1, y1] = rows[i];
    const auto [x2, y2] = rows[i + 1];
    const double a1 = x1 == 0 ? local(rows[1].first, rows[1].second) : local(x1, y1);
    const double a2 = x2 == 1 ? local(x1, y1) : local(x2, y2);
    const double sx = (a2 - a1) / (x2 - x1);
    const double sy = (a2 - a1) / (y2 - y1);
    // Each segment's own range, less the shared end the next segment writes again.
    const int kx2 = static_cast<int>(std::floor(x2 * 100000 + 0.5)) - (i + 2 < rows.size() ? 1 : 0);
    for (int k = static_cast<int>(std::floor(x1 * 100000 + 0.5)); k <= kx2; ++k) {
      if (lookup->SuperTablaYdeX()[k] != Separately(a1, x1, sx, k / 100000.0, true)) ++mismatches;
    }
    const int ky2 = static_cast<int>(std::floor(y2 * 100000 + 0.5)) - (i + 2 < rows.size() ? 1 : 0);
    for (int k = static_cast<int>(std::floor(y1 * 100000 + 0.5)); k <= ky2; ++k) {
      if (lookup->SuperTablaXdeY()[k] != Separately(a1, y1, sy, k / 100000.0, false)) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(CrearSuperTABLA_ELV, FewerThanTwoRowsAndElementsBeyondTheRowsKeepTheirContents) {
  auto lookup = std::make_unique<EquilibriumLookup>();
  ASSERT_EQ(CrearSuperTABLA_ELV(ConstantAlphaTable(3.0), *lookup), std::nullopt);
  const std::vector<double> yOfX = lookup->SuperTablaYdeX();
  const std::vector<double> xOfY = lookup->SuperTablaXdeY();

  EXPECT_EQ(CrearSuperTABLA_ELV(TableOf({{0.5, 0.5}}), *lookup), std::nullopt);
  EXPECT_EQ(lookup->SuperTablaYdeX(), yOfX);

  // A table covering x 0.2 .. 0.8 and y 0.4 .. 0.9 rewrites only those ranges.
  ASSERT_EQ(CrearSuperTABLA_ELV(TableOf({{0.2, 0.4}, {0.5, 0.7}, {0.8, 0.9}}), *lookup), std::nullopt);
  EXPECT_EQ(lookup->SuperTablaYdeX()[19999], yOfX[19999]);
  EXPECT_EQ(lookup->SuperTablaYdeX()[80001], yOfX[80001]);
  EXPECT_EQ(lookup->SuperTablaXdeY()[39999], xOfY[39999]);
  EXPECT_EQ(lookup->SuperTablaXdeY()[90001], xOfY[90001]);
  EXPECT_NEAR(lookup->SuperTablaYdeX()[20000], 0.4, 1e-12);
  EXPECT_NEAR(lookup->SuperTablaYdeX()[80000], 0.9, 1e-12);
}

TEST(CrearSuperTABLA_ELV, RefusedTableLeavesTheLookupTablesAsTheyWere) {
  struct Case {
    const char* what;
    std::vector<std::pair<double, double>> rows;
    int error;
  };
  const Case cases[] = {
      {"repeated x", {{0, 0}, {0.3, 0.5}, {0.3, 0.6}, {1, 1}}, kErrDivisionByZero},
      {"repeated y", {{0, 0}, {0.3, 0.5}, {0.6, 0.5}, {1, 1}}, kErrDivisionByZero},
      {"decreasing x", {{0, 0}, {0.6, 0.5}, {0.3, 0.7}, {1, 1}}, kErrInvalidArgument},
      {"row beyond 1", {{0, 0}, {0.5, 0.7}, {1.2, 1}}, kErrSubscript},
      {"empty row inside the table", {{0, 0}, {-1, -1}, {1, 1}}, kErrSubscript},
      {"y = 1 before x = 1", {{0, 0}, {0.5, 0.7}, {0.9, 1}}, kErrDivisionByZero},
      {"only the two ends", {{0, 0}, {1, 1}}, kErrOverflow},
  };
  auto lookup = std::make_unique<EquilibriumLookup>();
  ASSERT_EQ(CrearSuperTABLA_ELV(ConstantAlphaTable(2.5), *lookup), std::nullopt);
  const std::vector<double> yOfX = lookup->SuperTablaYdeX();
  const std::vector<double> xOfY = lookup->SuperTablaXdeY();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<RuntimeError> refused = CrearSuperTABLA_ELV(TableOf(c.rows), *lookup);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->number, c.error);
    EXPECT_EQ(lookup->SuperTablaYdeX(), yOfX);
    EXPECT_EQ(lookup->SuperTablaXdeY(), xOfY);
  }
}

TEST(CrearSuperTABLA_ELV, TableWithZeroVolatilityIsRefusedRatherThanFilledWithNaN) {
  // y = 0 at x > 0 has volatility 0: y of x at x = 1 and x of y at y = 0 would be 0 / 0.
  auto lookup = std::make_unique<EquilibriumLookup>();
  const std::optional<RuntimeError> refused = CrearSuperTABLA_ELV(TableOf({{0.5, 0}, {1, 1}}), *lookup);
  ASSERT_TRUE(refused.has_value());
  EXPECT_EQ(refused->number, kErrOverflow);
  for (double v : lookup->SuperTablaYdeX()) ASSERT_EQ(v, 0.0);
}

}  // namespace
}  // namespace stagora
