// A data object as a drag source would offer it: either the shell's file
// list (CF_HDROP) or only text, optionally failing GetData. It counts its
// references and the calls made to it, and it hands its block out with
// itself as pUnkForRelease, so a medium that is never released shows up as
// a reference that never comes back.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/file_list_block.h"

namespace test_support {

class FakeDataObject final : private IDataObject {
 public:
  static FakeDataObject FileList(const std::vector<std::string>& paths) {
    return FakeDataObject(CF_HDROP, FileListBlock(paths));
  }
  static FakeDataObject TextOnly(const std::string& text) { return FakeDataObject(CF_TEXT, TextBlock(text)); }

  FakeDataObject(const FakeDataObject&) = delete;
  FakeDataObject& operator=(const FakeDataObject&) = delete;

  IDataObject* Interface() { return this; }

  void FailGetData() { failGetData_ = true; }
  // Each call appends its name here, so order against other fakes shows.
  void LogCallsTo(std::vector<std::string>* log) { log_ = log; }

  ULONG References() const { return references_; }
  int QueryGetDataCalls() const { return queryGetDataCalls_; }
  int GetDataCalls() const { return getDataCalls_; }

 private:
  FakeDataObject(CLIPFORMAT format, GlobalBlock block) : format_(format), block_(std::move(block)) {}

  bool Offers(const FORMATETC& f) const {
    return f.cfFormat == format_ && f.ptd == nullptr && f.dwAspect == DVASPECT_CONTENT && f.lindex == -1 &&
           (f.tymed & TYMED_HGLOBAL) != 0;
  }
  void Log(const char* call) {
    if (log_ != nullptr) log_->emplace_back(call);
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *object = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    ++getDataCalls_;
    Log("data.GetData");
    if (format == nullptr || medium == nullptr) return E_INVALIDARG;
    if (failGetData_) return E_FAIL;
    if (!Offers(*format)) return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block_.Get();
    medium->pUnkForRelease = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    ++queryGetDataCalls_;
    Log("data.QueryGetData");
    return format != nullptr && Offers(*format) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out != nullptr) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC** out) override {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  CLIPFORMAT format_;
  GlobalBlock block_;
  bool failGetData_ = false;
  std::vector<std::string>* log_ = nullptr;
  ULONG references_ = 1;
  int queryGetDataCalls_ = 0;
  int getDataCalls_ = 0;
};

}  // namespace test_support
