#include "rename/batch_rename.h"

#include <variant>

#include "rename/program_texts.h"
#include "rename/rename_plan.h"

namespace batch {

Text CompletionNoticeText(std::int32_t failed, std::int32_t attempted) {
  Text text = texts::kNoticeDone;
  if (failed == 0) return text;
  text += "\r\n";
  text += DecimalText(failed);
  text += texts::kFailedMiddle;
  text += DecimalText(attempted);
  text += texts::kFailedEnd;
  return text;
}

RunResult BatchRename(TextView listText, TextView baseName, RenameServices& services) {
  const PlanResult formed = FormRenamePlan(listText, baseName);
  const auto* plan = std::get_if<RenamePlan>(&formed);
  if (plan == nullptr) return RunResult{.listWasEmpty = true};

  RunResult result;
  for (const PlanEntry& entry : plan->Entries()) {
    ++result.attempted;
    if (!services.RenameFile(entry.source, entry.target)) ++result.failed;
  }
  services.ShowCompletionNotice(CompletionNoticeText(result.failed, result.attempted));
  return result;
}

}  // namespace batch
