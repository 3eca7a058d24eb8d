// The scale the window was laid out at (WindowScale), chosen once as the
// window is made from the screen's DPI and its work area, for every place
// that draws from the designed sizes.
#pragma once

#include <windows.h>

#include "app/WindowPlacement.h"

namespace trellimux {

// The screen's DPI and work area, and the scale and outer rectangle of
// the window on it.
struct WindowLayout {
  double scale = 1;
  ScreenRect frame;
};
WindowLayout ChooseWindowLayout();

double CurrentScale();
void SetCurrentScale(double scale);

// `font` (a stock font, made for the screen's DPI) at the current scale;
// itself at scale 1 on a 96-DPI screen.
HFONT ScaledStockFont(HFONT font);

}  // namespace trellimux
