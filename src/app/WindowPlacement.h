// Where the main window and the log window stand on the screen.
#pragma once

namespace trellimux {

struct ScreenPoint {
  int x, y;
};

struct ScreenRect {
  int x, y, width, height;
};

// The main window's top-left corner: centred on screens larger than the
// window, at 0,0 otherwise. The height only counts on a wide enough screen.
ScreenPoint CentredWindowPosition(int screenWidth, int screenHeight);

// The log window covers the page frame: its outer left edge is the main
// window's plus 16, its top the main client area's top plus 52 (at the
// window's scale).
ScreenRect LogWindowPlacement(int mainOuterLeft, int mainClientTop, int borderWidth,
                              int borderHeight, double scale = 1);

}  // namespace trellimux
