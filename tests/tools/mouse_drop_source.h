// Ends a drag the way a mouse user does: drop when the left button comes
// up, cancel on Esc; the system draws the cursors.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace test_support {

class MouseDropSource final : private IDropSource {
 public:
  MouseDropSource() = default;
  MouseDropSource(const MouseDropSource&) = delete;
  MouseDropSource& operator=(const MouseDropSource&) = delete;

  IDropSource* Interface() { return this; }

 private:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
      *object = static_cast<IDropSource*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the program's stack for the whole drag.
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
    if (escapePressed) return DRAGDROP_S_CANCEL;
    if ((keyState & MK_LBUTTON) == 0) return DRAGDROP_S_DROP;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

  ULONG references_ = 1;
};

}  // namespace test_support
