// The rename run behind one click: form the plan, rename each entry in list
// order, then tell the user the run has finished.
#pragma once

#include <cstdint>

#include "rename/text.h"

namespace batch {

// The platform services a run needs, handed in by its caller.
class RenameServices {
 public:
  virtual ~RenameServices() = default;
  // Gives source the name target, never replacing an existing target. Both
  // views are followed by a NUL byte. Returns whether the rename happened.
  virtual bool RenameFile(TextView source, TextView target) = 0;
  // Shows the completion notice with this text; returns once it is dismissed.
  virtual void ShowCompletionNotice(TextView text) = 0;
};

struct RunResult {
  bool listWasEmpty = false;  // no line: nothing renamed, no notice shown
  std::int32_t attempted = 0;
  std::int32_t failed = 0;
};

// "OK" when every rename succeeded; otherwise "OK", CR LF and how many of how
// many could not be renamed, so that a failure is never reported as success.
Text CompletionNoticeText(std::int32_t failed, std::int32_t attempted);

RunResult BatchRename(TextView listText, TextView baseName, RenameServices& services);

}  // namespace batch
