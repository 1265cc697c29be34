// The order in which Tab and Shift+Tab move the focus.
#pragma once

#include <algorithm>
#include <array>
#include <optional>

#include "ui/member_table.h"

namespace ui {

inline constexpr std::size_t kTabStops = static_cast<std::size_t>(
    std::count_if(kMembers.begin(), kMembers.end(), [](const MemberSpec& s) { return s.tabIndex != kNotInTabOrder; }));

// The members that take the focus by Tab, sorted by their tab index.
inline constexpr std::array<Member, kTabStops> kTabOrder = [] {
  std::array<Member, kTabStops> order{};
  for (const MemberSpec& spec : kMembers) {
    if (spec.tabIndex != kNotInTabOrder) order[static_cast<std::size_t>(spec.tabIndex)] = spec.member;
  }
  return order;
}();

// The member after `current` in tab order (before it, going backwards),
// wrapping around and skipping members for which `takesPart` is false (hidden
// or disabled). Without a current member, forward starts at the first member
// and backward at the last.
template <typename TakesPart>
std::optional<Member> NextInTabOrder(std::optional<Member> current, bool backwards, TakesPart takesPart) {
  constexpr int count = static_cast<int>(kTabOrder.size());
  const auto found = current ? std::find(kTabOrder.begin(), kTabOrder.end(), *current) : kTabOrder.end();
  const int position = found != kTabOrder.end() ? static_cast<int>(found - kTabOrder.begin()) : (backwards ? 0 : -1);
  for (int step = 1; step <= count; ++step) {
    const int index = ((position + (backwards ? -step : step)) % count + count) % count;
    const Member candidate = kTabOrder[static_cast<std::size_t>(index)];
    if (takesPart(candidate)) return candidate;
  }
  return std::nullopt;
}

}  // namespace ui
