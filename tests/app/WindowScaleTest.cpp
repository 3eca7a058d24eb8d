#include <gtest/gtest.h>

#include "app/ProgramIdentity.h"
#include "app/WindowScale.h"

namespace trellimux {
namespace {

// The monitor's scale, made smaller so that the window fits the work area,
// never below the smallest; at 96 DPI on a screen it fits, exactly 1.
TEST(WindowScale, TheWindowFitsTheWorkAreaAtTheMonitorsScale) {
  const struct {
    int dpi, width, height;
    double scale;
  } cases[] = {
      {96, 1280, 720, 1},               // a 1280x720 screen without a taskbar
      {96, 1366, 728, 1},               // 1366x768 at 100 %, its taskbar
      {96, 1280, 680, 680.0 / 712},     // 1280x720 with a taskbar: 0.955
      {144, 1920, 1040, 1040.0 / 712},  // Full HD at 150 %: 1.46
      {120, 1366, 728, 728.0 / 712},    // 1366x768 at 125 %: 1.02
      {120, 1920, 1040, 1.25},
      {192, 3840, 2120, 2},            // 4K at 200 %
      {96, 1024, 600, 1024.0 / 1272},  // 0.805
      {96, 800, 600, kSmallestScale},  // too small: the window may be moved
      {0, 1920, 1080, 1},              // no DPI told
  };
  for (const auto& c : cases)
    EXPECT_NEAR(WindowScale(c.dpi, c.width, c.height), c.scale, 1e-9)
        << c.dpi << " " << c.width << "x" << c.height;
}

// A place scales by its edges, so that neighbours still meet; at 1 it is
// the design's. The window is centred in the work area, its corner inside.
TEST(WindowScale, PlacesScaleByTheirEdgesAndTheWindowIsCentred) {
  const ControlPlace place{954, 262, 120, 32};
  const ControlPlace same = Scaled(place, 1);
  EXPECT_EQ(same.x + same.y + same.width + same.height, 954 + 262 + 120 + 32);
  const ControlPlace big = Scaled(place, 1.5);
  EXPECT_EQ(big.x, 1431);
  EXPECT_EQ(big.width, 180);
  const ControlPlace left = Scaled({0, 0, 3, 3}, 1.5), right = Scaled({3, 0, 3, 3}, 1.5);
  EXPECT_EQ(left.x + left.width, right.x) << "neighbours meet";
  EXPECT_EQ(Scaled(kWindowHeight, 1040.0 / 712), 1040);
  const ScreenPoint corner = CentredIn({0, 0, 1280, 720}, kWindowWidth, kWindowHeight);
  EXPECT_EQ(corner.x, 4);
  EXPECT_EQ(corner.y, 4);
  const ScreenPoint shifted = CentredIn({100, 40, 1000, 600}, 1040, 640);
  EXPECT_EQ(shifted.x, 100) << "too large: at the work area's corner";
  EXPECT_EQ(shifted.y, 40);
}

}  // namespace
}  // namespace trellimux
