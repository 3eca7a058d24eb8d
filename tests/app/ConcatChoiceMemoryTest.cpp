#include <gtest/gtest.h>

#include "app/ConcatChoiceMemory.h"

namespace trellimux {
namespace {

void ExpectChoices(std::optional<ConcatChoices> choices, int container, int concatMode) {
  ASSERT_TRUE(choices.has_value());
  EXPECT_EQ(choices->container, container);
  EXPECT_EQ(choices->concatMode, concatMode);
}

TEST(ConcatChoiceMemoryTest, EachModeGetsBackItsOwnChoices) {
  ConcatChoiceMemory memory;
  ExpectChoices(memory.Enter(16, 2), 0, 0);  // nothing chosen in expert mode yet
  ExpectChoices(memory.Leave(9, 1), 16, 2);
  ExpectChoices(memory.Enter(16, 2), 9, 1);
  ExpectChoices(memory.Leave(9, 3), 16, 2);
  EXPECT_EQ(memory.Expert().concatMode, 3);
}

TEST(ConcatChoiceMemoryTest, AListWithoutSelectionChangesNothing) {
  ConcatChoiceMemory memory;
  memory.RememberForBoth({12, 1});
  EXPECT_FALSE(memory.Enter(std::nullopt, 2).has_value());
  EXPECT_FALSE(memory.Leave(5, std::nullopt).has_value());
  EXPECT_EQ(memory.Automatic().container, 12);
  EXPECT_EQ(memory.Expert().container, 12);
  ExpectChoices(memory.Enter(12, 1), 12, 1);
}

}  // namespace
}  // namespace trellimux
