#include "app/program.h"

#include <windows.h>
#include <ole2.h>

#include <memory>

#include "app/directory_of.h"
#include "app/program_directory.h"
#include "app/resource_ids.h"
#include "rename/program_texts.h"
#include "ui/main_window.h"
#include "ui/run_services.h"

namespace app {

namespace {

constexpr int kBuildFailedExitCode = -1;

// Process-wide state, alive from start to end.
struct ProgramState {
  bool oleInitialized = false;
  bool loopRunning = false;
  int windows = 0;  // the program's top-level windows that exist now
};

ProgramState state;

// Posts the quit request once the last window is gone and the loop runs.
void NoteWindowDestroyed() {
  --state.windows;
  if (state.windows == 0 && state.loopRunning) PostQuitMessage(0);
}

void MakeProgramDirectoryCurrent() {
  const batch::Text directory(DirectoryOf(ProgramPath(nullptr)));
  // On failure the program stays in the directory it was started in.
  if (!directory.empty()) SetCurrentDirectoryA(directory.c_str());
}

ui::WindowIcons LoadIcons(HINSTANCE instance) {
  auto load = [instance](int sizeMetric) {
    const int size = GetSystemMetrics(sizeMetric);
    // Shared icons belong to the system: nothing to destroy.
    return static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP_ICON), IMAGE_ICON, size, size, LR_SHARED));
  };
  return {load(SM_CXICON), load(SM_CXSMICON)};
}

int RunEventLoop(ui::MainWindow& mainWindow) {
  state.loopRunning = true;
  if (state.windows == 0) return 0;
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 0;  // only an invalid argument makes it fail; ours are fixed
    if (mainWindow.PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void ShutDown() {
  if (!state.oleInitialized) return;
  OleUninitialize();
  state.oleInitialized = false;
}

}  // namespace

int StartUp() {
  // Without OLE the program runs on, only the file list takes no drops.
  OleInitialize(nullptr);
  state.oleInitialized = true;
  MakeProgramDirectoryCurrent();

  const HINSTANCE instance = GetModuleHandleA(nullptr);
  ui::Win32RunServices services;
  ++state.windows;
  std::unique_ptr<ui::MainWindow> mainWindow =
      ui::MainWindow::Create(instance, services, LoadIcons(instance), &NoteWindowDestroyed);
  if (!mainWindow) {
    state.windows = 0;
    MessageBoxA(nullptr, texts::kWindowFailed, texts::kWindowTitle, MB_OK | MB_ICONERROR);
    ShutDown();
    return kBuildFailedExitCode;
  }

  const int code = RunEventLoop(*mainWindow);
  mainWindow.reset();
  ShutDown();
  return code;
}

}  // namespace app
