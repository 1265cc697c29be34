#include "ui/run_services.h"

#include <windows.h>

#include "rename/program_texts.h"

namespace ui {

namespace {

// Task-modal: every window of this thread stays disabled until the box is
// dismissed, so no second run can start meanwhile. What it returns is of no use.
void ShowInformation(const char* text) {
  MessageBoxA(nullptr, text, texts::kNoticeCaption, MB_OK | MB_TASKMODAL);
}

}  // namespace

bool Win32RunServices::RenameFile(batch::TextView source, batch::TextView target) {
  // Both views are NUL-terminated. MoveFileA never replaces an existing target.
  return MoveFileA(source.data(), target.data()) != FALSE;
}

void Win32RunServices::ShowCompletionNotice(batch::TextView text) {
  ShowInformation(batch::Text(text).c_str());
}

void Win32RunServices::ShowEmptyListMessage() { ShowInformation(texts::kEmptyList); }

}  // namespace ui
