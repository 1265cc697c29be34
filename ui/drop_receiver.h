// Makes the file list's window an OLE drop target for lists of files: a drop
// hands the dropped paths, as text, to the handler given at construction.
// Nothing is done to the dropped items and nothing of the drag is shown,
// except the drag image the shell's helper draws.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <atomic>
#include <functional>
#include <string_view>

#include "ui/com_ptr.h"

namespace ui {

// The IDropTarget is this object itself (privately, so only Target() hands
// it out); its reference count starts at 1, held by the object, and never
// ends its life.
class DropReceiver final : private IDropTarget {
 public:
  // The text is valid only during the call.
  using FilesDroppedHandler = std::function<void(std::string_view droppedFileText)>;

  explicit DropReceiver(FilesDroppedHandler filesDropped);
  // Withdraws the registration, so the window must still exist.
  ~DropReceiver();

  DropReceiver(const DropReceiver&) = delete;
  DropReceiver& operator=(const DropReceiver&) = delete;

  // Registers the target for `window`; only the first call binds. False when
  // already bound or when registration fails (the window stays bound then).
  bool BindTarget(HWND window);

  // The interface the platform sees; it lives exactly as long as this object.
  IDropTarget* Target();

 private:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

  HRESULT DropFiles(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect);

  FilesDroppedHandler filesDropped_;
  HWND boundWindow_ = nullptr;
  bool acceptable_ = false;
  ComPtr<IDropTargetHelper> dragImageHelper_;
  std::atomic<ULONG> references_{1};
};

}  // namespace ui
