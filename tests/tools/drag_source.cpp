// A drag source for the end-to-end tests: shows a small window titled
// "drag-source"; pressing the left button in it starts an OLE drag of the
// given files (the shell's file list, ANSI paths). When the drag ends it
// prints the DoDragDrop result and the chosen effect and exits.
//
//   drag_source [--at X Y] [--size W H] [--effects N] PATH...
//
// Prints "ready" once the window is shown, "dragging" as the drag starts and
// "result=0xHHHHHHHH effect=N" when it ends, each line flushed at once, so a
// driver can wait for each step.
#include <windows.h>
#include <ole2.h>

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/tools/file_list_data_object.h"
#include "tests/tools/mouse_drop_source.h"

namespace {

constexpr char kClassName[] = "DragSourceWindow";
constexpr char kTitle[] = "drag-source";

struct Options {
  int x = 0;
  int y = 0;
  int width = 120;
  int height = 80;
  DWORD effects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  std::vector<std::string> paths;
};

std::optional<long> NumberOf(std::string_view text) {
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const auto next = [&]() -> std::optional<long> {
      return i + 1 < argc ? NumberOf(argv[++i]) : std::nullopt;
    };
    if (arg == "--at" || arg == "--size") {
      const std::optional<long> first = next();
      const std::optional<long> second = next();
      if (!first || !second) return std::nullopt;
      (arg == "--at" ? options.x : options.width) = static_cast<int>(*first);
      (arg == "--at" ? options.y : options.height) = static_cast<int>(*second);
    } else if (arg == "--effects") {
      const std::optional<long> effects = next();
      if (!effects) return std::nullopt;
      options.effects = static_cast<DWORD>(*effects);
    } else {
      options.paths.emplace_back(arg);
    }
  }
  return options;
}

// What a press in the window drags.
struct DragRequest {
  IDataObject* data;
  IDropSource* source;
  DWORD effects;
};

void RunDrag(const DragRequest& request) {
  std::printf("dragging\n");
  std::fflush(stdout);
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT result = DoDragDrop(request.data, request.source, request.effects, &effect);
  std::printf("result=0x%08lX effect=%lu\n", static_cast<unsigned long>(result),
              static_cast<unsigned long>(effect));
  std::fflush(stdout);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_LBUTTONDOWN:
      RunDrag(*reinterpret_cast<const DragRequest*>(GetWindowLongPtrA(window, GWLP_USERDATA)));
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// OLE stays initialised for the program's life.
class OleScope {
 public:
  OleScope() : result_(OleInitialize(nullptr)) {}
  ~OleScope() {
    if (SUCCEEDED(result_)) OleUninitialize();
  }
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;
  bool Ok() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

HWND CreateSourceWindow(const Options& options, DragRequest& request) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = GetSysColorBrush(COLOR_HIGHLIGHT);
  windowClass.lpszClassName = kClassName;
  if (RegisterClassExA(&windowClass) == 0) return nullptr;
  // A popup has no frame, so its client area sits exactly at --at.
  return CreateWindowExA(WS_EX_TOPMOST, kClassName, kTitle, WS_POPUP | WS_VISIBLE, options.x, options.y,
                         options.width, options.height, nullptr, nullptr, instance, &request);
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr, "usage: drag_source [--at X Y] [--size W H] [--effects N] PATH...\n");
    return 2;
  }
  const OleScope ole;
  test_support::FileListDataObject data(options->paths);
  test_support::MouseDropSource source;
  if (!ole.Ok() || !data.Ready()) return 1;

  DragRequest request{data.Interface(), source.Interface(), options->effects};
  const HWND window = CreateSourceWindow(*options, request);
  if (window == nullptr) return 1;
  SetForegroundWindow(window);
  std::printf("ready\n");
  std::fflush(stdout);
  return RunMessageLoop();
}
