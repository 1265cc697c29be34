// The only way the program reads and writes the texts of its edit boxes:
// bytes in the ANSI code page, unchanged, with no limit but memory.
#pragma once

#include <windows.h>

#include "rename/text.h"

namespace ui {

// A copy of the box's whole text, line breaks exactly as stored.
batch::Text ReadBoxText(HWND box);

// Replaces the box's whole text with these bytes; a lone LF stays a lone LF.
void WriteBoxText(HWND box, batch::TextView text);

}  // namespace ui
