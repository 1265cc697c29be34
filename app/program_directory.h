// Where the program lives: it works in its own directory, so that relative
// paths in the list are resolved there wherever it was started from.
#pragma once

#include <windows.h>

#include "rename/text.h"

namespace app {

// The program's own full path, read into a buffer that grows until the whole
// path fits (no 260-byte limit).
batch::Text ProgramPath(HMODULE module);

}  // namespace app
