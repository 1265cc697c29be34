#include "ui/run_services.h"

#include <windows.h>

#include <climits>

#include "rename/program_texts.h"

namespace ui {

namespace {

// Task-modal: every window of this thread stays disabled until the box is
// dismissed, so no second run can start meanwhile. What it returns is of no use.
void ShowInformation(const char* text) {
  MessageBoxA(nullptr, text, texts::kNoticeCaption, MB_OK | MB_TASKMODAL);
}

// The longest path Windows knows, in UTF-16 code units: the length of its
// counted strings. A longer name must be refused here, since not every
// implementation of the ANSI file calls refuses it: Wine's cuts the name to
// its length modulo 65,536 bytes and renames the file to that.
constexpr int kLongestPath = 32'767;

bool FitsInAWindowsPath(batch::TextView path) {
  // No path of this many bytes or fewer can have more code units.
  if (path.size() <= static_cast<std::size_t>(kLongestPath)) return true;
  if (path.size() > static_cast<std::size_t>(INT_MAX)) return false;
  const int units = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  return units > 0 && units <= kLongestPath;
}

}  // namespace

bool Win32RunServices::RenameFile(batch::TextView source, batch::TextView target) {
  if (!FitsInAWindowsPath(source) || !FitsInAWindowsPath(target)) return false;
  // Both views are NUL-terminated. MoveFileA never replaces an existing target.
  return MoveFileA(source.data(), target.data()) != FALSE;
}

void Win32RunServices::ShowCompletionNotice(batch::TextView text) {
  ShowInformation(batch::Text(text).c_str());
}

void Win32RunServices::ShowEmptyListMessage() { ShowInformation(texts::kEmptyList); }

}  // namespace ui
