#include "level/IndicatorSprites.h"

namespace {
constexpr std::string_view kSelectorSuffixes[IndicatorSprites::kSelectorSlots] = {
    "_bld", "_kal", "_med", "_peg", "_cer", "_cyc", "_har", "_lio", "_meg"};
}

std::optional<WorldObject>* IndicatorSprites::SlotFor(std::string_view id) {
  const auto contains = [&](std::string_view part) { return id.find(part) != id.npos; };
  if (id.starts_with("respawn")) return contains("_sec") ? &respawnLinked : &respawn;
  if (id.starts_with("queue")) return &queue;
  if (id.starts_with("selector")) {
    for (int slot = 0; slot < kSelectorSlots; ++slot) {
      if (contains(kSelectorSuffixes[slot])) return &selectors[size_t(slot)];
    }
    return &defaultSelector;
  }
  if (id.starts_with("objective")) return &objective;
  return nullptr;
}

const std::optional<WorldObject>& IndicatorSprites::SelectorFor(int slot) const {
  if (slot >= 0 && slot < kSelectorSlots && selectors[size_t(slot)]) {
    return selectors[size_t(slot)];
  }
  return defaultSelector;
}
