#include "designer/calculation/operating_lines.h"

#include <bit>
#include <cstdint>

namespace stagora {

bool IsVerticalSlope(double m) {
  return std::bit_cast<std::uint64_t>(m) == std::bit_cast<std::uint64_t>(kVerticalSlope);
}

std::string_view ComputeOperatingLines(const DesignData& d, OperatingLines& l, GuardedMath& math) {
  math.set(l.mE, Quotient(d.R, d.R + 1));
  math.set(l.bE, Quotient(d.xD, d.R + 1));
  if (d.q == 1) {
    l.mQ = kVerticalSlope;
  } else {
    math.set(l.mQ, Quotient(d.q, d.q - 1));
    math.set(l.bQ, Quotient(-d.zF, d.q - 1));
  }
  if (d.q + d.R == 0) return calc_key::kUnknowError;
  // For q = 1 this gives xq = zF.
  math.set(l.xq, Quotient((d.R + 1) * d.zF + (d.q - 1) * d.xD, d.q + d.R));
  math.set(l.yq, l.mE * l.xq + l.bE);
  if (l.xq <= d.xB) return calc_key::kOperLinesInterBelowBott;
  math.set(l.mS, Quotient(l.yq - d.xB, l.xq - d.xB));
  math.set(l.bS, d.xB - d.xB * l.mS);
  return {};
}

}  // namespace stagora
