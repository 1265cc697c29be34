// The rename plan: which path becomes which, in list order.
//
// Line i of the list text becomes <directory of line 1><base name><i>.<last
// three bytes of line 1>. Directory and extension come from line 1 alone.
#pragma once

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

#include "rename/text.h"

namespace batch {

struct PlanEntry {
  std::int32_t number;  // 1-based position of the line, empty lines included
  // Both views point into the plan's own storage and are followed there by a
  // NUL byte, so they can go straight to C file APIs.
  TextView source;
  TextView target;
};

// Owns one block holding every source and target; entries view into it, so
// moving a plan keeps them valid.
class RenamePlan {
 public:
  const std::vector<PlanEntry>& Entries() const { return entries_; }

 private:
  friend class PlanWriter;
  std::unique_ptr<char[]> storage_;
  std::vector<PlanEntry> entries_;
};

// The list text yielded no line.
struct IndexOutOfRange {};

using PlanResult = std::variant<RenamePlan, IndexOutOfRange>;

PlanResult FormRenamePlan(TextView listText, TextView baseName);

}  // namespace batch
