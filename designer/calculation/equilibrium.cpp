#include "designer/calculation/equilibrium.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cmath>
#include <limits>
#include <utility>

namespace stagora {

namespace {

constexpr double kSteps = kLookupSteps;

bool InUnitRange(double v) { return v >= 0 && v <= 1; }

// ((1 - x) * y / x) / (1 - y): the relative volatility that puts (x, y) on the curve.
Outcome LocalVolatility(double x, double y) { return Quotient(Quotient((1 - x) * y, x), 1 - y); }

// Where a row's range of grid elements begins or ends (the value is within 0..1).
int GridIndex(double v) { return static_cast<int>(std::floor(v * kSteps + 0.5)); }

// One table segment and the volatilities at its two ends.
struct Segment {
  double x1, y1, x2, y2;
  double alpha1, alpha2;
};

// The fill loops are most of the rebuild; where the processor has wider vectors, use them.
// Every operation stays one correctly rounded IEEE operation (the core is built without
// fused multiply-add), so the values do not change.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#define STAGORA_VECTOR_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define STAGORA_VECTOR_CLONES
#endif

// k / kSteps for every grid element, computed once: a division per element would cost as much
// as the rest of the rebuild.
const std::vector<double>& GridValues() {
  static const std::vector<double> grid = [] {
    std::vector<double> g(kLookupSteps + 1);
    for (int k = 0; k <= kLookupSteps; ++k) g[static_cast<std::size_t>(k)] = k / kSteps;
    return g;
  }();
  return grid;
}

// Non-zero when v is infinite or NaN (all exponent bits set). Written with integer operations
// so that the fill loops below vectorise.
inline std::uint64_t NotFinite(double v) {
  constexpr std::uint64_t kExponent = 0x7ff0000000000000ull;
  constexpr std::uint64_t kExponentOne = 0x0010000000000000ull;
  constexpr std::uint64_t kSign = 0x8000000000000000ull;
  return ((std::bit_cast<std::uint64_t>(v) & kExponent) + kExponentOne) & kSign;
}

// The volatility interpolated linearly from a1 at v1 with the given slope.
inline double Interpolated(double a1, double v1, double slope, double v) { return a1 + (v - v1) * slope; }

// Both tables are rebuilt whole on every call, so these loops take every value by copy and
// have no branches: that lets the compiler vectorise them. They tell whether every value they
// wrote is finite.
STAGORA_VECTOR_CLONES bool FillYdeX(double* out, const double* grid, int k1, int k2, double a1, double x1,
                                    double slope) {
  std::uint64_t bad = 0;
  for (int k = k1; k <= k2; ++k) {
    const double x = grid[k];
    const double a = Interpolated(a1, x1, slope, x);
    out[k] = a * x / ((a - 1) * x + 1);
    bad |= NotFinite(out[k]);
  }
  return bad == 0;
}

STAGORA_VECTOR_CLONES bool FillXdeY(double* out, const double* grid, int k1, int k2, double a1, double y1,
                                    double slope) {
  std::uint64_t bad = 0;
  for (int k = k1; k <= k2; ++k) {
    const double y = grid[k];
    const double a = Interpolated(a1, y1, slope, y);
    out[k] = y / (a + (1 - a) * y);
    bad |= NotFinite(out[k]);
  }
  return bad == 0;
}

// The run-time error of the first value of a failed range that cannot be had.
template <typename Num, typename Den>
int FirstFailure(int k1, int k2, Num num, Den den) {
  for (int k = k1; k <= k2; ++k) {
    const double v = k / kSteps;
    const Outcome o = Quotient(num(v), den(v));
    if (!o.ok()) return o.error;
  }
  return kErrOverflow;
}

// Copies the elements of `from` outside first..last into `to`.
void KeepOutside(const std::vector<double>& from, std::vector<double>& to, int first, int last) {
  std::copy(from.begin(), from.begin() + first, to.begin());
  std::copy(from.begin() + last + 1, from.end(), to.begin() + last + 1);
}

}  // namespace

std::optional<int> LookupIndex(double v) {
  // nearbyint rounds halves to even in the default rounding mode.
  const double k = std::nearbyint(v * kSteps);
  if (!(k >= 0 && k <= kSteps)) return std::nullopt;
  return static_cast<int>(k);
}

Outcome LookupAt(const std::vector<double>& table, double v) {
  const std::optional<int> k = LookupIndex(v);
  if (!k || static_cast<std::size_t>(*k) >= table.size()) return {0, kErrSubscript};
  return {table[static_cast<std::size_t>(*k)], 0};
}

Outcome VolatilityYdeX(double alpha, double x) { return Quotient(alpha * x, (alpha - 1) * x + 1); }

Outcome VolatilityXdeY(double alpha, double y) { return Quotient(y, alpha + (1 - alpha) * y); }

Outcome EquilibriumModel::YdeX(double x) const {
  if (!table_) return VolatilityYdeX(alpha_, x);
  if (lookup_ == nullptr) return {0, kErrSubscript};
  return LookupAt(lookup_->SuperTablaYdeX(), x);
}

Outcome EquilibriumModel::XdeY(double y) const {
  if (!table_) return VolatilityXdeY(alpha_, y);
  if (lookup_ == nullptr) return {0, kErrSubscript};
  return LookupAt(lookup_->SuperTablaXdeY(), y);
}

EquilibriumLookup::EquilibriumLookup()
    : yOfX_(kLookupSteps + 1, 0.0), xOfY_(kLookupSteps + 1, 0.0) {}

std::optional<RuntimeError> CrearSuperTABLA_ELV(const EquilibriumTable& table, EquilibriumLookup& lookup) {
  const int last = table.UltimoPuntoTabla;
  if (last < 1) return std::nullopt;
  if (last >= kTableRows) return MakeRuntimeError(kErrSubscript);
  const auto& tx = table.TablaX;
  const auto& ty = table.TablaY;

  // Everything that can go wrong is found before a single element changes, so a refused
  // table never leaves half-built lookup tables behind.
  for (int i = 0; i <= last; ++i) {
    if (!InUnitRange(tx[i]) || !InUnitRange(ty[i])) return MakeRuntimeError(kErrSubscript);
  }
  std::vector<Segment> segments;
  segments.reserve(static_cast<std::size_t>(last));
  for (int i = 0; i < last; ++i) {
    Segment s{tx[i], ty[i], tx[i + 1], ty[i + 1], 0, 0};
    if (s.x2 == s.x1 || s.y2 == s.y1) return MakeRuntimeError(kErrDivisionByZero);
    if (s.x2 < s.x1 || s.y2 < s.y1) return MakeRuntimeError(kErrInvalidArgument);
    // At x = 0 and x = 1 the local volatility is 0 / 0; the neighbouring row's stands in.
    const Outcome own1 = s.x1 == 0 ? LocalVolatility(tx[1], ty[1]) : LocalVolatility(s.x1, s.y1);
    const Outcome own2 = s.x2 == 1 ? LocalVolatility(s.x1, s.y1) : LocalVolatility(s.x2, s.y2);
    if (!own1.ok()) return MakeRuntimeError(own1.error);
    if (!own2.ok()) return MakeRuntimeError(own2.error);
    s.alpha1 = own1.value;
    s.alpha2 = own2.value;
    segments.push_back(s);
  }

  auto& yOfX = lookup.spareYofX_;
  auto& xOfY = lookup.spareXofY_;
  yOfX.resize(lookup.yOfX_.size());
  xOfY.resize(lookup.xOfY_.size());
  KeepOutside(lookup.yOfX_, yOfX, GridIndex(tx[0]), GridIndex(tx[last]));
  KeepOutside(lookup.xOfY_, xOfY, GridIndex(ty[0]), GridIndex(ty[last]));

  for (const Segment& s : segments) {
    // y of x with the volatility interpolated along x, x of y with it interpolated along y.
    const double sx = (s.alpha2 - s.alpha1) / (s.x2 - s.x1);
    const double sy = (s.alpha2 - s.alpha1) / (s.y2 - s.y1);
    const int kx1 = GridIndex(s.x1), kx2 = GridIndex(s.x2);
    const int ky1 = GridIndex(s.y1), ky2 = GridIndex(s.y2);
    if (!FillYdeX(yOfX.data(), GridValues().data(), kx1, kx2, s.alpha1, s.x1, sx)) {
      return MakeRuntimeError(FirstFailure(
          kx1, kx2, [&](double x) { return Interpolated(s.alpha1, s.x1, sx, x) * x; },
          [&](double x) { return (Interpolated(s.alpha1, s.x1, sx, x) - 1) * x + 1; }));
    }
    if (!FillXdeY(xOfY.data(), GridValues().data(), ky1, ky2, s.alpha1, s.y1, sy)) {
      return MakeRuntimeError(FirstFailure(
          ky1, ky2, [](double y) { return y; },
          [&](double y) {
            const double a = Interpolated(s.alpha1, s.y1, sy, y);
            return a + (1 - a) * y;
          }));
    }
  }

  std::swap(lookup.yOfX_, yOfX);
  std::swap(lookup.xOfY_, xOfY);
  return std::nullopt;
}

}  // namespace stagora
