// Where the main window opens: centred on the primary screen.
#pragma once

namespace ui {

struct Origin {
  int left;
  int top;
  friend bool operator==(const Origin&, const Origin&) = default;
};

// Each coordinate is halved with C++'s integer division, which rounds toward
// zero: a window wider than the screen starts left of it (380 - 386 gives -3).
constexpr Origin CentredOrigin(int screenWidth, int screenHeight, int width, int height) {
  return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

}  // namespace ui
