#include "concat/ConcatInputList.h"

#include <gtest/gtest.h>

namespace trellimux {
namespace {

using Paths = std::vector<std::string>;

// A list of `paths` with `selection` selected.
ConcatInputList List(const Paths& paths, std::optional<std::size_t> selection) {
  ConcatInputList list;
  for (const std::string& path : paths) list.Append(path);
  list.Select(selection);
  return list;
}

TEST(ConcatInputList, AppendPutsThePathLastAndSelectsIt) {
  ConcatInputList list;
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Selection(), std::nullopt);
  list.Append("C:\\a.ts");
  list.Append("C:\\b.ts");
  list.Select(0);
  list.Append("C:\\a.ts");  // the same path again is a new entry
  EXPECT_EQ(list.Paths(), (Paths{"C:\\a.ts", "C:\\b.ts", "C:\\a.ts"}));
  EXPECT_EQ(list.Selection(), 2u);
}

TEST(ConcatInputList, SelectPastTheEndSelectsNothing) {
  ConcatInputList list = List({"a", "b"}, 1);
  list.Select(2);
  EXPECT_EQ(list.Selection(), std::nullopt);
  list.Select(0);
  EXPECT_EQ(list.Selection(), 0u);
  list.Select(std::nullopt);
  EXPECT_EQ(list.Selection(), std::nullopt);
}

TEST(ConcatInputList, RemoveSelectsTheEntryThatTakesThePlace) {
  ConcatInputList list = List({"a", "b", "c"}, 1);
  list.Remove();
  EXPECT_EQ(list.Paths(), (Paths{"a", "c"}));
  EXPECT_EQ(list.Selection(), 1u);
}

TEST(ConcatInputList, RemovingTheLastEntrySelectsTheNewLast) {
  ConcatInputList list = List({"a", "b", "c"}, 2);
  list.Remove();
  EXPECT_EQ(list.Paths(), (Paths{"a", "b"}));
  EXPECT_EQ(list.Selection(), 1u);
}

TEST(ConcatInputList, RemoveWithoutSelectionDeletesNothingAndSelectsTheLast) {
  ConcatInputList list = List({"a", "b", "c"}, std::nullopt);
  list.Remove();
  EXPECT_EQ(list.Paths(), (Paths{"a", "b", "c"}));
  EXPECT_EQ(list.Selection(), 2u);
}

TEST(ConcatInputList, RemovingTheOnlyEntryLeavesNoSelection) {
  ConcatInputList list = List({"a"}, 0);
  list.Remove();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Selection(), std::nullopt);
  list.Remove();  // an empty list stays empty
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Selection(), std::nullopt);
}

TEST(ConcatInputList, MoveUpAndDownCarryTheSelection) {
  ConcatInputList list = List({"a", "b", "c"}, 1);
  EXPECT_TRUE(list.MoveUp());
  EXPECT_EQ(list.Paths(), (Paths{"b", "a", "c"}));
  EXPECT_EQ(list.Selection(), 0u);
  EXPECT_TRUE(list.MoveDown());
  EXPECT_TRUE(list.MoveDown());
  EXPECT_EQ(list.Paths(), (Paths{"a", "c", "b"}));
  EXPECT_EQ(list.Selection(), 2u);
}

TEST(ConcatInputList, MovesPastAnEndOrWithoutSelectionChangeNothing) {
  const Paths paths = {"a", "b", "c"};
  ConcatInputList first = List(paths, 0);
  EXPECT_FALSE(first.MoveUp());
  ConcatInputList last = List(paths, 2);
  EXPECT_FALSE(last.MoveDown());
  ConcatInputList none = List(paths, std::nullopt);
  EXPECT_FALSE(none.MoveUp());
  EXPECT_FALSE(none.MoveDown());
  ConcatInputList empty;
  EXPECT_FALSE(empty.MoveUp());
  EXPECT_FALSE(empty.MoveDown());

  for (const ConcatInputList* list : {&first, &last, &none}) EXPECT_EQ(list->Paths(), paths);
  EXPECT_EQ(first.Selection(), 0u);
  EXPECT_EQ(last.Selection(), 2u);
  EXPECT_EQ(none.Selection(), std::nullopt);
}

TEST(ConcatInputList, ResetDeletesEverything) {
  ConcatInputList list = List({"a", "b"}, 0);
  list.Reset();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Selection(), std::nullopt);
  list.Append("c");
  EXPECT_EQ(list.Paths(), (Paths{"c"}));
}

}  // namespace
}  // namespace trellimux
