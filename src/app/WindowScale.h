// The one factor the window is drawn at: the monitor's scale (its DPI over
// 96), made smaller where the window would not fit the monitor's work area
// (a laptop's 1366x768 at 125 %, a 1280x720 screen's taskbar), but never
// below kSmallestScale, where the system font's 8-point text is still about
// 10 pixels high; below it the window keeps that size and may be moved. At
// 1 every place is the designed one, pixel for pixel.
#pragma once

#include "app/ControlTable.h"
#include "app/WindowPlacement.h"

namespace trellimux {

inline constexpr double kSmallestScale = 0.8;

// For a monitor of `dpi` whose work area is `workWidth` x `workHeight`
// pixels, and the window's designed outer size.
double WindowScale(int dpi, int workWidth, int workHeight);

// A designed length at scale `scale`, rounded to the nearest pixel.
int Scaled(int length, double scale);
ControlPlace Scaled(const ControlPlace& place, double scale);

// Where a window of `width` x `height` stands: centred in the work area,
// its top-left corner inside it.
ScreenPoint CentredIn(const ScreenRect& workArea, int width, int height);

}  // namespace trellimux
