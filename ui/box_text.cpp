#include "ui/box_text.h"

namespace ui {

batch::Text ReadBoxText(HWND box) {
  const int length = GetWindowTextLengthA(box);
  if (length <= 0) return {};
  batch::Text text(static_cast<std::size_t>(length), '\0');
  // The length may overstate the text in a multibyte code page; the copy
  // says how much it wrote.
  const int copied = GetWindowTextA(box, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void WriteBoxText(HWND box, batch::TextView text) {
  const batch::Text terminated(text);
  SetWindowTextA(box, terminated.c_str());
}

}  // namespace ui
