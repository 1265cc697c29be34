// The text a drop puts into the file list: the dropped paths as the shell
// hands them over, in order, nothing filtered (folders and duplicates stay).
#pragma once

#include <span>
#include <string>

namespace ui {

// One path stands alone, without CR LF; two or more are each followed by
// CR LF, the last one included; no path gives the empty text.
std::string DroppedFileText(std::span<const std::string> paths);

}  // namespace ui
