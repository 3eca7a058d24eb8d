#include "app/WindowScale.h"

#include <algorithm>
#include <cmath>

#include "app/ProgramIdentity.h"

namespace trellimux {

double WindowScale(int dpi, int workWidth, int workHeight) {
  const double monitor = dpi > 0 ? dpi / 96.0 : 1.0;
  const double fits = std::min(static_cast<double>(workWidth) / kWindowWidth,
                               static_cast<double>(workHeight) / kWindowHeight);
  return std::max(std::min(monitor, fits), kSmallestScale);
}

int Scaled(int length, double scale) {
  return scale == 1.0 ? length : static_cast<int>(std::lround(length * scale));
}

ControlPlace Scaled(const ControlPlace& place, double scale) {
  // The far edges are scaled, not the lengths, so that controls that meet
  // in the design still meet.
  const int x = Scaled(place.x, scale), y = Scaled(place.y, scale);
  return {x, y, Scaled(place.x + place.width, scale) - x,
          Scaled(place.y + place.height, scale) - y};
}

ScreenPoint CentredIn(const ScreenRect& workArea, int width, int height) {
  return {workArea.x + std::max((workArea.width - width) / 2, 0),
          workArea.y + std::max((workArea.height - height) / 2, 0)};
}

}  // namespace trellimux
