#include <gtest/gtest.h>

#include "cmdline/ExpertCommand.h"
#include "cmdline/StreamRows.h"
#include "params/ParameterColumns.h"

namespace trellimux {
namespace {

ExpertCommandInput Input(std::size_t rows) {
  ExpertCommandInput input;
  input.expertMode = true;
  input.containerIndex = 4;
  input.sourceRowCount = rows;
  input.inputPath = "D:\\in.ts";
  input.outputPath = "D:\\out.mkv";
  return input;
}

std::string Build(const StreamTable& table, ExpertCommandInput input) {
  std::optional<std::string> text = BuildExpertCommand(input, table);
  EXPECT_TRUE(text.has_value());
  return text.value_or("");
}

std::string Build(const StreamTable& table) { return Build(table, Input(table.RowCount())); }

TEST(BuildExpertCommand, WorkedExample) {
  StreamTable table = Rows({
      {"0",
       "video",
       true,
       {{kCodec, "hevc"},
        {kProfile, "Main_10"},
        {kWidth, "1280"},
        {kHeight, "720"},
        {kDar, "16/9"},
        {kQuality, "22"}}},
      {"1", "audio", false, {{kCodec, "aac"}}},
      {"2", "audio", true, {{kCodec, "libmp3lame"}, {kBitrate, "192k"}}},
      {"3", "subtitle", true, {{kLanguage, "ger"}}},
  });
  ExpertCommandInput input = Input(4);
  input.startTime = TimeOfDay{0, 1, 0};
  // The HEVC encoders take the profile by its own name, not by number.
  EXPECT_EQ(
      Build(table, input),
      " -fflags genpts -i \"D:\\in.ts\" -ss 00:01:00 -map 0:0 -c:v:0 hevc -profile:v:0 main10"
      " -filter:v:0 scale=1280/720,setdar=16/9 -aspect:v:0 16/9 -crf:v:0 22 -map 0:2 -c:a:0 libmp3lame"
      " -joint_stereo 0 -b:a:0 192k -map 0:3 -metadata:s:s:0 language=ger \"D:\\out.mkv\"");
}

TEST(BuildExpertCommand, PreconditionsLeaveTheBoxAloneOrEmpty) {
  StreamTable table = Rows({{"0", "video", true, {}}});
  ExpertCommandInput input = Input(1);
  input.expertMode = false;
  EXPECT_EQ(BuildExpertCommand(input, table), std::nullopt) << "easy mode: box untouched";
  input = Input(1);
  input.containerIndex = 0;
  EXPECT_EQ(BuildExpertCommand(input, table), "") << "container caption: box emptied";
  EXPECT_EQ(BuildExpertCommand(Input(0), StreamTable{}), "") << "no streams: box emptied";
}

TEST(BuildExpertCommand, NoCheckedRowGivesInputTimesAndOutputOnly) {
  StreamTable table = Rows({{"0", "video", false, {{kCodec, "h264"}}}});
  ExpertCommandInput input = Input(1);
  input.startTime = TimeOfDay{0, 0, 5};
  input.endTime = TimeOfDay{1, 2, 3};
  EXPECT_EQ(Build(table, input),
            " -fflags genpts -i \"D:\\in.ts\" -ss 00:00:05 -to 01:02:03 \"D:\\out.mkv\"");
}

TEST(BuildExpertCommand, SpecifiersCountOnlyIncludedStreamsOfEachType) {
  StreamTable table = Rows({
      {"0", "audio", true, {{kCodec, "aac"}}},
      {"1", "audio", false, {{kCodec, "mp2"}}},
      {"2", "data", true, {{kCodec, "copy"}}},
      {"3", "attachment", true, {}},
      {"4", "audio", true, {{kCodec, "ac3"}}},
      {"5", "video", true, {{kCodec, "copy"}}},
      {"6", "", true, {}},
  });
  EXPECT_EQ(Build(table),
            " -fflags genpts -i \"D:\\in.ts\" -map 0:0 -c:a:0 aac -map 0:4 -c:a:1 ac3"
            " -map 0:5 -c:v:0 copy \"D:\\out.mkv\"");
}

TEST(BuildExpertCommand, OnlyRowsUpToTheSourceCountAreWalked) {
  StreamTable table = Rows({{"0", "audio", true, {}}, {"1", "audio", true, {}}});
  EXPECT_EQ(Build(table, Input(1)), " -fflags genpts -i \"D:\\in.ts\" -map 0:0 \"D:\\out.mkv\"");
}

TEST(BuildExpertCommand, FilterChainPartsAndTheirOptions) {
  auto video = [](std::vector<std::pair<int, const char*>> cells) {
    std::string text = Build(Rows({{"0", "video", true, cells}}));
    const std::string head = " -fflags genpts -i \"D:\\in.ts\" -map 0:0";
    const std::string tail = " \"D:\\out.mkv\"";
    return text.substr(head.size(), text.size() - head.size() - tail.size());
  };
  EXPECT_EQ(video({{kFps, "25/1"}}), " -filter:v:0 fps=fps=25/1 -r:v:0 25/1") << "keeps the first second";
  EXPECT_EQ(video({{kWidth, "1280"}}), "") << "width without height: no scale, no filter";
  EXPECT_EQ(video({{kHeight, "720"}, {kSar, "1/1"}}), " -filter:v:0 setsar=1/1");
  EXPECT_EQ(
      video(
          {{kFps, "30000/1001"}, {kDar, "4/3"}, {kSar, "1/1"}, {kWidth, "640"}, {kHeight, "480"}}),
      " -filter:v:0 scale=640/480,setsar=1/1,setdar=4/3,fps=fps=30000/1001 -aspect:v:0 4/3"
      " -r:v:0 30000/1001");
}

TEST(BuildExpertCommand, QualityOptionFollowsTheCodec) {
  auto quality = [](const char* codec) {
    return Build(Rows({{"0", "video", true, {{kCodec, codec}, {kQuality, "5"}}}}));
  };
  EXPECT_NE(quality("HEVC").find(" -c:v:0 HEVC -crf:v:0 5"), std::string::npos);
  EXPECT_NE(quality("h264").find(" -crf:v:0 5"), std::string::npos);
  EXPECT_NE(quality("mpeg2video").find(" -q:v:0 5"), std::string::npos);
  EXPECT_EQ(quality("dvvideo").find("5 "), std::string::npos);
  EXPECT_EQ(quality("DVVIDEO").find(" -q:"), std::string::npos);
  EXPECT_EQ(quality("").find("-q"), std::string::npos);
  EXPECT_EQ(quality("").find("-crf"), std::string::npos);
}

TEST(BuildExpertCommand, OptionsGoOnlyToTheirStreamTypes) {
  const std::vector<std::pair<int, const char*>> all = {
      {kCodec, "MP3"},        {kProfile, "High"},     {kLevel, "41"},      {kPixFmt, "yuv420p"},
      {kBitrate, "128k"},     {kMaxBitrate, "2500k"}, {kBufsize, "1800k"}, {kSampleFmt, "s16p"},
      {kSampleRate, "44100"}, {kChannels, "2"},       {kLayout, "stereo"}, {kLanguage, "eng"}};
  std::string text = Build(
      Rows({{"7", "video", true, all}, {"8", "audio", true, all}, {"9", "subtitle", true, all}}));
  EXPECT_EQ(text,
            " -fflags genpts -i \"D:\\in.ts\""
            " -map 0:7 -c:v:0 MP3 -joint_stereo 0 -profile:v:0 High -level:v:0 41"
            " -pix_fmt:v:0 yuv420p -b:v:0 128k -maxrate 2500k -bufsize 1800k"
            " -map 0:8 -c:a:0 MP3 -joint_stereo 0 -b:a:0 128k -sample_fmt:a:0 s16p -ar:a:0 44100"
            " -ac:a:0 2 -channel_layout:a:0 stereo -metadata:s:a:0 language=eng"
            " -map 0:9 -c:s:0 MP3 -joint_stereo 0 -metadata:s:s:0 language=eng"
            " \"D:\\out.mkv\"");
}

TEST(BuildExpertCommand, ProfileIsMappedByTheRowsCodec) {
  auto profile = [](const char* codec, const char* name) {
    std::string text = Build(Rows({{"0", "video", true, {{kCodec, codec}, {kProfile, name}}}}));
    std::size_t at = text.find(" -profile:v:0 ");
    return at == std::string::npos ? std::string("none")
                                   : text.substr(at + 14, text.find(' ', at + 14) - at - 14);
  };
  EXPECT_EQ(profile("HEVC", "main_10"), "main10");
  EXPECT_EQ(profile("h264", "High"), "high");
  EXPECT_EQ(profile("mpeg2video", "Main"), "4");
  EXPECT_EQ(profile("", "Main"), "Main");
}

TEST(BuildExpertCommand, LongCommandsAreNeverCut) {
  // 80 streams with 1,023-character codec cells: far past the 65,534 limit.
  StreamTable table;
  for (int i = 0; i < 80; ++i) {
    TableRow row;
    row.cells[kStream] = std::to_string(i);
    row.cells[kCodec] = std::string(1023, 'c');
    row.checked = true;
    row.typeTag = MakeTypeTag("audio");
    table.AppendRow(row);
  }
  std::string text = Build(table);
  EXPECT_GT(text.size(), kMaxCommandLength);
  EXPECT_NE(text.find(" -map 0:79 -c:a:79 " + std::string(1023, 'c') + " \"D:\\out.mkv\""),
            std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 13), " \"D:\\out.mkv\"");
}

}  // namespace
}  // namespace trellimux
