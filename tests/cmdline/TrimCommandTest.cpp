#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "cmdline/StreamRows.h"
#include "cmdline/TrimCommand.h"
#include "concat/ConcatCommand.h"
#include "params/ParameterColumns.h"
#include "text/CommandText.h"
#include "trim/TrimChoices.h"

namespace trellimux {
namespace {

const std::vector<Cut> kTwoCuts = {{"00:01:00.000", "00:10:00.500"},
                                   {"00:20:00.000", "00:30:00.000"}};

// Easy mode, "Copy", "FFmpeg File".
TrimCommandInput Input() {
  TrimCommandInput input;
  input.inputPath = "D:\\rec.ts";
  input.outputPath = "D:\\new.ts";
  input.tempDir = "D:\\app\\Temp";
  input.cutMode = kCopyCut;
  input.concatMode = kFileConcat;
  return input;
}

// What one cut line writes for its streams: from the first " -map" to its
// end ("-t" for a copy, "-to" else).
std::string StreamPart(const StreamTable& table, const TrimCommandInput& input) {
  const std::string line = TrimCommandLines(BuildTrimCommand(input, table, kTwoCuts)).front();
  const std::size_t start = line.find(" -map");
  return line.substr(start, line.find(input.cutMode == kCopyCut ? " -t " : " -to ") - start);
}

TEST(TrimCommand, WorkedExampleCutsTwoSectionsAndJoinsThemAsOneByteStream) {
  StreamTable table = Rows({{"0", "video", true, {}}, {"1", "audio", true, {}}});
  EXPECT_EQ(BuildTrimCommand(Input(), table, kTwoCuts),
            " -fflags genpts -ss 00:01:00.000 -i \"D:\\rec.ts\" -ss 0 -map 0:0 -c:v:0 copy"
            " -map 0:1 -c:a:0 copy -t 00:09:00.500 -avoid_negative_ts disabled"
            " \"D:\\app\\Temp\\temp0.ts\"\r\n"
            " -fflags genpts -ss 00:20:00.000 -i \"D:\\rec.ts\" -ss 0 -map 0:0 -c:v:0 copy"
            " -map 0:1 -c:a:0 copy -t 00:10:00.000 -avoid_negative_ts disabled"
            " -output_ts_offset 00:09:00.500 \"D:\\app\\Temp\\temp1.ts\"\r\n"
            " -fflags genpts -i \"concat:D:\\app\\Temp\\temp0.ts|D:\\app\\Temp\\temp1.ts\""
            " -map 0 -c copy \"D:\\new.ts\"");
}

TEST(TrimCommand, CopySeeksToTheKeyframeStartAndOnlyByteJoinedCutsFollowOn) {
  const StreamTable table = Rows({{"0", "video", true, {{kCodec, "h264"}}}});
  const std::string keyframe = "00:19:59.499";  // the second cut's start
  const std::string copy =
      " -fflags genpts -ss 00:19:59.499 -i \"D:\\rec.ts\" -ss 0 -map 0:0 -c:v:0 copy -t "
      "00:10:00.501";
  const std::string reencode =
      " -fflags genpts -i \"D:\\rec.ts\" -ss 00:20:00.000 -map 0:0"
      " -c:v:0 h264 -crf:v:0 1 -to 00:30:00.000";
  const std::string followOn = " -avoid_negative_ts disabled -output_ts_offset ";
  struct Case {
    int cutMode;
    int concatMode;
    std::string secondStart;  // "": none found
    std::string secondEnd;    // "": none found
    std::string line;
  };
  const std::vector<Case> cases = {
      {kCopyCut, kFileConcat, keyframe, "", copy + followOn + "00:09:01.501"},
      // From the file's start: no seek, and no "-ss 0" that would drop a
      // first keyframe decoded before the start time.
      {kCopyCut, kDemuxerConcat, "00:00:00.000", "",
       " -fflags genpts -i \"D:\\rec.ts\" -map 0:0 -c:v:0 copy -t 00:30:00.000"},
      {kCopyCut, kDemuxerConcat, keyframe, "", copy},
      {kCopyCut, kDemuxerConcat, "", "",  // the copy seeks to the cut's In
       " -fflags genpts -ss 00:20:00.000 -i \"D:\\rec.ts\" -ss 0 -map 0:0 -c:v:0 copy"
       " -t 00:10:00.000"},
      // Stopping before the Out: the length and the next cut's offset shrink.
      {kCopyCut, kWindowsFileConcat, keyframe, "00:29:59.880",
       " -fflags genpts -ss 00:19:59.499 -i \"D:\\rec.ts\" -ss 0 -map 0:0 -c:v:0 copy"
       " -t 00:10:00.381" +
           followOn + "00:09:00.881"},
      {kReencodeCut, kWindowsFileConcat, keyframe, "00:29:59.880",
       reencode + followOn + "00:09:00.500"},  // starts and ends not read
      {kReencodeCut, kCutOnly, keyframe, "", reencode}};
  for (const Case& c : cases) {
    const std::vector<std::string> starts = {"00:00:58.999", c.secondStart};
    const std::vector<std::string> ends = {"00:09:59.880", c.secondEnd};
    TrimCommandInput input = Input();
    input.cutMode = c.cutMode;
    input.concatMode = c.concatMode;
    input.copyStarts = starts;
    if (!c.secondEnd.empty()) input.copyEnds = ends;
    EXPECT_EQ(TrimCommandLines(BuildTrimCommand(input, table, kTwoCuts))[1],
              c.line + " \"D:\\app\\Temp\\temp1.ts\"");
  }
}

TEST(TrimCommand, NothingToCutOrNoWayToJoinGivesTheEmptyText) {
  const StreamTable checked = Rows({{"0", "video", false, {}}, {"1", "audio", true, {}}});
  EXPECT_NE(BuildTrimCommand(Input(), checked, kTwoCuts), "");
  EXPECT_EQ(BuildTrimCommand(Input(), StreamTable{}, kTwoCuts), "") << "no rows";
  EXPECT_EQ(BuildTrimCommand(Input(), Rows({{"0", "video", false, {}}}), kTwoCuts), "")
      << "no checked row";
  EXPECT_EQ(BuildTrimCommand(Input(), checked, {}), "") << "no cut";
  for (int concatMode : {int{kNoConcatMode}, -1, 5}) {
    TrimCommandInput input = Input();
    input.concatMode = concatMode;
    EXPECT_EQ(BuildTrimCommand(input, checked, kTwoCuts), "") << "concat mode " << concatMode;
  }
}

TEST(TrimCommand, EachConcatModeEndsWithItsJoinLineOrNote) {
  const StreamTable table = Rows({{"0", "audio", true, {}}});
  auto lastLine = [&table](int concatMode) {
    TrimCommandInput input = Input();
    input.concatMode = concatMode;
    std::string text = BuildTrimCommand(input, table, kTwoCuts);
    std::vector<std::string> lines = TrimCommandLines(text);
    EXPECT_EQ(lines.size(), 3u) << "a line per cut, then one without a line end";
    return lines.back();
  };
  EXPECT_EQ(lastLine(kDemuxerConcat),
            " -fflags genpts -f concat -safe 0 -i \"D:\\app\\Temp\\files.txt\" -map 0 -c copy"
            " \"D:\\new.ts\"");
  EXPECT_EQ(lastLine(kWindowsFileConcat), kWindowsFileJoinNote);
  EXPECT_EQ(lastLine(kCutOnly), " Concatenating media files disabled, cut only.");
}

TEST(TrimCommand, LinesAreSplitOnlyAtCrLf) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(TrimCommandLines(" a\r\n b\rc\n\r\n d"), (Lines{" a", " b\rc\n", " d"}));
  EXPECT_EQ(TrimCommandLines(" a\r\n"), (Lines{" a", ""}));
  EXPECT_EQ(TrimCommandLines(""), (Lines{""}));
}

TEST(TrimCommand, CopyAndTheCaptionWriteNoCellOfTheRow) {
  const StreamTable table =
      Rows({{"0", "video", true, {{kCodec, "h264"}, {kFps, "25/1"}, {kQuality, "20"}}},
            {"1", "data", true, {}},
            {"2", "subtitle", true, {{kCodec, "subrip"}, {kLanguage, "ger"}}},
            {"3", "audio", false, {{kCodec, "mp2"}}},
            {"4", "audio", true, {{kCodec, "mp2"}, {kLanguage, "eng"}}}});
  TrimCommandInput input = Input();
  EXPECT_EQ(StreamPart(table, input),
            " -map 0:0 -c:v:0 copy -map 0:2 -c:s:0 copy -map 0:4 -c:a:0 copy");
  input.cutMode = kNoCutMode;
  EXPECT_EQ(StreamPart(table, input), " -map 0:0 -map 0:2 -map 0:4");
  input.expertMode = true;
  EXPECT_EQ(StreamPart(table, input), " -map 0:0 -map 0:2 -map 0:4");
}

TEST(TrimCommand, ReencodeOutsideExpertModeKeepsTheSourceCodecsAtBestQuality) {
  TrimCommandInput input = Input();
  input.cutMode = kReencodeCut;
  auto video = [&input](const char* codec) {
    return StreamPart(Rows({{"0", "video", true, {{kCodec, codec}, {kQuality, "20"}}}}), input);
  };
  EXPECT_EQ(video("h264"), " -map 0:0 -c:v:0 h264 -crf:v:0 1");
  EXPECT_EQ(video("HEVC"), " -map 0:0 -c:v:0 HEVC -crf:v:0 1");
  EXPECT_EQ(video("mpeg2video"), " -map 0:0 -c:v:0 mpeg2video -q:v:0 1");
  EXPECT_EQ(video("dvvideo"), " -map 0:0 -c:v:0 dvvideo");
  EXPECT_EQ(video(""), " -map 0:0");

  // The source's sample format is left to the encoder.
  EXPECT_EQ(StreamPart(Rows({{"1",
                              "audio",
                              true,
                              {{kCodec, "mp2"},
                               {kBitrate, "192000"},
                               {kSampleFmt, "s16p"},
                               {kSampleRate, "48000"},
                               {kChannels, "1"},
                               {kLayout, "mono"},
                               {kLanguage, "ger"}}}}),
                       input),
            " -map 0:1 -c:a:0 mp2 -b:a:0 192000 -ar:a:0 48000 -ac:a:0 1"
            " -channel_layout:a:0 mono -metadata:s:a:0 language=ger");
}

TEST(TrimCommand, ExpertReencodeWritesTheRatesBeforeTheQualityCell) {
  TrimCommandInput input = Input();
  input.cutMode = kReencodeCut;
  input.expertMode = true;
  const StreamTable table =
      Rows({{"0",
             "video",
             true,
             {{kCodec, "hevc"},
              {kProfile, "Main_10"},
              {kLevel, "93"},
              {kWidth, "1280"},
              {kHeight, "720"},
              {kDar, "16/9"},
              {kFps, "25/1"},
              {kPixFmt, "yuv420p10le"},
              {kQuality, "22"},
              {kBitrate, "2000k"},
              {kMaxBitrate, "2500k"},
              {kBufsize, "1800k"}}},
            {"1", "audio", true, {{kCodec, "libmp3lame"}, {kSampleFmt, "s16p"}}}});
  EXPECT_EQ(StreamPart(table, input),
            " -map 0:0 -c:v:0 hevc -profile:v:0 main10 -level:v:0 93"
            " -filter:v:0 scale=1280/720,setdar=16/9,fps=fps=25/1 -aspect:v:0 16/9 -r:v:0 25/1"
            " -pix_fmt:v:0 yuv420p10le -b:v:0 2000k -maxrate 2500k -bufsize 1800k -crf:v:0 22"
            " -map 0:1 -c:a:0 libmp3lame -joint_stereo 0");

  EXPECT_EQ(StreamPart(Rows({{"0", "video", true, {{kCodec, "mpeg2video"}}}}), input),
            " -map 0:0 -c:v:0 mpeg2video")
      << "an empty Quality cell writes no quality";
}

TEST(TrimCommand, ExpertReencodeReadsTheParameterTableOnly) {
  EXPECT_TRUE(TrimReadsParameterTable(true, kReencodeCut));
  EXPECT_FALSE(TrimReadsParameterTable(true, kCopyCut));
  EXPECT_FALSE(TrimReadsParameterTable(true, kNoCutMode));
  EXPECT_FALSE(TrimReadsParameterTable(false, kReencodeCut));
}

TEST(TrimCommand, CutFilesTakeTheOutputsExtension) {
  EXPECT_EQ(CutFilePath("D:\\app\\Temp", 12, "D:\\out.mkv"), "D:\\app\\Temp\\temp12.mkv");
  EXPECT_EQ(CutFilePaths("C:\\T", 2, "D:\\my.films\\out"),
            (std::vector<std::string>{"C:\\T\\temp0", "C:\\T\\temp1"}))
      << "a dot in a folder name is no extension";
  EXPECT_TRUE(CutFilePaths("C:\\T", 0, "D:\\out.ts").empty());

  TrimCommandInput input = Input();
  input.outputPath = "D:\\new";
  const std::vector<std::string> lines =
      TrimCommandLines(BuildTrimCommand(input, Rows({{"0", "audio", true, {}}}), kTwoCuts));
  EXPECT_TRUE(lines[0].ends_with(" \"D:\\app\\Temp\\temp0\""));
  EXPECT_TRUE(lines[1].ends_with(" \"D:\\app\\Temp\\temp1\""));
  EXPECT_NE(lines[2].find("\"concat:D:\\app\\Temp\\temp0|D:\\app\\Temp\\temp1\""),
            std::string::npos);
}

TEST(TrimCommand, LongPathsAndManyCutsAreNeverCut) {
  const std::string folder = "D:\\" + std::string(300, 'f');
  const std::string output = folder + "\\out.ts";
  const std::string inputPath = folder + "\\in.ts";
  TrimCommandInput input = Input();
  input.inputPath = inputPath;
  input.outputPath = output;
  input.tempDir = folder;
  const std::vector<Cut> cuts(200, Cut{"00:00:01.000", "00:00:02.000"});
  const std::string text = BuildTrimCommand(input, Rows({{"0", "audio", true, {}}}), cuts);
  const std::vector<std::string> lines = TrimCommandLines(text);
  ASSERT_EQ(lines.size(), 201u);
  EXPECT_GT(text.size(), kMaxCommandLength);
  EXPECT_TRUE(lines[199].ends_with(folder + "\\temp199.ts\""));
  EXPECT_TRUE(
      lines[200].ends_with("|" + folder + "\\temp199.ts\" -map 0 -c copy \"" + output + "\""));
}

}  // namespace
}  // namespace trellimux
