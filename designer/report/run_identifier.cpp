#include "designer/report/run_identifier.h"

#include <chrono>

namespace stagora {

int DrawRunIdentifier(std::mt19937& generator, const IdentifierTaken& taken) {
  std::uniform_int_distribution<int> number(kFirstRunIdentifier, kLastRunIdentifier);
  for (int draw = 0; draw < kRunIdentifierDraws; ++draw) {
    const int identifier = number(generator);
    if (!taken || !taken(identifier)) return identifier;
  }
  return 0;
}

std::mt19937 NewRunIdentifierGenerator() {
  std::random_device entropy;
  const auto tick = static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::seed_seq seed{entropy(), entropy(), tick};
  return std::mt19937(seed);
}

}  // namespace stagora
