#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cmdline/SmartCopyCommand.h"
#include "cmdline/StreamRows.h"
#include "concat/ConcatCommand.h"
#include "mp4/ParameterSetLine.h"
#include "text/SecondsText.h"
#include "trim/TransportCopyLine.h"
#include "trim/TrimChoices.h"

namespace trellimux {
namespace {

constexpr std::int64_t kStartUs = 1400000;

// A packet list as ffprobe prints it: 25 fps from 1.48 s, a keyframe every
// 24 frames, each P decoded before the two B-frames shown before it.
std::string PacketList(int seconds) {
  std::string list;
  const int frames = seconds * 25;
  auto line = [&](int shown, int decoded) {
    const auto time = [](int frame) { return MicrosecondsAsSeconds(1480000 + frame * 40000); };
    list += "packet," + time(shown) + "," + time(decoded - 1) + "," +
            std::to_string(1000 + decoded * 188) + "," + (shown % 24 == 0 ? "K__" : "__") + "\r\n";
  };
  for (int frame = 0, decoded = 0; frame < frames; frame += 3) {
    line(frame, decoded++);
    for (int b = frame - 2; b < frame; ++b)
      if (b > 0) line(b, decoded++);
  }
  return list;
}

const std::vector<Cut> kCuts = {{"00:00:00.530", "00:00:02.290"}, {"00:00:03.010", "00:00:03.500"}};

TrimCommandInput Input(int concatMode) {
  TrimCommandInput input;
  input.inputPath = "D:\\rec.ts";
  input.outputPath = "D:\\new.ts";
  input.tempDir = "D:\\T";
  input.cutMode = kSmartCopyCut;
  input.concatMode = concatMode;
  return input;
}

const StreamTable kStreams = Rows({{"0", "video", true, {{kCodec, "h264"}}},
                                   {"1", "audio", true, {{kCodec, "mp2"}}},
                                   {"2", "audio", true, {{kCodec, "mp2"}}}});

SmartCopyFacts Facts() {
  SmartCopyFacts facts;
  facts.transportInput = true;
  facts.startMicroseconds = kStartUs;
  facts.encoding.options = " -c:v libx264";
  facts.transport = SourceTransport{1, 4096, 256, {257, 258}};
  const std::string list = PacketList(8);
  facts.cuts = PlanListedSmartCuts(list, kStartUs, kCuts);
  facts.copies = FindCopyCutTimes(list, kStartUs, kCuts);
  // The audio's own PES packets begin after the keyframe's byte and the
  // video's stop; the second cut copies nothing.
  facts.streamSpans = {{{257, 2450000, 3500000}, {258, 2460000, 3690000}},
                       {{257, 4900000, 4900000}, {258, 4900000, 4900000}}};
  return facts;
}

// A cut's block: the run for its head's pieces, the one for its end's, and
// the program's copy that puts them around the source's packets into the
// cut's file in the source's times; then the join.
TEST(SmartCopyCommand, EachCutIsABlockOfItsPiecesThenTheJoin) {
  const SmartCopyCommand command =
      BuildSmartCopyCommand(Input(kDemuxerConcat), kStreams, kCuts, Facts());
  const std::vector<std::vector<std::string>> blocks = TrimCommandBlocks(command.text);
  ASSERT_EQ(blocks.size(), 3u) << command.text;
  EXPECT_EQ(command.fallbacks, (std::vector{SmartFallback::None, SmartFallback::None}));
  const std::vector<std::string>& first = blocks[0];
  ASSERT_EQ(first.size(), 2u) << command.text;
  // One run: the head's video from just before its keyframe, its audio
  // from 5 s before the cut's first frame (1.96 s) up to where each one's
  // copy begins; the end's B-frames before the Out, and the first audio's
  // frames from where its copy ends (the second's copy reaches the Out).
  EXPECT_TRUE(first[0].starts_with(
      " -copyts -ss 00:00:00.039 -t 1.961000 -i \"D:\\rec.ts\" -ss 00:00:00.000 -t 2.060000 -i"
      " \"D:\\rec.ts\" -ss 00:00:01.879 -t 1.401000 -i \"D:\\rec.ts\" -ss 00:00:00.000 -t"
      " 3.290000 -i \"D:\\rec.ts\" -map 0:0 -vf"))
      << first[0];
  EXPECT_NE(first[0].find("-frames:v 12 -c:v libx264"), std::string::npos) << first[0];
  EXPECT_NE(first[0].find(" -map 1:1 -c copy -ss 1.959500 -to 2.449500 -output_ts_offset 1.959500"
                          " -muxdelay 0 -muxpreload 0 -mpegts_service_id 1 -mpegts_pmt_start_pid"
                          " 4096 -streamid 0:257 \"D:\\T\\temp0-head-257.ts\""),
            std::string::npos)
      << first[0];
  EXPECT_NE(first[0].find("-map 2:0 -vf"), std::string::npos) << first[0];
  EXPECT_NE(first[0].find(" -map 3:1 -c copy -ss 3.499500 -to 3.689500"), std::string::npos)
      << first[0];
  EXPECT_EQ(first[0].find("temp0-end-258.ts"), std::string::npos) << first[0];
  const std::optional<TransportCopyStep> copy = ParseTransportCopyLine(first[1]);
  ASSERT_TRUE(copy) << first[1];
  EXPECT_EQ(copy->cut.pids, (std::vector<int>{256, 257, 258}));
  EXPECT_EQ(copy->cut.video->keyframePts, 2440000);  // the keyframe after the In
  EXPECT_EQ(copy->cut.others.size(), 2u);
  EXPECT_EQ(copy->cut.firstPieces,
            (std::vector<std::string>{"D:\\T\\temp0-head.ts", "D:\\T\\temp0-head-257.ts",
                                      "D:\\T\\temp0-head-258.ts"}));
  EXPECT_EQ(copy->cut.lastPieces,
            (std::vector<std::string>{"D:\\T\\temp0-end.ts", "D:\\T\\temp0-end-257.ts"}));
  EXPECT_EQ(copy->cut.moveMicroseconds, 0);
  EXPECT_EQ(copy->outputPath, "D:\\T\\temp0.ts");
  // No keyframe inside: one run for the head and all its audio, then the
  // program puts the pieces into the cut's file.
  ASSERT_EQ(blocks[1].size(), 2u) << command.text;
  EXPECT_NE(blocks[1][0].find(" -c copy -ss 4.439500 -to 4.899500"), std::string::npos)
      << blocks[1][0];
  EXPECT_FALSE(ParseTransportCopyLine(blocks[1][1])->cut.video);
  EXPECT_EQ(blocks[2], std::vector<std::string>{TrimCommandLines(command.text).back()});
  EXPECT_NE(blocks[2][0].find("-f concat"), std::string::npos);
  EXPECT_EQ(command.costs.size(), 2u + 2u + 1u) << "a cost a line";
}

// An MP4's cut: one run for its head, its end and its sound (the encoder's
// parameter sets under ids of their own), the copy of the video from the
// keyframe, the line that puts them into the cut's MP4, and the step that
// adds the parameter sets to its sample description.
TEST(SmartCopyCommand, AnMp4CutIsPutTogetherAndGetsBothParameterSets) {
  SmartCopyFacts facts = Facts();
  facts.transportInput = false;
  facts.movieInput = true;
  facts.transport = SourceTransport{1, 4096, 256, {257, 258}};
  facts.encoding.options = " -c:v libx264 -x264-params tff=1";
  TrimCommandInput input = Input(kDemuxerConcat);
  input.inputPath = "D:\\phone.mp4";
  input.outputPath = "D:\\new.mp4";
  const SmartCopyCommand command = BuildSmartCopyCommand(input, kStreams, kCuts, facts);
  EXPECT_EQ(command.fallbacks, (std::vector{SmartFallback::None, SmartFallback::None}));
  const std::vector<std::vector<std::string>> blocks = TrimCommandBlocks(command.text);
  ASSERT_EQ(blocks.size(), 3u) << command.text;
  const std::vector<std::string>& first = blocks[0];
  ASSERT_EQ(first.size(), 4u) << command.text;
  EXPECT_NE(first[0].find("-x264-params sps-id=1:tff=1"), std::string::npos) << first[0];
  EXPECT_NE(first[0].find(" -map 2:1 -c copy -ss 1.959500 -to 3.689500"), std::string::npos)
      << "the sound of the whole cut: " << first[0];
  // The keyframe at 2.44 s (the file's start 1.4 s), sought 150 ms past it;
  // the copy stops at the decoding time of the first packet not copied (a
  // count of packets would leave out a long cut's frames between the
  // lookup's windows).
  EXPECT_EQ(first[1],
            " -copyts -ss 00:00:01.190 -i \"D:\\phone.mp4\" -map 0:0 -c copy -to 3.639500"
            " -muxdelay 0 -muxpreload 0 -mpegts_service_id 1 -mpegts_pmt_start_pid 4096"
            " -streamid 0:256 \"D:\\T\\temp0-copy.ts\"");
  EXPECT_EQ(first[2],
            " -copyts -i \"concat:D:\\T\\temp0-head.ts|D:\\T\\temp0-copy.ts|D:\\T\\temp0-end.ts\""
            " -i \"D:\\T\\temp0-other-257.ts\" -i \"D:\\T\\temp0-other-258.ts\" -map 0:v -map 1"
            " -map 2 -c copy -bsf:v filter_units=remove_types=7-9 -output_ts_offset -1.960000"
            " \"D:\\T\\temp0.mp4\"");
  EXPECT_EQ(first[3], ParameterSetLine({"D:\\phone.mp4",
                                        {"D:\\T\\temp0-head.ts", "D:\\T\\temp0-end.ts"},
                                        "D:\\T\\temp0.mp4"}));
  EXPECT_EQ(blocks[1].size(), 3u) << "no keyframe inside: nothing copied";
  // A Matroska output: the cut is made as an MP4, then copied into its
  // Matroska file, every parameter set with it.
  input.outputPath = "D:\\new.mkv";
  const std::vector<std::string> matroska =
      TrimCommandBlocks(BuildSmartCopyCommand(input, kStreams, kCuts, facts).text).front();
  ASSERT_EQ(matroska.size(), 5u);
  EXPECT_TRUE(matroska[2].ends_with(" \"D:\\T\\temp0-movie.mp4\"")) << matroska[2];
  EXPECT_TRUE(matroska[3].ends_with(" \"D:\\T\\temp0-movie.mp4\"")) << matroska[3];
  EXPECT_EQ(matroska[4], " -i \"D:\\T\\temp0-movie.mp4\" -map 0 -c copy \"D:\\T\\temp0.mkv\"");
  input.outputPath = "D:\\new.ts";
  EXPECT_EQ(BuildSmartCopyCommand(input, kStreams, kCuts, facts).fallbacks,
            (std::vector{SmartFallback::OutputNotMovie, SmartFallback::OutputNotMovie}));
  input.outputPath = "D:\\new.mp4";
  facts.othersCarried = false;  // a subtitle or sound the pieces cannot carry
  EXPECT_EQ(BuildSmartCopyCommand(input, kStreams, kCuts, facts).fallbacks,
            (std::vector{SmartFallback::OtherStreams, SmartFallback::OtherStreams}));
  for (const auto& [codec, carried] : {std::pair{"aac", true},
                                       {"ac3", true},
                                       {"mp2", true},
                                       {"opus", false},
                                       {"mov_text", false},
                                       {"subrip", false}})
    EXPECT_EQ(MoviePiecesCarry(codec), carried) << codec;
}

// In a byte join each cut's file begins where the one before ended, a few
// frames later, after the multiplexer's delay.
TEST(SmartCopyCommand, ByteJoinedCutsFollowOnAfterAGap) {
  const SmartCopyCommand command =
      BuildSmartCopyCommand(Input(kWindowsFileConcat), kStreams, kCuts, Facts());
  const std::vector<std::vector<std::string>> blocks = TrimCommandBlocks(command.text);
  ASSERT_EQ(blocks.size(), 3u);
  // Cut 0 from 1.960 s (the frame at its In) to its Out at 3.690 s: 1.73 s.
  EXPECT_EQ(ParseTransportCopyLine(blocks[0].back())->cut.moveMicroseconds, -560000)
      << blocks[0].back();
  // Cut 1 from 4.440 s: at 1.4 + 1.73 + 4 frames.
  EXPECT_EQ(ParseTransportCopyLine(blocks[1].back())->cut.moveMicroseconds, -1150000)
      << blocks[1].back();
  EXPECT_EQ(blocks[2].front(), std::string(kWindowsFileJoinNote));
}

// Whatever keeps a cut from being exact makes it as in "Copy", and the
// note names it.
TEST(SmartCopyCommand, ACutThatCannotBeExactIsCopiedAndNamed) {
  const struct {
    const char* what;
    void (*change)(SmartCopyFacts&, TrimCommandInput&);
    SmartFallback first, second;
  } cases[] = {
      {"not MPEG-TS", [](SmartCopyFacts& f, TrimCommandInput&) { f.transportInput = false; },
       SmartFallback::NotTransport, SmartFallback::NotTransport},
      {"an MP4 output", [](SmartCopyFacts&, TrimCommandInput& i) { i.outputPath = "D:\\a.mp4"; },
       SmartFallback::OutputNotTransport, SmartFallback::OutputNotTransport},
      {"no encoder",
       [](SmartCopyFacts& f, TrimCommandInput&) {
         f.encoding = {std::nullopt, SmartEncodeRefusal::NoEncoder};
       },
       SmartFallback::NoEncoder, SmartFallback::NoEncoder},
      {"unknown field order",
       [](SmartCopyFacts& f, TrimCommandInput&) {
         f.encoding = {std::nullopt, SmartEncodeRefusal::UnknownFieldOrder};
       },
       SmartFallback::FieldOrder, SmartFallback::FieldOrder},
      {"a map PID ffmpeg refuses",
       [](SmartCopyFacts& f, TrimCommandInput&) { f.transport->mapPid = 16; },
       SmartFallback::ProgramIds, SmartFallback::ProgramIds},
      {"the second cut's keyframe without its byte",
       [](SmartCopyFacts& f, TrimCommandInput&) {
         f.cuts[1]->copyFrom = Keyframe{0, 0, -1};
       },
       SmartFallback::None, SmartFallback::NoPlan},
      {"a stream's PID ffmpeg refuses",
       [](SmartCopyFacts& f, TrimCommandInput&) { f.transport->otherPids[1] = 4096; },
       SmartFallback::ProgramIds, SmartFallback::ProgramIds},
      {"the second cut's streams not found",
       [](SmartCopyFacts& f, TrimCommandInput&) { f.streamSpans.pop_back(); }, SmartFallback::None,
       SmartFallback::NoPlan},
      {"the second cut not planned",
       [](SmartCopyFacts& f, TrimCommandInput&) { f.cuts[1].reset(); }, SmartFallback::None,
       SmartFallback::NoPlan},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SmartCopyFacts facts = Facts();
    TrimCommandInput input = Input(kDemuxerConcat);
    c.change(facts, input);
    const SmartCopyCommand command = BuildSmartCopyCommand(input, kStreams, kCuts, facts);
    EXPECT_EQ(command.fallbacks, (std::vector{c.first, c.second}));
    const std::vector<std::vector<std::string>> blocks = TrimCommandBlocks(command.text);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[1].size(), 1u) << "the copied cut is one line";
    EXPECT_NE(blocks[1][0].find(" -c:v:0 copy"), std::string::npos) << blocks[1][0];
  }
  EXPECT_EQ(SmartFallbackNote(std::vector{SmartFallback::None, SmartFallback::NoPlan}),
            "Smart Copy cannot make these cuts exact to the frame:\r\nCut 1: no key frame was "
            "found near its start or end.\r\n\r\nThey will be copied from the key frame before "
            "their start, as in \"Copy\", so they may begin up to a few seconds early.\r\n\r\n"
            "Start anyway?");
  EXPECT_EQ(SmartFallbackNote(std::vector{SmartFallback::None}), "");
  const std::string every =
      SmartFallbackNote(std::vector{SmartFallback::NoEncoder, SmartFallback::NoEncoder});
  EXPECT_NE(every.find("\r\nEvery cut: Smart Copy can encode only H.264 and MPEG-2"),
            std::string::npos)
      << every;
}

TEST(SmartCopyCommand, BlocksAreSplitAtEmptyLines) {
  using Blocks = std::vector<std::vector<std::string>>;
  EXPECT_EQ(TrimCommandBlocks("a\r\nb\r\nc"), (Blocks{{"a"}, {"b"}, {"c"}})) << "one line each";
  EXPECT_EQ(TrimCommandBlocks("a\r\nb\r\n\r\nc\r\n\r\n\r\nd"), (Blocks{{"a", "b"}, {"c"}, {"d"}}));
  EXPECT_EQ(TrimCommandBlocks(""), (Blocks{{""}}));
}

}  // namespace
}  // namespace trellimux
