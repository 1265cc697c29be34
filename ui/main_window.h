// The program's only window: the file list, the base-name box with its
// caption, the rename button, and the drop target on the file list.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "ui/member_table.h"
#include "ui/run_services.h"

namespace ui {

class DropReceiver;

struct WindowIcons {
  HICON large = nullptr;
  HICON small = nullptr;
};

class MainWindow {
 public:
  using DestroyedHandler = std::function<void()>;

  // Builds the window, raises WindowLoaded (which binds the drop target) and
  // shows it. Returns nullptr when the window cannot be built. `services`
  // must outlive the window; `onDestroyed` runs once the window and its
  // members are gone.
  static std::unique_ptr<MainWindow> Create(HINSTANCE instance, RunServices& services,
                                            const WindowIcons& icons, DestroyedHandler onDestroyed);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Null once the window has been destroyed.
  HWND Handle() const { return window_; }
  HWND MemberWindow(Member member) const { return members_[static_cast<std::size_t>(member)]; }

  // Looks at a message before it is translated and dispatched: Tab and
  // Shift+Tab move the focus, Esc closes the window, Enter presses a default
  // button if there is one. Returns true when the message was consumed.
  bool PreTranslateMessage(const MSG& message);

 private:
  MainWindow(RunServices& services, DestroyedHandler onDestroyed);

  bool Build(HINSTANCE instance, const WindowIcons& icons);
  bool CreateMembers(HINSTANCE instance);
  void OnWindowLoaded();

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int controlId, int notification);
  void OnRenameClicked();
  void OnFilesDropped(batch::TextView droppedFileText);
  void PaintLabel(const DRAWITEMSTRUCT& item) const;
  void OnActivate(bool active);
  void RestoreFocus();
  void OnNcDestroy();

  bool MoveFocus(bool backwards);
  bool PressDefaultButton();
  const MemberSpec* SpecOf(HWND window) const;

  RunServices& services_;
  DestroyedHandler onDestroyed_;
  HWND window_ = nullptr;
  std::array<HWND, kMembers.size()> members_{};
  HWND focusWhenDeactivated_ = nullptr;
  HFONT font_ = nullptr;
  std::unique_ptr<DropReceiver> dropReceiver_;
};

}  // namespace ui
