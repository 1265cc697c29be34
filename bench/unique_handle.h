// Owns one kernel handle and closes it with the function its kind needs.
#pragma once

#include <windows.h>

namespace bench {

template <BOOL(WINAPI* Close)(HANDLE)>
class UniqueHandle {
 public:
  explicit UniqueHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ~UniqueHandle() {
    if (Ok()) Close(handle_);
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  bool Ok() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

using FileHandle = UniqueHandle<CloseHandle>;
using FindHandle = UniqueHandle<FindClose>;

}  // namespace bench
