#include "app/ContainerChoice.h"

#include <gtest/gtest.h>

#include "model/FixedItemLists.h"

namespace trellimux {
namespace {

// The container list A item's text, or "note" when the note is to be shown.
std::string Recognised(std::string_view extension) {
  RecognisedContainer found = RecogniseContainer(extension);
  if (found.unsupported) return found.item == 0 ? "note" : "note with an item?";
  return std::string(kContainerListA[found.item]);
}

TEST(RecogniseContainer, EqualExtensionIgnoringCase) {
  EXPECT_EQ(Recognised(".mpeg"), ".mpeg");
  EXPECT_EQ(Recognised(".MPEG"), ".mpeg");
  EXPECT_EQ(Recognised(".TS"), ".ts");
  EXPECT_EQ(Recognised(".Mp2"), ".mp2");
  for (std::size_t item = 1; item < kContainerListA.size(); ++item)
    EXPECT_EQ(RecogniseContainer(kContainerListA[item]).item, static_cast<int>(item));
}

TEST(RecogniseContainer, OtherwiseTheFirstItemBeginningWithTheFirstThreeCharacters) {
  EXPECT_EQ(Recognised(".mpeg2"), ".mp2");  // ".mp" comes to ".mp2" before ".mpeg"
  EXPECT_EQ(Recognised(".mp4v"), ".mp2");
  EXPECT_EQ(Recognised(".tsx"), ".ts");
  EXPECT_EQ(Recognised(".MKA"), ".mkv");
  EXPECT_EQ(Recognised(".w"), ".wav");  // shorter than three: taken whole
}

TEST(RecogniseContainer, UnknownContainersAskForTheNote) {
  EXPECT_EQ(Recognised(".m2ts"), "note");  // no item begins with ".m2"
  EXPECT_EQ(Recognised(".mxf"), "note");
  EXPECT_EQ(Recognised(".m4v"), "note");
  EXPECT_EQ(Recognised("Con"), "note");  // the caption item is no container
}

TEST(RecogniseContainer, NoExtensionIsSilent) {
  RecognisedContainer found = RecogniseContainer("");
  EXPECT_EQ(found.item, 0);
  EXPECT_FALSE(found.unsupported);
}

TEST(OutputPathForContainer, TheItemReplacesTheExtension) {
  EXPECT_EQ(OutputPathForContainer("D:\\rec\\out.mp4", 16, ".mp4"), "D:\\rec\\out.ts");
  EXPECT_EQ(OutputPathForContainer("D:\\rec\\out", 9, ".ts"), "D:\\rec\\out.mkv");
  EXPECT_EQ(OutputPathForContainer("D:\\rec\\", 16, ".mp4"), "D:\\rec\\.ts");
  EXPECT_EQ(OutputPathForContainer("D:\\rec.d\\out", 20, ""), "D:\\rec.d\\out.wmv");
}

TEST(OutputPathForContainer, NoItemTakesTheInputsExtension) {
  EXPECT_EQ(OutputPathForContainer("D:\\rec\\out.mp4", 0, ".m2ts"), "D:\\rec\\out.m2ts");
  EXPECT_EQ(OutputPathForContainer("D:\\rec\\out.mp4", 0, ""), "D:\\rec\\out");
  EXPECT_EQ(OutputPathForContainer("D:\\rec\\out.mp4", 21, ".ts"), "D:\\rec\\out.ts");
  EXPECT_EQ(OutputPathForContainer("D:\\rec\\out.mp4", -1, ".ts"), "D:\\rec\\out.ts");
}

}  // namespace
}  // namespace trellimux
