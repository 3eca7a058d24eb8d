#include <gtest/gtest.h>

#include "concat/ConcatCommand.h"
#include "model/FixedItemLists.h"
#include "trim/CutTime.h"
#include "trim/TrimChoices.h"

namespace trellimux {
namespace {

void ExpectFields(std::string_view text, TimeOfDay time, std::string_view milliseconds,
                  int millisecondValue) {
  SCOPED_TRACE(std::string("\"") + std::string(text) + "\"");
  CutTimeFields fields = SplitCutTime(text);
  EXPECT_EQ(fields.time.hour, time.hour);
  EXPECT_EQ(fields.time.minute, time.minute);
  EXPECT_EQ(fields.time.second, time.second);
  EXPECT_EQ(fields.milliseconds, milliseconds);
  EXPECT_EQ(fields.millisecondValue, millisecondValue);
}

TEST(CutTime, TextJoinsThePickerAndTheMillisecondsLabel) {
  EXPECT_EQ(CutTimeText({0, 12, 5}, "250"), "00:12:05.250");
  EXPECT_EQ(CutTimeText({23, 59, 59}, MillisecondLabel(7)), "23:59:59.007");
  EXPECT_EQ(CutTimeText({1, 2, 3}, ""), "01:02:03.");
}

TEST(CutTime, SplitReadsTheFixedPlacesBack) {
  ExpectFields("01:02:03.450", {1, 2, 3}, "450", 450);
  ExpectFields(CutTimeText({22, 7, 59}, "009"), {22, 7, 59}, "009", 9);
  // Each field stops at its first non-digit; a picker shows at most 23:59:59.
  ExpectFields("7h:3m:5s.12ab", {7, 3, 5}, "12ab", 12);
  ExpectFields("99:99:99.1234", {23, 59, 59}, "1234", 999);
  ExpectFields("00:00:00.99999999999999999999", {0, 0, 0}, "99999999999999999999", 999);
}

TEST(CutTime, ShortOrOddTextsGiveZeros) {
  ExpectFields("", {0, 0, 0}, "", 0);
  ExpectFields("7", {7, 0, 0}, "", 0);
  ExpectFields("01:02", {1, 2, 0}, "", 0);
  ExpectFields("01:02:03.", {1, 2, 3}, "", 0);
  ExpectFields("ab:cd:ef.-12", {0, 0, 0}, "-12", 0);
}

TEST(CutTime, MillisecondStepsWrapWithinASecond) {
  EXPECT_EQ(StepMilliseconds(999, 1), 0);
  EXPECT_EQ(StepMilliseconds(0, -1), 999);
  EXPECT_EQ(StepMilliseconds(995, 10), 5);
  EXPECT_EQ(StepMilliseconds(3, -10), 993);
  EXPECT_EQ(StepMilliseconds(500, 0), 500);
  EXPECT_EQ(StepMilliseconds(0, -2001), 999);
}

TEST(CutTime, MillisecondLabelHasThreeDigits) {
  EXPECT_EQ(MillisecondLabel(0), "000");
  EXPECT_EQ(MillisecondLabel(7), "007");
  EXPECT_EQ(MillisecondLabel(45), "045");
  EXPECT_EQ(MillisecondLabel(999), "999");
}

TEST(TrimChoices, ContainerPicksTheCutAndConcatModes) {
  auto defaults = [](std::string_view container) {
    for (std::size_t i = 0; i < kContainerListA.size(); ++i)
      if (kContainerListA[i] == container) {
        TrimModeDefaults modes = TrimDefaultsFor(static_cast<int>(i));
        return std::pair{modes.cutMode, modes.concatMode};
      }
    ADD_FAILURE() << container << " is not in the list";
    return std::pair{-1, -1};
  };
  const std::pair copyDemuxer{int{kCopyCut}, int{kDemuxerConcat}};
  const std::pair reencodeFile{int{kReencodeCut}, int{kFileConcat}};
  const std::pair reencodeDemuxer{int{kReencodeCut}, int{kDemuxerConcat}};
  for (std::string_view container : {".hevc", ".mp4"})
    EXPECT_EQ(defaults(container), copyDemuxer) << container;
  for (std::string_view container : {".mp2", ".mpeg", ".mpg", ".ts", ".vob"})
    EXPECT_EQ(defaults(container), reencodeFile) << container;
  for (std::string_view container : {"Container", ".3gp", ".mkv", ".mov", ".mp3", ".wmv"})
    EXPECT_EQ(defaults(container), reencodeDemuxer) << container;

  for (int outside : {-1, 21, 1000}) {
    TrimModeDefaults modes = TrimDefaultsFor(outside);
    EXPECT_EQ(std::pair(modes.cutMode, modes.concatMode), reencodeDemuxer) << outside;
  }
}

TEST(TrimChoices, EachModeGetsBackItsOwnChoices) {
  auto same = [](const TrimChoices& a, const TrimChoices& b) {
    return a.container == b.container && a.cutMode == b.cutMode && a.concatMode == b.concatMode;
  };
  TrimChoiceMemory memory;
  EXPECT_TRUE(same(memory.EnterExpert({16, 1, 2}), {0, 0, 0})) << "nothing chosen there yet";
  EXPECT_TRUE(same(memory.LeaveExpert({9, 2, 4}), {16, 1, 2}));
  EXPECT_TRUE(same(memory.EnterExpert({12, 2, 1}), {9, 2, 4}));
  EXPECT_TRUE(same(memory.LeaveExpert({3, 1, 3}), {12, 2, 1}));
}

}  // namespace
}  // namespace trellimux
