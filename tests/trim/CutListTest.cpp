#include <gtest/gtest.h>

#include "trim/CutList.h"

namespace trellimux {
namespace {

// The cuts' In times joined by blanks: "a b c".
std::string Order(const CutList& list) {
  std::string text;
  for (const Cut& cut : list.Cuts()) text += (text.empty() ? "" : " ") + cut.in;
  return text;
}

CutList ThreeCuts() {
  CutList list;
  for (const char* in : {"a", "b", "c"}) list.Append({in, std::string(in) + "-out"});
  return list;
}

TEST(CutList, AddAppendsAndSelectsTheNewCut) {
  CutList list;
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Selection(), std::nullopt);
  list.Append({"00:00:01.000", "00:00:02.000"});
  list.Append({"00:00:05.000", "00:00:06.500"});
  EXPECT_EQ(list.Size(), 2u);
  EXPECT_EQ(list.Selection(), 1u);
  EXPECT_EQ(list.Cuts()[1].out, "00:00:06.500");
  EXPECT_EQ(CutNumberText(0), "0");
  EXPECT_EQ(CutNumberText(12), "12");
}

TEST(CutList, SelectingPastTheEndSelectsNothing) {
  CutList list = ThreeCuts();
  list.Select(0);
  EXPECT_EQ(list.Selection(), 0u);
  list.Select(3);
  EXPECT_EQ(list.Selection(), std::nullopt);
  list.Select(2);
  list.Select(std::nullopt);
  EXPECT_EQ(list.Selection(), std::nullopt);
}

TEST(CutList, ModifyReplacesOnlyTheSelectedCut) {
  CutList list = ThreeCuts();
  list.Select(1);
  EXPECT_TRUE(list.ReplaceSelected({"x", "x-out"}));
  EXPECT_EQ(Order(list), "a x c");
  EXPECT_EQ(list.Cuts()[1].out, "x-out");
  EXPECT_EQ(list.Selection(), 1u);
  list.Select(std::nullopt);
  EXPECT_FALSE(list.ReplaceSelected({"y", "y-out"}));
  EXPECT_EQ(Order(list), "a x c");
}

TEST(CutList, RemoveSelectsTheCutThatTakesItsPlace) {
  CutList list = ThreeCuts();
  list.Select(1);
  EXPECT_TRUE(list.RemoveSelected());
  EXPECT_EQ(Order(list), "a c");
  EXPECT_EQ(list.Selection(), 1u) << "the next cut moved up into the place";
  EXPECT_TRUE(list.RemoveSelected());
  EXPECT_EQ(Order(list), "a");
  EXPECT_EQ(list.Selection(), 0u) << "the last cut went: its predecessor";
  EXPECT_TRUE(list.RemoveSelected());
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Selection(), std::nullopt);
  EXPECT_FALSE(list.RemoveSelected());

  list = ThreeCuts();
  list.Select(std::nullopt);
  EXPECT_FALSE(list.RemoveSelected());
  EXPECT_EQ(list.Size(), 3u);
}

TEST(CutList, MovesKeepTheCutSelectedAndStopAtTheEnds) {
  CutList list = ThreeCuts();
  list.Select(0);
  EXPECT_FALSE(list.MoveUp());
  EXPECT_TRUE(list.MoveDown());
  EXPECT_EQ(Order(list), "b a c");
  EXPECT_EQ(list.Selection(), 1u);
  EXPECT_TRUE(list.MoveDown());
  EXPECT_EQ(Order(list), "b c a");
  EXPECT_FALSE(list.MoveDown());
  EXPECT_EQ(Order(list), "b c a");
  EXPECT_EQ(list.Selection(), 2u);
  EXPECT_TRUE(list.MoveUp());
  EXPECT_EQ(Order(list), "b a c");
  EXPECT_EQ(list.Cuts()[1].out, "a-out") << "In and Out move together";

  list.Select(std::nullopt);
  EXPECT_FALSE(list.MoveUp());
  EXPECT_FALSE(list.MoveDown());
  EXPECT_EQ(Order(list), "b a c");
}

TEST(CutList, ResetDeletesEveryCutAndTheSelection) {
  CutList list = ThreeCuts();
  list.Reset();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Selection(), std::nullopt);
  list.Append({"d", "d-out"});
  EXPECT_EQ(list.Selection(), 0u);
}

}  // namespace
}  // namespace trellimux
