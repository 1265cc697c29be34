// The shell's file list as a drag source offers it: a DROPFILES header, then
// each ANSI path with its NUL, then one more NUL, in movable global memory.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/global_block.h"

namespace test_support {

inline GlobalBlock FileListBlock(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& path : paths) list.append(path.c_str(), path.size() + 1);
  list.push_back('\0');
  if (paths.empty()) list.push_back('\0');

  GlobalBlock block(sizeof(DROPFILES) + list.size());
  if (block.Get() == nullptr) return block;
  const GlobalLockScope locked(block.Get());
  if (locked.Bytes() == nullptr) return GlobalBlock();
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = FALSE;
  std::memcpy(locked.Bytes(), &header, sizeof header);
  std::memcpy(locked.Bytes() + sizeof header, list.data(), list.size());
  return block;
}

// Plain ANSI text with its NUL, as CF_TEXT carries it.
inline GlobalBlock TextBlock(const std::string& text) {
  GlobalBlock block(text.size() + 1);
  if (block.Get() == nullptr) return block;
  const GlobalLockScope locked(block.Get());
  if (locked.Bytes() == nullptr) return GlobalBlock();
  std::memcpy(locked.Bytes(), text.c_str(), text.size() + 1);
  return block;
}

}  // namespace test_support
