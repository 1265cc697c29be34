// What a click on the rename button needs of the platform, handed to the main
// window by its creator so that tests can give it fakes.
#pragma once

#include "rename/batch_rename.h"

namespace ui {

class RunServices : public batch::RenameServices {
 public:
  // Tells the user the list was empty and nothing was renamed.
  virtual void ShowEmptyListMessage() = 0;
};

// MoveFileA and task-modal message boxes with no owner window.
class Win32RunServices final : public RunServices {
 public:
  bool RenameFile(batch::TextView source, batch::TextView target) override;
  void ShowCompletionNotice(batch::TextView text) override;
  void ShowEmptyListMessage() override;
};

}  // namespace ui
