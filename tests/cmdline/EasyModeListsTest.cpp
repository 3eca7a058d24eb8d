#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cmdline/EasyModeLists.h"
#include "model/FixedItemLists.h"

namespace trellimux {
namespace {

using Items = std::vector<std::string>;

int C(std::string_view name) {
  const auto it = std::find(kContainerListB.begin(), kContainerListB.end(), name);
  EXPECT_NE(it, kContainerListB.end()) << name;
  return static_cast<int>(it - kContainerListB.begin());
}

// Stream cells and type words as the prober writes them (lower case).
StreamTable Source(std::initializer_list<std::pair<const char*, const char*>> streams) {
  StreamTable table;
  for (const auto& [stream, type] : streams) {
    TableRow row;
    row.cells[0] = stream;
    row.cells[1] = type;
    table.AppendRow(row);
  }
  return table;
}

StreamTable VideoAndTwoAudios() {
  return Source({{"0", "video"}, {"1", "audio"}, {"2", "Audio"}, {"3", "subtitle"}});
}

std::string Chosen(const EasyModeLists& lists, int slot) {
  const SlotList& list = lists.Slot(slot);
  return list.selection ? list.items.at(*list.selection) : "<none>";
}

TEST(EasyModeListsFill, StartsWithNoneInEverySlot) {
  EasyModeLists lists;
  for (int slot = 0; slot < kEasySlotCount; ++slot) {
    EXPECT_EQ(lists.Slot(slot).items, Items{"None"}) << slot;
    EXPECT_EQ(lists.Slot(slot).selection, 0) << slot;
    EXPECT_TRUE(lists.Slot(slot).enabled) << slot;
    EXPECT_EQ(lists.Remembered(slot, C(".mp4")), 0);
  }
}

TEST(EasyModeListsFill, SourceStreamsJoinTheStreamSlots) {
  EasyModeLists lists;
  lists.ChangeContainer(C(".mp4"), VideoAndTwoAudios());
  EXPECT_EQ(lists.Slot(kVideoStreamSlot).items, (Items{"Video Stream", "No Video", "0"}));
  EXPECT_EQ(lists.Slot(kAudioStreamSlot).items, (Items{"Audio Stream", "No Audio", "1", "2"}));
  EXPECT_EQ(lists.Slot(kVideoCodecSlot).items.front(), "Video Codec");
  EXPECT_EQ(lists.Slot(kSpareSlot12).items, Items{"Empty"});

  // An audio-only container lists no video stream; container 0 lists none.
  lists.FillPresetLists(C(".mp3"), VideoAndTwoAudios());
  EXPECT_EQ(lists.Slot(kVideoStreamSlot).items, (Items{"Video Stream", "No Video"}));
  EXPECT_EQ(lists.Slot(kAudioStreamSlot).items.size(), 4u);
  lists.FillPresetLists(0, VideoAndTwoAudios());
  EXPECT_EQ(lists.Slot(kVideoStreamSlot).items, Items{"None"});
  EXPECT_EQ(lists.Slot(kAudioStreamSlot).items, Items{"None"});
}

TEST(EasyModeListsFill, RefilledSlotsCountARevision) {
  EasyModeLists lists;
  const unsigned codec = lists.Revision(kVideoCodecSlot);
  const unsigned quality = lists.Revision(kQualitySlot);
  lists.FillPresetLists(C(".mkv"), VideoAndTwoAudios());
  EXPECT_GT(lists.Revision(kVideoCodecSlot), codec);
  const unsigned afterFill = lists.Revision(kVideoCodecSlot);
  lists.RefreshQualityList(C(".mkv"), "mpeg4");
  EXPECT_GT(lists.Revision(kQualitySlot), quality + 1);
  EXPECT_EQ(lists.Revision(kVideoCodecSlot), afterFill);
}

TEST(EasyModeListsFill, WithoutSourceRowsTheListsStay) {
  EasyModeLists lists;
  lists.ChangeContainer(C(".mp4"), StreamTable{});
  EXPECT_EQ(lists.Slot(kVideoCodecSlot).items, Items{"None"});
  // The Quality and Profile lists still follow the (absent) codec choice.
  EXPECT_EQ(lists.Slot(kQualitySlot).items.size(), 51u);
  EXPECT_EQ(lists.Slot(kQualitySlot).selection, 0);
}

TEST(EasyModeListsEnabling, MissingStreamTypeDisablesItsNineSlots) {
  EasyModeLists lists;
  lists.ChangeContainer(C(".mp4"), Source({{"0", "video"}}));
  for (int slot = 0; slot < kEasySlotCount; ++slot) {
    const bool audioFollower = slot > kAudioStreamSlot;
    EXPECT_EQ(lists.Slot(slot).enabled, !audioFollower) << slot;
  }
  lists.ChangeContainer(C(".mp4"), Source({{"0", "audio"}}));
  for (int slot = 0; slot < kEasySlotCount; ++slot)
    EXPECT_EQ(lists.Slot(slot).enabled, slot == 0 || slot >= kAudioStreamSlot) << slot;

  // With no container chosen nothing is disabled.
  lists.FillPresetLists(0, Source({{"0", "audio"}}));
  for (int slot = 0; slot < kEasySlotCount; ++slot) EXPECT_TRUE(lists.Slot(slot).enabled);

  lists.SetAllSlotsEnabled(false);
  for (int slot = 0; slot < kEasySlotCount; ++slot) EXPECT_FALSE(lists.Slot(slot).enabled);
  lists.SetVideoSlotsEnabled(true);
  EXPECT_FALSE(lists.Slot(kVideoStreamSlot).enabled);
  EXPECT_TRUE(lists.Slot(kBufsizeSlot).enabled);
  EXPECT_FALSE(lists.Slot(kAudioCodecSlot).enabled);
}

TEST(EasyModeListsMemory, EachContainerKeepsItsOwnChoices) {
  EasyModeLists lists;
  const StreamTable source = VideoAndTwoAudios();
  lists.ChangeContainer(C(".mp4"), source);
  lists.ChooseSlotItem(kVideoCodecSlot, 2, C(".mp4"));  // h264
  lists.ChooseSlotItem(kTargetOrPresetSlot, 7, C(".mp4"));
  lists.ChooseSlotItem(kQualitySlot, 20, C(".mp4"));
  lists.ChooseSlotItem(kAudioStreamSlot, 3, C(".mp4"));
  lists.ChooseSlotItem(kChannelsSlot, 2, C(".mp4"));

  lists.ChangeContainer(C(".mkv"), source);
  for (int slot = 0; slot < kEasySlotCount; ++slot) EXPECT_EQ(lists.Slot(slot).selection, 0);
  lists.ChooseSlotItem(kVideoCodecSlot, 1, C(".mkv"));  // hevc
  lists.ChooseSlotItem(kChannelsSlot, 6, C(".mkv"));

  lists.ChangeContainer(C(".mp4"), source);
  EXPECT_EQ(Chosen(lists, kVideoCodecSlot), "h264");
  EXPECT_EQ(Chosen(lists, kTargetOrPresetSlot), "slow");
  EXPECT_EQ(Chosen(lists, kQualitySlot), " -crf 20");
  EXPECT_EQ(Chosen(lists, kAudioStreamSlot), "2");
  EXPECT_EQ(Chosen(lists, kChannelsSlot), "2");
  // The codec-driven profile list is back, not the container's own.
  EXPECT_EQ(lists.Slot(kProfileSlot).items[1], "Baseline");

  lists.ChangeContainer(C(".mkv"), source);
  EXPECT_EQ(Chosen(lists, kVideoCodecSlot), "hevc");
  EXPECT_EQ(Chosen(lists, kChannelsSlot), "6");
  EXPECT_EQ(lists.Slot(kProfileSlot).items[1], "Main");
}

TEST(EasyModeListsMemory, AudioOnlyContainerShowsNoVideo) {
  EasyModeLists lists;
  lists.ChangeContainer(C(".mp3"), VideoAndTwoAudios());
  EXPECT_EQ(Chosen(lists, kVideoStreamSlot), "No Video");
  EXPECT_FALSE(lists.Slot(kVideoCodecSlot).enabled);
  EXPECT_TRUE(lists.Slot(kAudioCodecSlot).enabled);
  EXPECT_EQ(lists.Slot(kAudioCodecSlot).items, (Items{"Audio Codec", "libmp3lame"}));
}

TEST(EasyModeListsMemory, ChoiceBeyondANewListFallsBackToTheCaption) {
  EasyModeLists lists;
  lists.ChangeContainer(C(".mkv"), VideoAndTwoAudios());
  lists.ChooseSlotItem(kAudioStreamSlot, 3, C(".mkv"));
  lists.ChangeContainer(C(".mkv"), Source({{"0", "video"}, {"1", "audio"}}));
  EXPECT_EQ(lists.Slot(kAudioStreamSlot).selection, 0);
  EXPECT_EQ(lists.Remembered(kAudioStreamSlot, C(".mkv")), 0);
}

TEST(EasyModeListsMemory, EachModeReturnsToItsOwnContainer) {
  EasyModeLists lists;
  EXPECT_EQ(lists.SwitchMode(true, C(".mp4")), 0);
  EXPECT_EQ(lists.SwitchMode(false, C(".mkv")), C(".mp4"));
  EXPECT_EQ(lists.SwitchMode(true, C(".avi")), C(".mkv"));
  EXPECT_EQ(lists.SwitchMode(false, C(".mkv")), C(".avi"));
}

TEST(EasyModeListsMemory, ResetStreamListsForgetsStreamChoicesOnly) {
  EasyModeLists lists;
  lists.ChangeContainer(C(".mp4"), VideoAndTwoAudios());
  lists.ChooseSlotItem(kVideoStreamSlot, 2, C(".mp4"));
  lists.ChooseSlotItem(kAudioStreamSlot, 3, C(".mp4"));
  lists.ChooseSlotItem(kDarSlot, 4, C(".mp4"));
  lists.ChooseSlotItem(kAudioStreamSlot, 1, C(".mkv"));

  lists.ResetStreamLists();
  EXPECT_EQ(lists.Slot(kVideoStreamSlot).items, (Items{"Video Stream", "No Video"}));
  EXPECT_EQ(lists.Slot(kAudioStreamSlot).items, (Items{"Audio Stream", "No Audio"}));
  EXPECT_EQ(lists.Slot(kVideoStreamSlot).selection, 0);
  EXPECT_EQ(lists.Slot(kAudioStreamSlot).selection, 0);
  for (const char* name : {".mp4", ".mkv"}) {
    EXPECT_EQ(lists.Remembered(kVideoStreamSlot, C(name)), 0);
    EXPECT_EQ(lists.Remembered(kAudioStreamSlot, C(name)), 0);
  }
  EXPECT_EQ(lists.Remembered(kDarSlot, C(".mp4")), 4);
}

TEST(EasyModeListsCodec, CodecChoiceReplacesQualityAndProfile) {
  EasyModeLists lists;
  const int mkv = C(".mkv");
  lists.ChangeContainer(mkv, VideoAndTwoAudios());
  lists.ChooseSlotItem(kQualitySlot, 5, mkv);
  lists.ChooseSlotItem(kProfileSlot, 2, mkv);
  lists.ChooseSlotItem(kDarSlot, 6, mkv);

  lists.ChooseSlotItem(kVideoCodecSlot, 1, mkv);  // hevc
  EXPECT_EQ(lists.Slot(kQualitySlot).items.size(), 51u);
  EXPECT_EQ(lists.Slot(kQualitySlot).items[1], " -crf 1");
  EXPECT_EQ(lists.Slot(kProfileSlot).items,
            (Items{"Profile", "Main", "Main_10", "Main_Still_Picture", "Rext"}));
  EXPECT_EQ(lists.Slot(kQualitySlot).selection, 0);
  EXPECT_EQ(lists.Slot(kProfileSlot).selection, 0);
  EXPECT_EQ(lists.Remembered(kQualitySlot, mkv), 0);
  EXPECT_EQ(lists.Remembered(kProfileSlot, mkv), 0);
  EXPECT_EQ(Chosen(lists, kDarSlot), "16/9");
  EXPECT_EQ(Chosen(lists, kVideoCodecSlot), "hevc");

  lists.ChooseSlotItem(kVideoCodecSlot, 6, mkv);  // mpeg4
  EXPECT_EQ(lists.Slot(kQualitySlot).items.back(), " -q:v 31");
  EXPECT_EQ(lists.Slot(kProfileSlot).items.size(), 17u);
  lists.ChooseSlotItem(kVideoCodecSlot, 4, mkv);  // h263
  EXPECT_EQ(lists.Slot(kProfileSlot).items, Items{"Empty"});

  // Back on the caption: the container's own lists again.
  lists.ChooseSlotItem(kVideoCodecSlot, 0, mkv);
  EXPECT_EQ(lists.Slot(kQualitySlot).items.back(), " -crf 50");
  EXPECT_EQ(lists.Slot(kProfileSlot).items[1], "baseline");
}

TEST(EasyModeListsCodec, DvVideoKeepsTheLists) {
  EasyModeLists lists;
  const int dv = C(".dv");
  lists.ChangeContainer(dv, VideoAndTwoAudios());
  const unsigned quality = lists.Revision(kQualitySlot);
  lists.ChooseSlotItem(kVideoCodecSlot, 1, dv);  // dvvideo
  EXPECT_EQ(lists.Revision(kQualitySlot), quality);
  EXPECT_EQ(lists.Slot(kQualitySlot).items, Items{"Empty"});
  EXPECT_EQ(lists.Slot(kProfileSlot).items, Items{"Empty"});
}

TEST(EasyModeListsTarget, MpgTargetClearsTheRateChoices) {
  EasyModeLists lists;
  const int mpg = C(".mpg");
  lists.ChangeContainer(mpg, VideoAndTwoAudios());
  lists.ChooseSlotItem(kMaxBitrateSlot, 10, mpg);
  lists.ChooseSlotItem(kBufsizeSlot, 12, mpg);
  lists.ChooseSlotItem(kTargetOrPresetSlot, 0, mpg);  // the caption: no target
  EXPECT_EQ(lists.Slot(kMaxBitrateSlot).selection, 10);

  lists.ChooseSlotItem(kTargetOrPresetSlot, 6, mpg);  // pal-dvd
  EXPECT_EQ(Chosen(lists, kTargetOrPresetSlot), "pal-dvd");
  for (int slot : {kMaxBitrateSlot, kBufsizeSlot}) {
    EXPECT_EQ(lists.Slot(slot).selection, 0) << slot;
    EXPECT_EQ(lists.Remembered(slot, mpg), 0) << slot;
  }
}

TEST(EasyModeListsTarget, PresetElsewhereKeepsTheRateChoices) {
  EasyModeLists lists;
  const int mp4 = C(".mp4");
  lists.ChangeContainer(mp4, VideoAndTwoAudios());
  lists.ChooseSlotItem(kMaxBitrateSlot, 10, mp4);
  lists.ChooseSlotItem(kBufsizeSlot, 12, mp4);
  lists.ChooseSlotItem(kTargetOrPresetSlot, 3, mp4);
  EXPECT_EQ(lists.Slot(kMaxBitrateSlot).selection, 10);
  EXPECT_EQ(lists.Remembered(kBufsizeSlot, mp4), 12);
}

TEST(EasyModeListsNote, BufsizeNoteComesOncePerRun) {
  EasyModeLists lists;
  EXPECT_FALSE(lists.TakeBufsizeNote(kDarSlot));
  EXPECT_TRUE(lists.TakeBufsizeNote(kMaxBitrateSlot));
  EXPECT_FALSE(lists.TakeBufsizeNote(kMaxBitrateSlot));
  EXPECT_FALSE(lists.TakeBufsizeNote(kBufsizeSlot));
  EXPECT_FALSE(lists.TakeBufsizeNote(kQualitySlot));

  EasyModeLists other;
  EXPECT_TRUE(other.TakeBufsizeNote(kQualitySlot));
}

}  // namespace
}  // namespace trellimux
