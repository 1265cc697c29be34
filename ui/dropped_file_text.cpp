#include "ui/dropped_file_text.h"

namespace ui {

std::string DroppedFileText(std::span<const std::string> paths) {
  if (paths.size() == 1) return paths.front();
  std::string text;
  for (const std::string& path : paths) {
    text += path;
    text += "\r\n";
  }
  return text;
}

}  // namespace ui
