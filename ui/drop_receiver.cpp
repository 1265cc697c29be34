#include "ui/drop_receiver.h"

#include <shellapi.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/drop_effect.h"
#include "ui/dropped_file_text.h"
#include "ui/stg_medium.h"

namespace ui {

static_assert(drop::kControlKey == MK_CONTROL && drop::kShiftKey == MK_SHIFT);
static_assert(drop::kEffectNone == DROPEFFECT_NONE && drop::kEffectCopy == DROPEFFECT_COPY &&
              drop::kEffectMove == DROPEFFECT_MOVE && drop::kEffectLink == DROPEFFECT_LINK);

namespace {

// The only data the list takes: the shell's file list in global memory.
FORMATETC FileListFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

std::string PathAt(HDROP drop, UINT index) {
  const UINT length = DragQueryFileA(drop, index, nullptr, 0);
  std::string path(std::size_t{length} + 1, '\0');
  const UINT copied = DragQueryFileA(drop, index, path.data(), length + 1);
  path.resize(copied);
  return path;
}

std::vector<std::string> PathsIn(HDROP drop) {
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> paths;
  for (UINT index = 0; index < count; ++index) paths.push_back(PathAt(drop, index));
  return paths;
}

// The medium is given back before the paths go to the handler.
std::optional<std::vector<std::string>> DroppedPaths(IDataObject& data) {
  FORMATETC format = FileListFormat();
  STGMEDIUM raw{};
  if (FAILED(data.GetData(&format, &raw))) return std::nullopt;
  const StgMedium medium(raw);
  if (medium.Get().tymed != TYMED_HGLOBAL || medium.Get().hGlobal == nullptr) return std::nullopt;
  return PathsIn(static_cast<HDROP>(medium.Get().hGlobal));
}

POINT ScreenPoint(POINTL point) { return {point.x, point.y}; }

}  // namespace

DropReceiver::DropReceiver(FilesDroppedHandler filesDropped) : filesDropped_(std::move(filesDropped)) {
  // Without the helper a drag just shows no image; nothing else needs it.
  if (FAILED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDropTargetHelper,
                              dragImageHelper_.PutVoid()))) {
    dragImageHelper_.Reset();
  }
}

DropReceiver::~DropReceiver() {
  // Gives the platform's references back before the interface goes. Fails
  // harmlessly when the registration itself had failed.
  if (boundWindow_ != nullptr) RevokeDragDrop(boundWindow_);
}

bool DropReceiver::BindTarget(HWND window) {
  if (boundWindow_ != nullptr) return false;
  boundWindow_ = window;
  return RegisterDragDrop(window, this) == S_OK;
}

IDropTarget* DropReceiver::Target() { return this; }

HRESULT DropReceiver::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DropReceiver::AddRef() { return ++references_; }

// Never deletes: the owner of the DropReceiver decides its lifetime.
ULONG DropReceiver::Release() { return --references_; }

// The helper only draws the drag image, so its results are ignored, and it
// is told before the rule below rewrites the effect.
HRESULT DropReceiver::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  if (dragImageHelper_) {
    POINT screenPoint = ScreenPoint(point);
    dragImageHelper_->DragEnter(boundWindow_, data, &screenPoint, *effect);
  }
  FORMATETC format = FileListFormat();
  acceptable_ = data != nullptr && data->QueryGetData(&format) == S_OK;
  *effect = EffectFor(acceptable_, keyState, *effect);
  return S_OK;
}

HRESULT DropReceiver::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  if (dragImageHelper_) {
    POINT screenPoint = ScreenPoint(point);
    dragImageHelper_->DragOver(&screenPoint, *effect);
  }
  *effect = EffectFor(acceptable_, keyState, *effect);
  return S_OK;
}

HRESULT DropReceiver::DragLeave() {
  if (dragImageHelper_) dragImageHelper_->DragLeave();
  acceptable_ = false;
  return S_OK;
}

// No C++ exception (out of memory, or from the handler) may cross into the
// platform's drag loop.
HRESULT DropReceiver::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  try {
    return DropFiles(data, keyState, point, effect);
  } catch (...) {
    return E_FAIL;
  }
}

// Always E_FAIL, also after the paths went to the handler: the list only
// names the items, so a source that offered a move must not delete them.
HRESULT DropReceiver::DropFiles(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  if (dragImageHelper_) {
    POINT screenPoint = ScreenPoint(point);
    dragImageHelper_->Drop(data, &screenPoint, *effect);
  }
  *effect = EffectFor(acceptable_, keyState, *effect);
  if (!DropMayGoOn(*effect) || data == nullptr) return E_FAIL;
  const std::optional<std::vector<std::string>> paths = DroppedPaths(*data);
  if (!paths) return E_FAIL;
  const std::string text = DroppedFileText(*paths);
  if (filesDropped_) filesDropped_(text);
  return E_FAIL;
}

}  // namespace ui
