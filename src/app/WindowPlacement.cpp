#include "app/WindowPlacement.h"

#include "app/ProgramIdentity.h"
#include "app/WindowScale.h"

namespace trellimux {

ScreenPoint CentredWindowPosition(int screenWidth, int screenHeight) {
  ScreenPoint corner{0, 0};
  // Compared unsigned, as the platform's metrics are sizes: a failed (zero)
  // metric leaves the window at 0,0.
  if (static_cast<unsigned>(screenWidth) > static_cast<unsigned>(kWindowWidth)) {
    corner.x = screenWidth / 2 - kWindowWidth / 2;
    if (static_cast<unsigned>(screenHeight) > static_cast<unsigned>(kWindowHeight)) {
      corner.y = screenHeight / 2 - kWindowHeight / 2;
    }
  }
  return corner;
}

ScreenRect LogWindowPlacement(int mainOuterLeft, int mainClientTop, int borderWidth,
                              int borderHeight, double scale) {
  return {mainOuterLeft + Scaled(16, scale), mainClientTop + Scaled(52, scale),
          Scaled(1068, scale) + 2 * borderWidth, Scaled(624, scale) + borderHeight};
}

}  // namespace trellimux
