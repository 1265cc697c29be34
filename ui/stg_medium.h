// Owns a storage medium that IDataObject::GetData handed over and gives it
// back with ReleaseStgMedium, whatever path the reader leaves by.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace ui {

class StgMedium {
 public:
  // Takes ownership of a medium that GetData filled successfully.
  explicit StgMedium(const STGMEDIUM& medium) : medium_(medium) {}
  ~StgMedium() { ReleaseStgMedium(&medium_); }

  StgMedium(const StgMedium&) = delete;
  StgMedium& operator=(const StgMedium&) = delete;

  const STGMEDIUM& Get() const { return medium_; }

 private:
  STGMEDIUM medium_;
};

}  // namespace ui
