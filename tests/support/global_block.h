// Owns a block of global memory (GlobalFree when it goes, unless handed
// over) and locks one for as long as a scope needs its bytes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <utility>

namespace test_support {

class GlobalBlock {
 public:
  GlobalBlock() = default;
  explicit GlobalBlock(std::size_t size) : block_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {}
  ~GlobalBlock() {
    if (block_ != nullptr) GlobalFree(block_);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  GlobalBlock(GlobalBlock&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
  GlobalBlock& operator=(GlobalBlock&& other) noexcept {
    std::swap(block_, other.block_);
    return *this;
  }

  HGLOBAL Get() const { return block_; }
  // Hands the block to a new owner, such as a STGMEDIUM given to a caller.
  HGLOBAL Release() { return std::exchange(block_, nullptr); }

 private:
  HGLOBAL block_ = nullptr;
};

class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL block) : block_(block), bytes_(static_cast<char*>(GlobalLock(block))) {}
  ~GlobalLockScope() {
    if (bytes_ != nullptr) GlobalUnlock(block_);
  }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;

  char* Bytes() const { return bytes_; }

 private:
  HGLOBAL block_;
  char* bytes_;
};

// A copy of `source`, for a data object that hands out blocks its caller frees.
inline GlobalBlock CopyOf(HGLOBAL source) {
  const SIZE_T size = GlobalSize(source);
  GlobalBlock copy(size);
  if (copy.Get() == nullptr) return copy;
  const GlobalLockScope from(source);
  const GlobalLockScope to(copy.Get());
  if (from.Bytes() == nullptr || to.Bytes() == nullptr) return GlobalBlock();
  CopyMemory(to.Bytes(), from.Bytes(), size);
  return copy;
}

}  // namespace test_support
