#include <gtest/gtest.h>

#include "app/WindowPlacement.h"

namespace trellimux {
namespace {

TEST(WindowPlacementTest, TheWindowIsCentredOnlyOnScreensLargerThanIt) {
  EXPECT_EQ(CentredWindowPosition(1280, 720).x, 4);
  EXPECT_EQ(CentredWindowPosition(1280, 720).y, 4);
  EXPECT_EQ(CentredWindowPosition(1920, 1080).x, 324);
  EXPECT_EQ(CentredWindowPosition(1920, 1080).y, 184);
  EXPECT_EQ(CentredWindowPosition(1281, 713).x, 4);  // each half by integer division
  // Wide but low: centred across, at the top.
  EXPECT_EQ(CentredWindowPosition(1600, 700).x, 164);
  EXPECT_EQ(CentredWindowPosition(1600, 700).y, 0);
  // Not wider than the window: 0,0 whatever the height.
  for (int width : {1272, 1024, 0}) {
    EXPECT_EQ(CentredWindowPosition(width, 2000).x, 0);
    EXPECT_EQ(CentredWindowPosition(width, 2000).y, 0);
  }
}

TEST(WindowPlacementTest, TheLogWindowCoversThePageFrame) {
  const ScreenRect log = LogWindowPlacement(4, 27, 1, 1);
  EXPECT_EQ(log.x, 20);
  EXPECT_EQ(log.y, 79);
  EXPECT_EQ(log.width, 1070);
  EXPECT_EQ(log.height, 625);
}

}  // namespace
}  // namespace trellimux
