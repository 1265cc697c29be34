#include "ui/drop_effect.h"

#include <array>

namespace ui {

namespace {

std::uint32_t IfAllowed(std::uint32_t effect, std::uint32_t allowedEffects) {
  return (allowedEffects & effect) != 0 ? effect : drop::kEffectNone;
}

std::uint32_t PreferredAllowed(std::uint32_t allowedEffects) {
  constexpr std::array kPreference = {drop::kEffectCopy, drop::kEffectMove, drop::kEffectLink};
  for (const std::uint32_t effect : kPreference) {
    if ((allowedEffects & effect) != 0) return effect;
  }
  return drop::kEffectNone;
}

}  // namespace

std::uint32_t EffectFor(bool acceptable, std::uint32_t keyState, std::uint32_t allowedEffects) {
  if (!acceptable) return drop::kEffectNone;
  const bool control = (keyState & drop::kControlKey) != 0;
  const bool shift = (keyState & drop::kShiftKey) != 0;
  if (control && shift) return drop::kEffectNone;
  if (control) return IfAllowed(drop::kEffectCopy, allowedEffects);
  if (shift) return IfAllowed(drop::kEffectMove, allowedEffects);
  return PreferredAllowed(allowedEffects);
}

}  // namespace ui
