// Which drop effect a drag over the file list gets, from whether the data
// offers a file list, the modifier keys and the effects the source allows.
// Kept free of <windows.h> so that it is tested natively; the constants equal
// the Win32 MK_* and DROPEFFECT_* values (drop_receiver.cpp checks that).
#pragma once

#include <cstdint>

namespace ui {

namespace drop {
inline constexpr std::uint32_t kControlKey = 0x8;  // MK_CONTROL
inline constexpr std::uint32_t kShiftKey = 0x4;    // MK_SHIFT
inline constexpr std::uint32_t kEffectNone = 0;    // DROPEFFECT_NONE
inline constexpr std::uint32_t kEffectCopy = 1;    // DROPEFFECT_COPY
inline constexpr std::uint32_t kEffectMove = 2;    // DROPEFFECT_MOVE
inline constexpr std::uint32_t kEffectLink = 4;    // DROPEFFECT_LINK
}  // namespace drop

// Only Ctrl and Shift count: none of them prefers copy, then move, then link;
// Ctrl alone asks for copy, Shift alone for move, both together for nothing.
// Every other bit of keyState (Alt, mouse buttons) is ignored.
std::uint32_t EffectFor(bool acceptable, std::uint32_t keyState, std::uint32_t allowedEffects);

// A drop goes on exactly when its effect is not none.
constexpr bool DropMayGoOn(std::uint32_t effect) { return effect != drop::kEffectNone; }

}  // namespace ui
