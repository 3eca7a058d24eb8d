// Commands built for the probed samples, run with a real ffmpeg; the outputs
// are probed again and checked stream by stream.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cmdline/ExpertCommand.h"
#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "params/ParameterColumns.h"

namespace trellimux::test {
namespace {

// Edits a parameter row as a user does: clear it, then set the given cells.
void SetRow(PageTables& tables, std::size_t row, bool checked,
            std::initializer_list<std::pair<int, const char*>> cells) {
  StreamTable& parameters = tables.ParameterTable();
  parameters.Select(row);
  tables.ClearRowParameters();
  for (const auto& [column, text] : cells) parameters.SetCell(row, column, text);
  parameters.SetChecked(row, checked);
}

// Builds the expert command, runs it and loads the output's probe report.
ProbedFile Convert(ProbedFile& input, const std::string& inputPath, const std::string& outputPath,
                   std::optional<TimeOfDay> start = {}, std::optional<TimeOfDay> end = {}) {
  ExpertCommandInput settings;
  settings.expertMode = true;
  settings.containerIndex = 1;
  settings.sourceRowCount = input.tables.SourceTable().RowCount();
  settings.inputPath = inputPath;
  settings.outputPath = outputPath;
  settings.startTime = start;
  settings.endTime = end;
  std::string command = BuildExpertCommand(settings, input.tables.ParameterTable()).value_or("");
  ToolRun run = RunTool(FfmpegTool::Ffmpeg, command);
  EXPECT_EQ(run.exitCode, 0) << command << "\n" << run.output;
  return Probe(outputPath);
}

std::string_view Cell(const ProbedFile& file, std::size_t row, int column) {
  return file.tables.SourceTable().GetCell(row, column);
}

TEST(ExpertCommandRun, BroadcastToHevcAndAacSkippingAnUncheckedAudio) {
  const std::string input = SamplePath("broadcast.ts");
  ProbedFile file = Probe(input);
  SetRow(file.tables, 0, true,
         {{kCodec, "hevc"},
          {kProfile, "Main_10"},
          {kPixFmt, "yuv420p10le"},
          {kWidth, "640"},
          {kHeight, "360"},
          {kDar, "16/9"},
          {kFps, "25/1"},
          {kQuality, "30"}});
  file.tables.ParameterTable().SetChecked(1, false);
  SetRow(file.tables, 2, true,
         {{kCodec, "aac"},
          {kBitrate, "96k"},
          {kSampleRate, "44100"},
          {kChannels, "2"},
          {kLayout, "stereo"},
          {kLanguage, "eng"}});

  const std::string output = OutputPath("hevc.mkv");
  ProbedFile result = Convert(file, input, output);
  ASSERT_EQ(result.tables.SourceTable().RowCount(), 2u);
  EXPECT_EQ(Cell(result, 0, kCodec), "hevc");
  EXPECT_EQ(Cell(result, 0, kProfile), "Main 10");
  EXPECT_EQ(Cell(result, 0, kWidth), "640");
  EXPECT_EQ(Cell(result, 0, kHeight), "360");
  EXPECT_EQ(Cell(result, 0, kDar), "16:9");
  EXPECT_EQ(Cell(result, 1, kCodec), "aac");
  EXPECT_EQ(Cell(result, 1, kSampleRate), "44100");
  EXPECT_EQ(Cell(result, 1, kChannels), "2");
  EXPECT_EQ(Cell(result, 1, kLanguage), "eng");
  EXPECT_NEAR(CountVideoFrames(output), CountVideoFrames(input), 1)
      << "the frame-rate filter keeps the first second";
}

TEST(ExpertCommandRun, MovedAudioComesFirstAndTimesCutOneSecond) {
  const std::string input = SamplePath("film.mp4");
  ProbedFile file = Probe(input);
  SetRow(file.tables, 0, true,
         {{kCodec, "mpeg2video"},
          {kProfile, "Main"},
          {kBitrate, "2000k"},
          {kMaxBitrate, "2500k"},
          {kBufsize, "1800k"}});
  SetRow(file.tables, 1, true, {{kCodec, "libmp3lame"}, {kBitrate, "128k"}});
  file.tables.ParameterTable().Select(1);
  file.tables.MoveRowUp();

  ProbedFile result =
      Convert(file, input, OutputPath("cut.ts"), TimeOfDay{0, 0, 1}, TimeOfDay{0, 0, 2});
  ASSERT_EQ(result.tables.SourceTable().RowCount(), 2u);
  EXPECT_EQ(Cell(result, 0, kCodec), "mp3");
  EXPECT_EQ(Cell(result, 1, kCodec), "mpeg2video");
  EXPECT_EQ(Cell(result, 1, kProfile), "Main");
  EXPECT_EQ(Cell(result, 1, kWidth), "1280");
  EXPECT_GT(Duration(result), 0.8);
  EXPECT_LT(Duration(result), 1.5);
}

TEST(ExpertCommandRun, OddSizedVideoScaledWithSarAndFrameRate) {
  const std::string input = SamplePath("odd.mkv");
  ProbedFile file = Probe(input);
  SetRow(file.tables, 0, true,
         {{kCodec, "h264"},
          {kProfile, "High"},
          {kWidth, "320"},
          {kHeight, "240"},
          {kSar, "1/1"},
          {kFps, "25/1"},
          {kPixFmt, "yuv420p"},
          {kQuality, "23"}});
  const std::string output = OutputPath("odd-scaled.mkv");
  ProbedFile result = Convert(file, input, output);
  ASSERT_EQ(result.tables.SourceTable().RowCount(), 1u) << "the unchecked audio is left out";
  EXPECT_EQ(Cell(result, 0, kCodec), "h264");
  EXPECT_EQ(Cell(result, 0, kProfile), "High");
  EXPECT_EQ(Cell(result, 0, kWidth), "320");
  EXPECT_EQ(Cell(result, 0, kHeight), "240");
  EXPECT_EQ(Cell(result, 0, kSar), "1:1");
  EXPECT_NEAR(CountVideoFrames(output), CountVideoFrames(input), 1);
}

TEST(ExpertCommandRun, SubtitleCopiedWithANewLanguage) {
  const std::string input = SamplePath("subtitled.mkv");
  ProbedFile file = Probe(input);
  SetRow(file.tables, 0, true, {{kCodec, "copy"}});
  SetRow(file.tables, 2, true, {{kCodec, "copy"}, {kLanguage, "ger"}});
  ProbedFile result = Convert(file, input, OutputPath("subtitled.mkv"));
  ASSERT_EQ(result.tables.SourceTable().RowCount(), 2u);
  EXPECT_EQ(Cell(result, 0, kCodec), "h264");
  EXPECT_EQ(Cell(result, 0, kWidth), "640");
  EXPECT_EQ(Cell(result, 1, kCodec), "subrip");
  EXPECT_EQ(Cell(result, 1, kLanguage), "ger");
}

}  // namespace
}  // namespace trellimux::test
