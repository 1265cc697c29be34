// The start-up baselines: the least a Win32 program does to show a window
// with the tool's title (so that the same probe finds it), and a message
// loop that ends when the window is closed. Built a second time with
// WITH_PLATFORM_SETUP, it also does the platform work the tool must finish
// before its window shows: OLE initialised, the shell's drag-image helper
// created, an edit box registered as a drop target, and (through the tool's
// own manifest) version 6 of the common controls. Set against the first, the
// second tells how much of the tool's start-up that work takes.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include "rename/program_texts.h"

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

#ifdef WITH_PLATFORM_SETUP
// A drop target that takes nothing; it only has to be registered. It is
// reached only through Target(), so nothing deletes it as an IDropTarget.
class NoDropTarget final : private IDropTarget {
 public:
  IDropTarget* Target() { return this; }

 private:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return E_FAIL; }
};

// What the tool sets up before it shows; the process ends right after the
// loop, which releases the rest.
void SetUpAsTheToolDoes(HWND window, HINSTANCE instance) {
  static NoDropTarget target;
  IDropTargetHelper* helper = nullptr;
  CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDropTargetHelper,
                   reinterpret_cast<void**>(&helper));
  HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 1, 5, 376,
                              160, window, nullptr, instance, nullptr);
  RegisterDragDrop(edit, target.Target());
  if (helper != nullptr) helper->Release();
}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef WITH_PLATFORM_SETUP
  OleInitialize(nullptr);
#endif
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "MinimalWindow";
  if (RegisterClassA(&windowClass) == 0) return 1;
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, texts::kWindowTitle, WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 386, 244, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
#ifdef WITH_PLATFORM_SETUP
  SetUpAsTheToolDoes(window, instance);
#endif
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return static_cast<int>(message.wParam);
}
