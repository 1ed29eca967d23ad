// The vapour-liquid equilibrium of the design: the constant relative volatility, or the
// user's x-y table turned into two dense lookup tables so that every use during a drag is one
// array access.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "designer/calculation/guarded_math.h"

namespace stagora {

inline constexpr int kTableRows = 100;
inline constexpr double kEmptyTableValue = -1;
// The lookup tables hold the equilibrium at v = k / kLookupSteps, k = 0 .. kLookupSteps.
inline constexpr int kLookupSteps = 100000;

// The equilibrium table as the editor and the project files hand it over: rows 0 to
// UltimoPuntoTabla, expected within 0..1 and strictly increasing in x and in y.
struct EquilibriumTable {
  EquilibriumTable() {
    TablaX.fill(kEmptyTableValue);
    TablaY.fill(kEmptyTableValue);
  }
  std::array<double, kTableRows> TablaX;
  std::array<double, kTableRows> TablaY;
  int UltimoPuntoTabla = -1;  // -1: no table
};

// Index of v in a lookup table: v * kLookupSteps to the nearest whole number, halves to even;
// nothing when it falls outside 0 .. kLookupSteps.
std::optional<int> LookupIndex(double v);

// The two lookup tables of the main window. They start as all 0 and are only ever replaced
// by a successful CrearSuperTABLA_ELV.
class EquilibriumLookup {
 public:
  EquilibriumLookup();
  const std::vector<double>& SuperTablaYdeX() const { return yOfX_; }
  const std::vector<double>& SuperTablaXdeY() const { return xOfY_; }

 private:
  friend std::optional<RuntimeError> CrearSuperTABLA_ELV(const EquilibriumTable&, EquilibriumLookup&);
  std::vector<double> yOfX_, xOfY_;
  std::vector<double> spareYofX_, spareXofY_;  // built into, then swapped in
};

// Rebuilds the lookup tables from the rows of the table, the relative volatility interpolated
// linearly between rows. A table of fewer than two rows changes nothing. A table the tables
// cannot be built from (a row outside 0..1, rows not strictly increasing in x and in y, a
// local volatility or a table value that cannot be computed) is refused with the run-time
// error it meets, and the lookup tables stay exactly as they were.
std::optional<RuntimeError> CrearSuperTABLA_ELV(const EquilibriumTable& table, EquilibriumLookup& lookup);

// Which equilibrium the calculation uses: alpha, or the lookup tables (table mode).
class EquilibriumModel {
 public:
  static EquilibriumModel Volatility(double alpha) { return EquilibriumModel(alpha, nullptr, false); }
  // Without lookup tables every lookup fails as an index out of range.
  static EquilibriumModel Table(const EquilibriumLookup* lookup) { return EquilibriumModel(0, lookup, true); }

  bool UsarTabla() const { return table_; }
  double alpha() const { return alpha_; }
  const EquilibriumLookup* lookup() const { return lookup_; }

  // The equilibrium y of a liquid x, and x of a vapour y.
  Outcome YdeX(double x) const;
  Outcome XdeY(double y) const;

 private:
  EquilibriumModel(double alpha, const EquilibriumLookup* lookup, bool table)
      : alpha_(alpha), lookup_(lookup), table_(table) {}
  double alpha_;
  const EquilibriumLookup* lookup_;
  bool table_;
};

// The relative-volatility model.
Outcome VolatilityYdeX(double alpha, double x);
Outcome VolatilityXdeY(double alpha, double y);
// Element LookupIndex(v) of a lookup table, or a subscript error.
Outcome LookupAt(const std::vector<double>& table, double v);

}  // namespace stagora
