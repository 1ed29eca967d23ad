#include "viewer/engine/engine_state.h"

namespace stagora::engine {

CajaHTFC& EngineState::TablaCajas(long box) {
  if (box < 0) {
    scratchBox_ = CajaHTFC{};
    return scratchBox_;
  }
  const auto n = static_cast<std::size_t>(box);
  if (boxes_.size() <= n) boxes_.resize(n + 1);
  return boxes_[n];
}

long EngineState::SubcajasHTFC(long box, long part) const {
  if (box < 0 || part < 0) return 0;
  const auto b = static_cast<std::size_t>(box), k = static_cast<std::size_t>(part);
  if (b >= parts_.size() || k >= parts_[b].size()) return 0;
  return parts_[b][k];
}

void EngineState::SetSubcajasHTFC(long box, long part, long number) {
  if (box < 0 || part < 0) return;
  const auto b = static_cast<std::size_t>(box), k = static_cast<std::size_t>(part);
  if (parts_.size() <= b) parts_.resize(b + 1);
  if (parts_[b].size() <= k) parts_[b].resize(k + 1, 0);
  parts_[b][k] = number;
}

void SetFontSizeChecked(plat::Surface& target, double points) {
  if (points > 0 && points <= kMaxFontSize) target.setFontSize(points);
}

void SetFontNameChecked(plat::Surface& target, std::string_view name) {
  if (!name.empty() && name.size() <= kMaxFontNameLength) target.setFontName(std::string(name));
}

SavedFont SaveFont(const plat::Surface& target) {
  return SavedFont{target.font().name, target.font().size, target.font().italic};
}

void RestoreFont(plat::Surface& target, const SavedFont& saved) {
  target.setFontName(saved.name);
  target.setFontSize(saved.size);
  target.setFontItalic(saved.italic);
}

}  // namespace stagora::engine
