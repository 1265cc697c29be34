#include "app/program_directory.h"

namespace app {

batch::Text ProgramPath(HMODULE module) {
  batch::Text path(MAX_PATH, '\0');
  for (;;) {
    const DWORD capacity = static_cast<DWORD>(path.size());
    const DWORD length = GetModuleFileNameA(module, path.data(), capacity);
    if (length == 0) return {};
    // A full buffer means the path may have been cut: grow and read again.
    if (length < capacity) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace app
