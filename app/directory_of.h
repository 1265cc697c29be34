// The directory part of a path, by the same two-byte-aware backslash rule as
// the rename plan.
#pragma once

#include "rename/text.h"

namespace app {

// The path up to and including its last backslash (a second byte 0x5C of a
// two-byte character is no backslash); empty when there is none. The
// backslash stays so that a program in a drive's root gives "C:\", the root,
// and not "C:", which names the drive's current directory.
inline batch::TextView DirectoryOf(batch::TextView path) {
  return batch::LeftBytes(path, batch::LastBackslashPos(path));
}

}  // namespace app
