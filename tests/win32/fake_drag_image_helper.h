// Stands in for the shell's drag-image helper: while it lives, its factory is
// the process's class object for CLSID_DragDropHelper, so a DropReceiver
// built meanwhile gets this helper from its own CoCreateInstance. Records
// what it is told and counts the references others hold to it.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

namespace test_support {

struct HelperCall {
  std::string name;
  HWND window = nullptr;
  IDataObject* data = nullptr;
  POINT point{};
  DWORD effect = 0;
};

class FakeDragImageHelper final : private IDropTargetHelper {
 public:
  // refuse: the factory fails, as when the system offers no helper.
  explicit FakeDragImageHelper(bool refuse = false) : factory_(*this, refuse) {
    registered_ = SUCCEEDED(CoRegisterClassObject(CLSID_DragDropHelper, factory_.Interface(),
                                                  CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_));
  }
  ~FakeDragImageHelper() {
    if (registered_) CoRevokeClassObject(cookie_);
  }
  FakeDragImageHelper(const FakeDragImageHelper&) = delete;
  FakeDragImageHelper& operator=(const FakeDragImageHelper&) = delete;

  bool Registered() const { return registered_; }
  int InstancesHandedOut() const { return instancesHandedOut_; }
  ULONG References() const { return references_; }
  const std::vector<HelperCall>& Calls() const { return calls_; }
  void LogCallsTo(std::vector<std::string>* log) { log_ = log; }

 private:
  class Factory final : private IClassFactory {
   public:
    Factory(FakeDragImageHelper& helper, bool refuse) : helper_(helper), refuse_(refuse) {}
    IClassFactory* Interface() { return this; }

   private:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
      if (object == nullptr) return E_POINTER;
      if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
      }
      *object = nullptr;
      return E_NOINTERFACE;
    }
    // COM holds the factory only while it is registered, inside the helper's life.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
      if (object == nullptr) return E_POINTER;
      *object = nullptr;
      if (outer != nullptr) return CLASS_E_NOAGGREGATION;
      if (refuse_) return E_OUTOFMEMORY;
      ++helper_.instancesHandedOut_;
      return helper_.QueryInterface(iid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

    FakeDragImageHelper& helper_;
    bool refuse_;
  };

  void Record(HelperCall call) {
    if (log_ != nullptr) log_->push_back("helper." + call.name);
    calls_.push_back(std::move(call));
  }
  static POINT PointAt(const POINT* point) { return point != nullptr ? *point : POINT{}; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTargetHelper)) {
      *object = static_cast<IDropTargetHelper*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  HRESULT STDMETHODCALLTYPE DragEnter(HWND window, IDataObject* data, POINT* point, DWORD effect) override {
    Record({"DragEnter", window, data, PointAt(point), effect});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    Record({"DragLeave"});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(POINT* point, DWORD effect) override {
    Record({"DragOver", nullptr, nullptr, PointAt(point), effect});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, POINT* point, DWORD effect) override {
    Record({"Drop", nullptr, data, PointAt(point), effect});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Show(BOOL) override { return S_OK; }

  Factory factory_;
  bool registered_ = false;
  DWORD cookie_ = 0;
  int instancesHandedOut_ = 0;
  ULONG references_ = 0;
  std::vector<HelperCall> calls_;
  std::vector<std::string>* log_ = nullptr;
};

}  // namespace test_support
