#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "app/ControlIds.h"
#include "app/ControlTable.h"
#include "app/ProgramIdentity.h"

namespace trellimux {
namespace {

// The client area of the fixed 1272 x 712 window with a caption and a thin
// fixed frame is at least this large on every platform.
constexpr int kClientWidth = 1260;
constexpr int kClientHeight = 676;

TEST(ControlTableTest, IdentifiersAreUniqueAndEveryControlLiesInsideTheClientArea) {
  std::set<int> ids;
  for (const ControlEntry& control : MainWindowControls()) {
    SCOPED_TRACE(::testing::Message() << "control 0x" << std::hex << control.id);
    EXPECT_TRUE(ids.insert(control.id).second);
    EXPECT_GE(control.place.x, 0);
    EXPECT_GE(control.place.y, 0);
    EXPECT_LE(control.place.x + control.place.width, kClientWidth);
    // Drop-down lists give their dropped-down height; only the closed box must fit.
    if (control.kind != ControlKind::DropDownList && control.kind != ControlKind::EasyModeList) {
      EXPECT_LE(control.place.y + control.place.height, kClientHeight);
    }
    if (control.kind == ControlKind::MillisecondSpinner) {
      ASSERT_NE(FindControl(control.buddy), nullptr);
      EXPECT_EQ(FindControl(control.buddy)->kind, ControlKind::MillisecondLabel);
    }
    EXPECT_EQ(control.items.empty(), control.kind != ControlKind::DropDownList &&
                                         control.kind != ControlKind::EasyModeList);
  }
  EXPECT_EQ(ids.size(), 106u);                  // 16 common, 1 + 20 + 36 + 33 on the pages
  EXPECT_EQ(FindControl(0x4229 + 1), nullptr);  // identifiers read like decimals
  EXPECT_NE(FindControl(EasyListId(0, 9)), nullptr);
  EXPECT_EQ(EasyListId(0, 9), 0x4230);
  EXPECT_EQ(EasyListId(1, 9), 0x4240);
  EXPECT_EQ(FindControl(kTitleLine)->caption, kProductName);
}

std::vector<int> PageSet(Page page) {
  std::vector<int> ids;
  for (const ControlEntry& control : MainWindowControls()) {
    if (ShownWithPage(control, page)) ids.push_back(control.id);
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

std::vector<int> Sorted(std::vector<int> ids) {
  std::sort(ids.begin(), ids.end());
  return ids;
}

TEST(ControlTableTest, PageSetsHoldTheDesignedControls) {
  EXPECT_EQ(PageSet(Page::Information), std::vector<int>{kAboutBox});
  EXPECT_EQ(PageSet(Page::Concat), Sorted({0x3010, 0x3020, 0x3030, 0x3040, 0x3050, 0x3060, 0x3070,
                                           0x3100, 0x3105, 0x3110, 0x3150, 0x3160, 0x3215, 0x3219,
                                           0x3216, 0x3217, 0x3218, 0x3220, 0x3230, 0x3500}));
  std::vector<int> convert = {0x4010, 0x4020, 0x4030, 0x4050, 0x4100, 0x4105, 0x4110, 0x4150,
                              0x4275, 0x4276, 0x4270, 0x4280, 0x4285, 0x4500, 0x4288, 0x4290};
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 10; ++column) convert.push_back(EasyListId(row, column));
  }
  EXPECT_EQ(PageSet(Page::Convert), Sorted(convert));
  // The Trim parameter table is chosen by a rule, not shown with its page.
  EXPECT_EQ(PageSet(Page::Trim),
            Sorted({0x5010, 0x5020, 0x5030,   kTrimSourceTable, 0x5159, 0x5160, 0x5170, 0x5180,
                    0x5190, 0x5192, kCutList, 0x5200,           0x5210, 0x145F, 0x1464, 0x5250,
                    0x1487, 0x148C, 0x5260,   0x5100,           0x5105, 0x5110, 0x5270, 0x5272,
                    0x5274, 0x5280, 0x5285,   0x5500,           0x5288, 0x5290, 0x5600, 0x5700}));
  EXPECT_EQ(FindControl(kTrimParameterTable)->owner, ControlOwner::Trim);
}

TEST(ControlTableTest, OnlyTheCommonControlsAndTheAboutBoxAreVisibleAtStart) {
  std::vector<int> visible;
  for (const ControlEntry& control : MainWindowControls()) {
    if (VisibleAtStart(control)) visible.push_back(control.id);
  }
  EXPECT_EQ(Sorted(visible),
            Sorted({0x1000, 0x1010, 0x1020, 0x2100, 0x2200, 0x2110, 0x2210, 0x2120, 0x2220, 0x2130,
                    0x2230, 0x2700, 0x2800, 0x2805, 0x2810, 0x2900, 0x2500}));
  std::vector<int> disabled;
  for (const ControlEntry& control : MainWindowControls()) {
    if (control.start == StartState::Disabled) disabled.push_back(control.id);
  }
  EXPECT_EQ(Sorted(disabled),
            Sorted({0x3215, 0x3219, 0x4150, 0x5270, 0x5272, 0x5274, 0x5600, 0x5700}));
}

TEST(ControlTableTest, TheLogWindowFollowsTheStartButtonInCreationOrder) {
  // The window creates the log window right after "Start"; the pages follow.
  const auto controls = MainWindowControls();
  const auto start = std::find_if(controls.begin(), controls.end(),
                                  [](const ControlEntry& c) { return c.id == kStartButton; });
  ASSERT_NE(start, controls.end());
  ASSERT_NE(start + 1, controls.end());
  EXPECT_EQ((start + 1)->id, kAboutBox);
  for (auto control = controls.begin(); control != start; ++control) {
    EXPECT_EQ(control->owner, ControlOwner::Common);
  }
}

}  // namespace
}  // namespace trellimux
