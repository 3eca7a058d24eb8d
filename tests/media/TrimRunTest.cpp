// Trim texts built for the probed samples, run line by line with a real
// ffmpeg as a Trim job runs them: each cut into its file in the temporary
// folder, then the join. The joined output is probed for its length, frames
// and streams.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ContainerChoice.h"
#include "cmdline/TrimCommand.h"
#include "concat/ConcatCommand.h"
#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "model/FixedItemLists.h"
#include "params/ParameterColumns.h"
#include "process/ToolInvocation.h"
#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"
#include "trim/TrimChoices.h"

namespace trellimux::test {
namespace {

// The sample has a keyframe every 12 frames (0.48 s), and a copied video
// starts at the first keyframe whose decoding time is not before the cut's
// In. Its decoding times run 0.03 s before the file's start, so these cuts
// begin just at a keyframe's decoding time and keep every frame: 12 each.
const std::vector<Cut> kKeyframeCuts = {{"00:00:00.450", "00:00:00.930"},
                                        {"00:00:01.410", "00:00:01.890"},
                                        {"00:00:02.370", "00:00:02.850"}};
// Anywhere, for reencoding: 0.8 + 0.6 + 0.5 s.
const std::vector<Cut> kCuts = {{"00:00:00.000", "00:00:00.800"},
                                {"00:00:01.000", "00:00:01.600"},
                                {"00:00:02.000", "00:00:02.500"}};

double CutSeconds(const std::vector<Cut>& cuts) {
  auto seconds = [](const std::string& time) {
    CutTimeFields fields = SplitCutTime(time);
    return fields.time.hour * 3600.0 + fields.time.minute * 60.0 + fields.time.second +
           fields.millisecondValue / 1000.0;
  };
  double sum = 0;
  for (const Cut& cut : cuts) sum += seconds(cut.out) - seconds(cut.in);
  return sum;
}

// Builds the Trim text and runs it: the cut lines in order (no old cut file
// in the way), then the list file when the demuxer joins, then the join.
// Natively the tempDir's backslash is part of the cut files' names, which
// keeps the lines exactly as the program writes them.
void RunTrim(const TrimCommandInput& input, const StreamTable& streams,
             const std::vector<Cut>& cuts) {
  const std::string text = BuildTrimCommand(input, streams, cuts);
  const std::vector<std::string> lines = TrimCommandLines(text);
  ASSERT_EQ(lines.size(), cuts.size() + 1) << text;
  const std::vector<std::string> cutFiles =
      CutFilePaths(input.tempDir, cuts.size(), input.outputPath);
  for (std::size_t i = 0; i < cuts.size(); ++i) {
    std::filesystem::remove(cutFiles[i]);
    ToolRun run = RunTool(FfmpegTool::Ffmpeg, lines[i]);
    ASSERT_EQ(run.exitCode, 0) << lines[i] << "\n" << run.output;
  }
  if (input.concatMode == kWindowsFileConcat) {  // the byte copy, as the job does it
    std::ofstream joined(std::string(input.outputPath), std::ios::binary | std::ios::trunc);
    for (const std::string& cutFile : cutFiles)
      joined << std::ifstream(cutFile, std::ios::binary).rdbuf();
    return;
  }
  if (input.concatMode == kDemuxerConcat) {
    std::ofstream list(std::string(input.tempDir) + "\\files.txt", std::ios::binary);
    list << ConcatListFileText(cutFiles);
  }
  ToolRun run = RunTool(FfmpegTool::Ffmpeg, lines.back());
  ASSERT_EQ(run.exitCode, 0) << lines.back() << "\n" << run.output;
}

// Where each copied cut begins and ends, searched as the Trim start searches.
CopyCutTimes SearchCopyTimes(const std::string& input, const std::vector<Cut>& cuts) {
  const std::int64_t start = ParseStartTimeMicroseconds(
      RunTool(FfmpegTool::Ffprobe, StartTimeProbeArguments(input)).output);
  return FindCopyCutTimes(
      RunTool(FfmpegTool::Ffprobe, CopyCutProbeArguments(input, start, cuts)).output, start, cuts);
}

// The length of the first video stream. A file's own duration counts the
// audio that a copied cut begins with before its first picture, which the
// join lays over the cut before.
double VideoSeconds(const std::string& file) {
  return std::atof(RunTool(FfmpegTool::Ffprobe,
                           " -v error -select_streams v:0 -show_entries stream=duration -of csv=p=0"
                           " \"" +
                               file + "\"")
                       .output.c_str());
}

std::string_view Cell(const ProbedFile& file, std::size_t row, int column) {
  return file.tables.SourceTable().GetCell(row, column);
}

// Every row checked, as a user ticks them on the Trim page.
ProbedFile ProbeAllChecked(const std::string& path) {
  ProbedFile file = Probe(path);
  for (StreamTable* table : {&file.tables.SourceTable(), &file.tables.ParameterTable()})
    for (std::size_t row = 0; row < table->RowCount(); ++row) table->SetChecked(row, true);
  return file;
}

TEST(TrimRun, CopiedCutsKeepEveryFrameWithEitherFfmpegJoin) {
  const std::string input = SamplePath("broadcast.ts");
  ProbedFile file = ProbeAllChecked(input);
  for (int concatMode : {int{kDemuxerConcat}, int{kFileConcat}}) {
    SCOPED_TRACE(kConcatModeListB[concatMode]);
    const std::string output = OutputPath("trim-copy.ts");
    const std::string tempDir = WorkFolder("trim-copy");
    TrimCommandInput settings{input, output, tempDir, kCopyCut, concatMode};
    ASSERT_NO_FATAL_FAILURE(RunTrim(settings, file.tables.SourceTable(), kKeyframeCuts));

    ProbedFile result = Probe(output);
    ASSERT_EQ(result.tables.SourceTable().RowCount(), 3u);
    EXPECT_EQ(Cell(result, 0, kCodec), "mpeg2video");
    EXPECT_EQ(Cell(result, 2, kLanguage), "ger");
    EXPECT_EQ(CountVideoFrames(output), 36);
    EXPECT_NEAR(Duration(result), CutSeconds(kKeyframeCuts), 0.15);
  }
}

struct JoinedCutsCase {
  const char* sample;
  int cutMode;
  std::vector<Cut> cuts;
  std::vector<int> asked;   // frames from In to Out
  std::vector<int> before;  // frames a cut holds before its In
  int missing;              // frames before the Out a cut may lack
};

// Copy: H.264 with B-frames and 2 s GOPs, the Ins 0.5 s, 1 s and 1.3 s
// after a keyframe (seeking to the Ins kept 25 + 25 frames; the first GOP,
// decoded from before the file's start time, was lost): every frame from the
// keyframe before the In, none after the Out (ending at the Out kept 2-3
// more), at most the B-frames just before the Out that refer to a frame
// after it left out. Reencode: two audio tracks (with each cut's time
// stamps restarting, a byte join showed 1.28 s for 2.25 s). Every join: its
// video as long as its cuts' (a freeze would lengthen it), every frame kept.
TEST(TrimRun, CutsJoinedInEveryModeHoldEveryFrameWithoutAFreeze) {
  const std::vector<JoinedCutsCase> cases = {
      {"gop2s.ts",
       kCopyCut,
       {{"00:00:00.500", "00:00:01.500"},
        {"00:00:03.000", "00:00:05.000"},
        {"00:00:07.300", "00:00:09.000"}},
       {25, 50, 42},
       {13, 25, 33},
       2},
      {"broadcast.ts",
       kReencodeCut,
       {{"00:00:00.250", "00:00:01.250"}, {"00:00:01.500", "00:00:02.750"}},
       {25, 31},
       {0, 0},
       0}};
  for (const JoinedCutsCase& test : cases) {
    const std::string input = SamplePath(test.sample);
    ProbedFile file = ProbeAllChecked(input);
    const CopyCutTimes copies = SearchCopyTimes(input, test.cuts);
    for (int concatMode : {int{kDemuxerConcat}, int{kFileConcat}, int{kWindowsFileConcat}}) {
      SCOPED_TRACE(std::string(test.sample) + ", " + std::string(kConcatModeListB[concatMode]));
      const std::string output = OutputPath("trim-joined.ts");
      const std::string tempDir = WorkFolder("trim-joined");
      TrimCommandInput settings{input, output, tempDir, test.cutMode, concatMode};
      settings.copyStarts = copies.starts;
      settings.copyEnds = copies.ends;
      ASSERT_NO_FATAL_FAILURE(RunTrim(settings, file.tables.SourceTable(), test.cuts));
      int cutFrames = 0;
      double cutSeconds = 0;
      for (std::size_t i = 0; i < test.cuts.size(); ++i) {
        const std::string cutFile = CutFilePath(tempDir, i, output);
        const int frames = CountVideoFrames(cutFile);
        EXPECT_GE(frames, test.before[i] + test.asked[i] - test.missing) << cutFile;
        EXPECT_LE(frames, test.before[i] + test.asked[i]) << cutFile;
        cutFrames += frames;
        cutSeconds += VideoSeconds(cutFile);
      }
      EXPECT_EQ(CountVideoFrames(output), cutFrames);
      // The concat demuxer begins each copied cut at its audio, up to 66 ms
      // before its first picture: that much still at each seam.
      EXPECT_NEAR(VideoSeconds(output), cutSeconds,
                  0.08 * static_cast<double>(test.cuts.size() - 1));
    }
  }
}

TEST(TrimRun, ReencodedTransportStreamKeepsTheSourceFormats) {
  const std::string input = SamplePath("broadcast.ts");
  ProbedFile file = ProbeAllChecked(input);
  // A .ts output starts with "Reencode" and the concat: join.
  const TrimModeDefaults modes = TrimDefaultsFor(RecogniseContainer(".ts").item);
  const std::string output = OutputPath("trim-reencode.ts");
  const std::string tempDir = WorkFolder("trim-reencode");
  TrimCommandInput settings{input, output, tempDir, modes.cutMode, modes.concatMode};
  ASSERT_NO_FATAL_FAILURE(RunTrim(settings, file.tables.SourceTable(), kCuts));

  ProbedFile result = Probe(output);
  ASSERT_EQ(result.tables.SourceTable().RowCount(), 3u);
  EXPECT_EQ(Cell(result, 0, kCodec), "mpeg2video");
  EXPECT_EQ(Cell(result, 0, kWidth), "720");
  EXPECT_EQ(Cell(result, 0, kDar), "16:9");
  EXPECT_EQ(Cell(result, 1, kChannels), "2");
  EXPECT_EQ(Cell(result, 2, kChannels), "1");
  EXPECT_EQ(Cell(result, 2, kLanguage), "ger");
  EXPECT_NEAR(CountVideoFrames(output), 25 * CutSeconds(kCuts), 2);
  EXPECT_NEAR(Duration(result), CutSeconds(kCuts), 0.1);
}

TEST(TrimRun, ExpertReencodeTakesTheParameterTable) {
  const std::string input = SamplePath("film.mp4");
  ProbedFile file = ProbeAllChecked(input);
  StreamTable& parameters = file.tables.ParameterTable();
  parameters.Select(0);
  file.tables.ClearRowParameters();
  for (auto [column, text] : {std::pair{kCodec, "h264"},
                              {kWidth, "640"},
                              {kHeight, "360"},
                              {kPixFmt, "yuv420p"},
                              {kQuality, "30"}})
    parameters.SetCell(0, column, text);
  // The native AAC encoder refuses "s16": the Trim text leaves it out.
  parameters.Select(1);
  file.tables.ClearRowParameters();
  for (auto [column, text] :
       {std::pair{kCodec, "aac"}, {kBitrate, "96k"}, {kSampleFmt, "s16"}, {kLanguage, "eng"}})
    parameters.SetCell(1, column, text);

  const TrimModeDefaults modes = TrimDefaultsFor(RecogniseContainer(".mkv").item);
  ASSERT_TRUE(TrimReadsParameterTable(true, modes.cutMode));
  const std::string output = OutputPath("trim-expert.mkv");
  const std::string tempDir = WorkFolder("trim-expert");
  TrimCommandInput settings{input, output, tempDir, modes.cutMode, modes.concatMode, true};
  ASSERT_NO_FATAL_FAILURE(RunTrim(settings, parameters, kCuts));

  ProbedFile result = Probe(output);
  ASSERT_EQ(result.tables.SourceTable().RowCount(), 2u);
  EXPECT_EQ(Cell(result, 0, kCodec), "h264");
  EXPECT_EQ(Cell(result, 0, kWidth), "640");
  EXPECT_EQ(Cell(result, 1, kCodec), "aac");
  EXPECT_EQ(Cell(result, 1, kLanguage), "eng");
  EXPECT_NEAR(CountVideoFrames(output), 25 * CutSeconds(kCuts), 2);
  EXPECT_NEAR(Duration(result), CutSeconds(kCuts), 0.15);
}

}  // namespace
}  // namespace trellimux::test
