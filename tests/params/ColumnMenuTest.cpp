#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "params/ColumnMenu.h"
#include "params/ParameterColumns.h"
#include "params/ValueLists.h"
#include "probe/ReportText.h"

namespace trellimux {
namespace {

using test::AudioStream;
using test::Format;
using test::Stream;
using test::VideoStream;
using Values = std::vector<std::string_view>;

constexpr int kDeleteId = kFirstMenuChoiceId;
constexpr int kFromSourceId = kFirstMenuChoiceId + 1;
constexpr int kFirstValueId = kFirstMenuChoiceId + 2;

// Rows: 0 video (mpeg2video), 1 audio (ger), 2 audio (eng), 3 subtitle, 4 data.
const std::string kMixedStreams =
    VideoStream("0", "720", "576") + AudioStream("1", "ger") + AudioStream("2", "eng") +
    Stream({"index=3", "codec_name=dvb_subtitle", "codec_type=subtitle", "TAG:language=deu"}) +
    Stream({"index=4", "codec_type=data"}) + Format("5");
constexpr std::size_t kVideoRow = 0, kAudioRow = 1, kSecondAudioRow = 2, kSubtitleRow = 3,
                      kDataRow = 4;

PageTables Loaded(const std::string& report = kMixedStreams) {
  PageTables tables(StreamPage::Convert);
  EXPECT_EQ(tables.LoadProbeReport(report), std::nullopt);
  return tables;
}

PageTables SelectedAt(std::size_t row) {
  PageTables tables = Loaded();
  tables.ParameterTable().Select(row);
  return tables;
}

std::optional<ColumnMenu> MenuOn(PageTables& tables, std::size_t row, int column) {
  tables.ParameterTable().Select(row);
  return BuildColumnMenu(tables, column);
}

// The values a value menu offers after "from Source"; none for an empty menu.
Values OfferedValues(const ColumnMenu& menu) {
  Values values;
  for (std::size_t i = 4; i < menu.size(); ++i) values.push_back(menu[i].text);
  return values;
}

Values Listed(std::span<const std::string_view> list) { return {list.begin(), list.end()}; }

bool IsEmptyMenu(const std::optional<ColumnMenu>& menu) {
  return menu && menu->size() == 3 && menu->back().id == kDeleteId &&
         menu->back().text == "delete Parameter";
}

using RowCells = std::vector<std::array<std::string, kParameterColumnCount>>;

RowCells ParameterCells(const PageTables& tables) {
  RowCells cells;
  const StreamTable& parameters = tables.ParameterTable();
  for (std::size_t row = 0; row < parameters.RowCount(); ++row)
    cells.push_back(parameters.Row(row).cells);
  return cells;
}

std::string_view Cell(const PageTables& tables, std::size_t row, int column) {
  return tables.ParameterTable().GetCell(row, column);
}

// ---------------------------------------------------------------------------
// The value lists themselves.

struct ListFacts {
  const char* name;
  std::span<const std::string_view> list;
  std::size_t count;
  std::string_view first;
  std::string_view last;
};

const ListFacts kListFacts[] = {
    {"video codecs", kVideoCodecs, 7, "hevc", "vp9"},
    {"audio codecs", kAudioCodecs, 4, "aac", "mp2"},
    {"subtitle codecs", kSubtitleCodecs, 2, "dvb_subtitle", "dvb_teletext"},
    {"h264 profiles", kH264Profiles, 6, "Baseline", "High444"},
    {"hevc profiles", kHevcProfileNames, 4, "Main", "Rext"},
    {"mpeg2 profiles", kMpeg2Profiles, 6, "422", "Simple"},
    {"mpeg4 profiles", kMpeg4Profiles, 16, "Simple", "Advanced_Simple"},
    {"vp9 profiles", kVp9Profiles, 4, "0", "3"},
    {"levels", kLevels, 14, "1", "8"},
    {"widths", kWidths, 33, "128", "7680"},
    {"heights", kHeights, 33, "96", "4800"},
    {"sample aspect ratios", kSampleAspectRatios, 12, "155200/127953", "8/9"},
    {"display aspect ratios", kDisplayAspectRatios, 8, "1/1", "21/9"},
    {"frame rates", kFrameRates, 23, "12/1", "300/1"},
    {"pixel formats", kPixelFormats, 136, "0bgr", "yvyu422"},
    {"qualities", kQualities, 31, "1", "31"},
    {"video bit rates", kVideoBitrates, 58, "200k", "300M"},
    {"audio bit rates", kAudioBitrates, 10, "8000", "448000"},
    {"buffer sizes", kBufferSizes, 58, "50k", "60M"},
    {"sample formats", kSampleFormats, 9, "dbl", "u8p"},
    {"sample rates", kSampleRates, 16, "11025", "5644800"},
    {"channel counts", kChannelCounts, 12, "1", "12"},
    {"channel layouts", kChannelLayouts, 28, "mono", "downmix"},
    {"languages", kLanguages, 8, "deu", "spa"},
};

TEST(ValueLists, CountsAndEndsAreThoseOfTheMenus) {
  for (const ListFacts& facts : kListFacts) {
    SCOPED_TRACE(facts.name);
    ASSERT_EQ(facts.list.size(), facts.count);
    EXPECT_EQ(facts.list.front(), facts.first);
    EXPECT_EQ(facts.list.back(), facts.last);
  }
}

TEST(ValueLists, ValuesAreDistinctAndNeverAMenuWord) {
  for (const ListFacts& facts : kListFacts) {
    SCOPED_TRACE(facts.name);
    std::set<std::string_view> seen;
    for (std::string_view value : facts.list) {
      EXPECT_TRUE(seen.insert(value).second) << "repeated: " << value;
      EXPECT_FALSE(value.empty());
      EXPECT_NE(value, "from Source");
      EXPECT_NE(value, "delete Parameter");
    }
  }
}

TEST(ValueLists, NumberedListsCountUpFromOne) {
  for (std::size_t i = 0; i < kQualities.size(); ++i)
    EXPECT_EQ(kQualities[i], std::to_string(i + 1));
  for (std::size_t i = 0; i < kChannelCounts.size(); ++i)
    EXPECT_EQ(kChannelCounts[i], std::to_string(i + 1));
}

TEST(ValueLists, ProfilesFollowTheCodecIgnoringCase) {
  EXPECT_EQ(Listed(ProfileNamesForCodec("H264")), Listed(kH264Profiles));
  EXPECT_EQ(Listed(ProfileNamesForCodec("h265")), Listed(kHevcProfileNames));
  EXPECT_EQ(Listed(ProfileNamesForCodec("HEVC")), Listed(kHevcProfileNames));
  EXPECT_EQ(Listed(ProfileNamesForCodec("Mpeg2Video")), Listed(kMpeg2Profiles));
  EXPECT_EQ(Listed(ProfileNamesForCodec("mpeg4")), Listed(kMpeg4Profiles));
  EXPECT_EQ(Listed(ProfileNamesForCodec("VP9")), Listed(kVp9Profiles));
  for (std::string_view codec : {"h263", "h263p", "", "dvvideo", "aac", "h2640"})
    EXPECT_TRUE(ProfileNamesForCodec(codec).empty()) << codec;
}

// ---------------------------------------------------------------------------
// Which menu a right click opens.

TEST(ColumnMenu, ValueMenuHasTitleSeparatorDeleteFromSourceThenValues) {
  PageTables tables = Loaded();
  std::optional<ColumnMenu> menu = MenuOn(tables, kVideoRow, kCodec);
  ASSERT_TRUE(menu);
  ASSERT_EQ(menu->size(), 4 + kVideoCodecs.size());
  EXPECT_EQ((*menu)[0].id, kMenuTitleId);
  EXPECT_EQ((*menu)[0].text, "Codec");
  EXPECT_FALSE((*menu)[0].separator);
  EXPECT_TRUE((*menu)[1].separator);
  EXPECT_EQ((*menu)[1].id, 0);
  EXPECT_EQ((*menu)[2].id, 0x8001);
  EXPECT_EQ((*menu)[2].text, "delete Parameter");
  EXPECT_EQ((*menu)[3].id, 0x8002);
  EXPECT_EQ((*menu)[3].text, "from Source");
  EXPECT_EQ((*menu)[4].id, 0x8003);
  EXPECT_EQ((*menu)[4].text, "hevc");
  EXPECT_EQ(menu->back().id, 0x8009);
  EXPECT_EQ(menu->back().text, "vp9");
}

TEST(ColumnMenu, StreamMenuOnColumnZeroWhateverTheSelection) {
  PageTables tables = Loaded();
  const Values items = {"Stream",
                        "",
                        "Reset all stream parameter to source values",
                        "Delete all stream parameter",
                        "Move up",
                        "Move down"};
  auto check = [&](const std::optional<ColumnMenu>& menu) {
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->size(), items.size());
    EXPECT_EQ((*menu)[0].id, kMenuTitleId);
    EXPECT_TRUE((*menu)[1].separator);
    for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ((*menu)[i].text, items[i]);
    for (std::size_t i = 2; i < items.size(); ++i)
      EXPECT_EQ((*menu)[i].id, kFirstMenuChoiceId + static_cast<int>(i) - 2);
  };
  check(BuildColumnMenu(tables, kStream));  // no row selected
  check(MenuOn(tables, kDataRow, kStream));
  check(BuildColumnMenu(PageTables(StreamPage::Trim), kStream));  // no rows at all
}

TEST(ColumnMenu, NoMenuOnTypeColumnOutsideTheColumnsOrWithoutSelection) {
  PageTables tables = Loaded();
  for (int column = kCodec; column < kParameterColumnCount; ++column)
    EXPECT_FALSE(BuildColumnMenu(tables, column)) << kParameterColumns[column].header;
  for (std::size_t row : {kVideoRow, kAudioRow, kSubtitleRow})
    EXPECT_FALSE(MenuOn(tables, row, kType));
  EXPECT_FALSE(MenuOn(tables, kVideoRow, -1));
  EXPECT_FALSE(MenuOn(tables, kVideoRow, kParameterColumnCount));
}

TEST(ColumnMenu, StreamsOfOtherTypesGetNoValueMenu) {
  PageTables tables =
      Loaded(Stream({"index=0", "codec_type=data", "codec_name=bin_data"}) +
             Stream({"index=1", "codec_type=attachment", "codec_name=ttf"}) +
             Stream({"index=2", "codec_name=h264"}) + Format("3"));  // no type reported
  for (std::size_t row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    for (int column = kCodec; column < kParameterColumnCount; ++column)
      EXPECT_FALSE(MenuOn(tables, row, column)) << kParameterColumns[column].header;
    EXPECT_TRUE(MenuOn(tables, row, kStream));
  }
}

TEST(ColumnMenu, ListsFollowTheRowsStreamType) {
  using List = std::span<const std::string_view>;
  struct Expected {
    int column;
    List video, audio, subtitle;
  };
  // Profile and Quality depend on the codec too; the row's source codec is
  // mpeg2video, which has both.
  const Expected table[] = {
      {kCodec, kVideoCodecs, kAudioCodecs, kSubtitleCodecs},
      {kProfile, kMpeg2Profiles, {}, {}},
      {kLevel, kLevels, {}, {}},
      {kWidth, kWidths, {}, {}},
      {kHeight, kHeights, {}, {}},
      {kSar, kSampleAspectRatios, {}, {}},
      {kDar, kDisplayAspectRatios, {}, {}},
      {kFps, kFrameRates, {}, {}},
      {kPixFmt, kPixelFormats, {}, {}},
      {kQuality, kQualities, {}, {}},
      {kBitrate, kVideoBitrates, kAudioBitrates, {}},
      {kMaxBitrate, kVideoBitrates, {}, {}},
      {kBufsize, kBufferSizes, {}, {}},
      {kSampleFmt, {}, kSampleFormats, {}},
      {kSampleRate, {}, kSampleRates, {}},
      {kChannels, {}, kChannelCounts, {}},
      {kLayout, {}, kChannelLayouts, {}},
      {kLanguage, {}, kLanguages, kLanguages},
  };
  PageTables tables = Loaded();
  for (const Expected& expected : table) {
    SCOPED_TRACE(kParameterColumns[expected.column].header);
    for (auto [row, list] :
         {std::pair{kVideoRow, expected.video}, std::pair{kAudioRow, expected.audio},
          std::pair{kSubtitleRow, expected.subtitle}}) {
      std::optional<ColumnMenu> menu = MenuOn(tables, row, expected.column);
      ASSERT_TRUE(menu) << "row " << row;
      EXPECT_EQ((*menu)[0].text, kParameterColumns[expected.column].header);
      if (list.empty()) {
        EXPECT_TRUE(IsEmptyMenu(menu)) << "row " << row;
      } else {
        EXPECT_EQ((*menu)[3].text, "from Source");
        EXPECT_EQ(OfferedValues(*menu), Listed(list)) << "row " << row;
      }
    }
  }
}

TEST(ColumnMenu, WidthOnAnAudioRowIsAnEmptyMenu) {
  PageTables tables = Loaded();
  std::optional<ColumnMenu> menu = MenuOn(tables, kAudioRow, kWidth);
  ASSERT_TRUE(menu);
  ASSERT_EQ(menu->size(), 3u);
  EXPECT_EQ((*menu)[0].text, "Width");
  EXPECT_TRUE((*menu)[1].separator);
  EXPECT_EQ((*menu)[2].text, "delete Parameter");
}

TEST(ColumnMenu, SubtitleLanguagesAreTheAudioOnes) {
  PageTables tables = Loaded();
  std::optional<ColumnMenu> subtitle = MenuOn(tables, kSubtitleRow, kLanguage);
  std::optional<ColumnMenu> audio = MenuOn(tables, kAudioRow, kLanguage);
  ASSERT_TRUE(subtitle && audio);
  EXPECT_EQ(OfferedValues(*subtitle), OfferedValues(*audio));
  EXPECT_EQ(OfferedValues(*subtitle).size(), 8u);
}

TEST(ColumnMenu, ProfileMenuFollowsTheRowsCodecCell) {
  PageTables tables = SelectedAt(kVideoRow);
  auto profileMenuFor = [&](std::string_view codec) {
    tables.ParameterTable().SetCell(kVideoRow, kCodec, codec);
    return BuildColumnMenu(tables, kProfile);
  };
  EXPECT_TRUE(IsEmptyMenu(profileMenuFor("")));
  EXPECT_TRUE(IsEmptyMenu(profileMenuFor("h263p")));
  EXPECT_TRUE(IsEmptyMenu(profileMenuFor("h263")));
  EXPECT_TRUE(IsEmptyMenu(profileMenuFor("dvvideo")));
  EXPECT_EQ(OfferedValues(*profileMenuFor("HEVC")), Listed(kHevcProfileNames));
  EXPECT_EQ(OfferedValues(*profileMenuFor("h265")), Listed(kHevcProfileNames));
  EXPECT_EQ(OfferedValues(*profileMenuFor("vp9")), Values({"0", "1", "2", "3"}));

  tables.ParameterTable().SetCell(kAudioRow, kCodec, "h264");
  EXPECT_TRUE(IsEmptyMenu(MenuOn(tables, kAudioRow, kProfile))) << "audio rows have no profiles";
}

TEST(ColumnMenu, QualityMenuIsEmptyForDvvideoInAnyCase) {
  PageTables tables = SelectedAt(kVideoRow);
  for (std::string_view codec : {"dvvideo", "DVVIDEO", "DvVideo"}) {
    tables.ParameterTable().SetCell(kVideoRow, kCodec, codec);
    EXPECT_TRUE(IsEmptyMenu(BuildColumnMenu(tables, kQuality))) << codec;
  }
  for (std::string_view codec : {"h264", "", "dvvideo2"}) {
    tables.ParameterTable().SetCell(kVideoRow, kCodec, codec);
    std::optional<ColumnMenu> menu = BuildColumnMenu(tables, kQuality);
    ASSERT_TRUE(menu);
    EXPECT_EQ(OfferedValues(*menu).size(), 31u) << codec;
  }
}

TEST(ColumnMenu, MovedRowKeepsTheMenusOfItsOwnType) {
  PageTables tables = SelectedAt(kAudioRow);
  tables.MoveRowUp();  // the audio stream now sits where the video stream was
  ASSERT_EQ(tables.ParameterTable().Selection(), 0u);
  EXPECT_TRUE(IsEmptyMenu(BuildColumnMenu(tables, kWidth)));
  EXPECT_EQ(OfferedValues(*BuildColumnMenu(tables, kSampleRate)), Listed(kSampleRates));
  EXPECT_EQ(OfferedValues(*MenuOn(tables, 1, kWidth)), Listed(kWidths));
}

TEST(ColumnMenu, EveryMenuHasConsecutiveIdsBelowTheChoiceEnd) {
  PageTables tables = Loaded();
  std::size_t longest = 0;
  for (std::size_t row : {kVideoRow, kAudioRow, kSubtitleRow}) {
    for (int column = kStream; column < kParameterColumnCount; ++column) {
      if (column == kType) continue;
      std::optional<ColumnMenu> menu = MenuOn(tables, row, column);
      ASSERT_TRUE(menu);
      for (std::size_t i = 2; i < menu->size(); ++i) {
        EXPECT_EQ((*menu)[i].id, kFirstMenuChoiceId + static_cast<int>(i) - 2);
        EXPECT_FALSE((*menu)[i].separator);
      }
      EXPECT_LT(menu->back().id, kMenuChoiceEnd);
      longest = std::max(longest, menu->size() - 3);
    }
  }
  EXPECT_EQ(longest, 137u) << "pixel formats and \"from Source\"";
}

// ---------------------------------------------------------------------------
// What a choice does.

TEST(ColumnMenuChoice, PickingAVideoCodecSetsItsProfileAndLevel) {
  struct Case {
    std::string_view codec, profile, level;
  };
  const Case cases[] = {
      {"h264", "High", "41"}, {"hevc", "Main", "41"}, {"mpeg2video", "Main", "8"},
      {"mpeg4", "Main", "1"}, {"vp9", "2", "5"},      {"h263", "", ""},
      {"h263p", "", ""},      {"H264", "High", "41"}, {"VP9", "2", "5"},
  };
  for (const Case& pick : cases) {
    SCOPED_TRACE(pick.codec);
    PageTables tables = SelectedAt(kVideoRow);
    StreamTable& parameters = tables.ParameterTable();
    parameters.SetCell(kVideoRow, kProfile, "Simple");
    parameters.SetCell(kVideoRow, kLevel, "62");
    ApplyMenuChoice(tables, kCodec, kFirstValueId, pick.codec);
    EXPECT_EQ(Cell(tables, kVideoRow, kCodec), pick.codec);
    EXPECT_EQ(Cell(tables, kVideoRow, kProfile), pick.profile);
    EXPECT_EQ(Cell(tables, kVideoRow, kLevel), pick.level);
  }
}

TEST(ColumnMenuChoice, PickingAnotherCodecChangesOnlyTheCodecCell) {
  PageTables tables = SelectedAt(kAudioRow);
  tables.ParameterTable().SetCell(kAudioRow, kProfile, "LC");
  tables.ParameterTable().SetCell(kAudioRow, kLevel, "3");
  RowCells expected = ParameterCells(tables);
  expected[kAudioRow][kCodec] = "aac";
  ApplyMenuChoice(tables, kCodec, kFirstValueId, "aac");
  EXPECT_EQ(ParameterCells(tables), expected);

  tables.ParameterTable().Select(kVideoRow);
  expected[kVideoRow][kCodec] = "libx265";  // not in the menu, but any text goes in unchanged
  ApplyMenuChoice(tables, kCodec, kFirstValueId + 5, "libx265");
  EXPECT_EQ(ParameterCells(tables), expected);
}

TEST(ColumnMenuChoice, PickingAValueWritesItsTextIntoTheSelectedRowOnly) {
  PageTables tables = SelectedAt(kSecondAudioRow);
  RowCells expected = ParameterCells(tables);
  expected[kSecondAudioRow][kSampleRate] = "44100";
  ApplyMenuChoice(tables, kSampleRate, kFirstValueId + 5, "44100");
  EXPECT_EQ(ParameterCells(tables), expected);

  ApplyMenuChoice(tables, kLanguage, kMenuChoiceEnd - 1, std::string(2000, 'x'));
  EXPECT_EQ(Cell(tables, kSecondAudioRow, kLanguage), std::string(kMaxCellLength, 'x'));
}

TEST(ColumnMenuChoice, DeleteParameterEmptiesOnlyThatCell) {
  PageTables tables = SelectedAt(kVideoRow);
  RowCells expected = ParameterCells(tables);
  expected[kVideoRow][kCodec] = "";
  ApplyMenuChoice(tables, kCodec, kDeleteId, "delete Parameter");
  EXPECT_EQ(ParameterCells(tables), expected) << "no codec defaults for an emptied codec";
}

TEST(ColumnMenuChoice, FromSourceRestoringDvvideoEmptiesQualityOnly) {
  PageTables tables = Loaded(Stream({"index=0", "codec_name=DVVideo", "codec_type=video",
                                     "profile=unknown", "width=720"}) +
                             Format("1"));
  StreamTable& parameters = tables.ParameterTable();
  parameters.Select(0);
  ApplyMenuChoice(tables, kCodec, kFirstValueId, "h264");
  parameters.SetCell(0, kQuality, "18");
  ASSERT_EQ(parameters.GetCell(0, kProfile), "High");

  ApplyMenuChoice(tables, kCodec, kFromSourceId, "from Source");
  EXPECT_EQ(parameters.GetCell(0, kCodec), "DVVideo");
  EXPECT_EQ(parameters.GetCell(0, kQuality), "");
  EXPECT_EQ(parameters.GetCell(0, kProfile), "High") << "no codec defaults from the source";
  EXPECT_EQ(parameters.GetCell(0, kLevel), "41");
}

TEST(ColumnMenuChoice, FromSourceRestoringAnotherCodecKeepsQuality) {
  PageTables tables = SelectedAt(kVideoRow);
  ApplyMenuChoice(tables, kCodec, kFirstValueId, "hevc");
  ApplyMenuChoice(tables, kQuality, kFirstValueId + 17, "18");
  ApplyMenuChoice(tables, kCodec, kFromSourceId, "from Source");
  EXPECT_EQ(Cell(tables, kVideoRow, kCodec), "mpeg2video");
  EXPECT_EQ(Cell(tables, kVideoRow, kQuality), "18");
  EXPECT_EQ(Cell(tables, kVideoRow, kProfile), "Main");
  EXPECT_EQ(Cell(tables, kVideoRow, kLevel), "41");
}

TEST(ColumnMenuChoice, FromSourceEmptiesColumnsTheProbeLeavesEmpty) {
  PageTables tables = SelectedAt(kVideoRow);
  for (int column : {kQuality, kBufsize}) {
    ApplyMenuChoice(tables, column, kFirstValueId + 2, "3");
    ASSERT_EQ(Cell(tables, kVideoRow, column), "3");
    ApplyMenuChoice(tables, column, kFromSourceId, "from Source");
    EXPECT_EQ(Cell(tables, kVideoRow, column), "") << kParameterColumns[column].header;
  }
}

TEST(ColumnMenuChoice, FromSourceAfterAMoveRestoresTheRowsOwnStream) {
  PageTables tables = SelectedAt(kSecondAudioRow);
  tables.MoveRowUp();
  ASSERT_EQ(tables.ParameterTable().Selection(), kAudioRow);
  ApplyMenuChoice(tables, kLanguage, kDeleteId, "delete Parameter");
  ApplyMenuChoice(tables, kLanguage, kFromSourceId, "from Source");
  EXPECT_EQ(Cell(tables, kAudioRow, kLanguage), "eng");
  EXPECT_EQ(Cell(tables, kSecondAudioRow, kLanguage), "ger");
}

TEST(ColumnMenuChoice, StreamMenuRunsTheRowOperations) {
  PageTables tables = SelectedAt(kAudioRow);
  const RowCells loaded = ParameterCells(tables);

  ApplyMenuChoice(tables, kStream, 0x8003, "Move up");
  EXPECT_EQ(Cell(tables, 0, kStream), "1");
  ApplyMenuChoice(tables, kStream, 0x8004, "Move down");
  EXPECT_EQ(ParameterCells(tables), loaded);
  ASSERT_EQ(tables.ParameterTable().Selection(), kAudioRow);

  ApplyMenuChoice(tables, kStream, 0x8002, "Delete all stream parameter");
  EXPECT_EQ(Cell(tables, kAudioRow, kType), "audio");
  EXPECT_EQ(Cell(tables, kAudioRow, kCodec), "");
  EXPECT_EQ(Cell(tables, kAudioRow, kLanguage), "");
  ApplyMenuChoice(tables, kStream, 0x8001, "Reset all stream parameter to source values");
  EXPECT_EQ(ParameterCells(tables), loaded);

  tables.ParameterTable().SetCell(kAudioRow, kCodec, "aac");
  for (int id : {kMenuTitleId, 0x8005, 0x80FF, kMenuChoiceEnd}) {
    ApplyMenuChoice(tables, kStream, id, "Move up");
    EXPECT_EQ(Cell(tables, kAudioRow, kCodec), "aac") << std::hex << id;
    EXPECT_EQ(Cell(tables, kAudioRow, kStream), "1") << std::hex << id;
  }
}

TEST(ColumnMenuChoice, NothingChangesWithoutASelectedRow) {
  PageTables tables = Loaded();
  const RowCells loaded = ParameterCells(tables);
  for (int column = kType; column < kParameterColumnCount; ++column)
    for (int id : {kDeleteId, kFromSourceId, kFirstValueId})
      ApplyMenuChoice(tables, column, id, "h264");
  EXPECT_EQ(ParameterCells(tables), loaded);
}

TEST(ColumnMenuChoice, TitleStrayIdsAndTheTypeColumnChangeNothing) {
  PageTables tables = SelectedAt(kVideoRow);
  const RowCells loaded = ParameterCells(tables);
  for (int id : {kMenuTitleId, kMenuChoiceEnd, 0x7FFF, 0})
    ApplyMenuChoice(tables, kCodec, id, "h264");
  for (int id : {kDeleteId, kFromSourceId, kFirstValueId})
    ApplyMenuChoice(tables, kType, id, "audio");
  ApplyMenuChoice(tables, kParameterColumnCount, kFirstValueId, "h264");
  ApplyMenuChoice(tables, -1, kFirstValueId, "h264");
  EXPECT_EQ(ParameterCells(tables), loaded);
}

}  // namespace
}  // namespace trellimux
