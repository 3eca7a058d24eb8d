// Probe reports of real recordings (tests/media/realworld), every row ticked
// and every cell as probed: ffmpeg must accept the expert command and the
// Trim "Reencode" cut line and keep every stream. The inputs are 0.12 s
// stand-ins with the report's stream layout, each stream in its probed codec
// where ffmpeg encodes it; the commands then scale to the probed sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cmdline/EncoderFacts.h"
#include "cmdline/ExpertCommand.h"
#include "cmdline/ProbedValues.h"
#include "cmdline/TrimCommand.h"
#include "concat/ConcatCommand.h"
#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "text/AsciiText.h"
#include "trim/TrimChoices.h"

namespace trellimux::test {
namespace {

// Teletext and PGS have no encoder: a subrip stream stands in, which the
// command copies as it would copy them. Data and attachment streams are never
// mapped: a subrip stream keeps their place in the numbering.
std::string StandIn(const TableRow& row, const std::string& n, const std::string& subtitles,
                    std::string& inputs) {
  std::string codec(WorkingEncoder(row.cells[kCodec]));
  const StreamKind kind = KindOfTag(row.typeTag);
  if (kind == StreamKind::Video) {
    inputs += " -f lavfi -i testsrc=size=160x120:rate=25:duration=0.12";
    const std::string_view pixFmt = row.cells[kPixFmt];
    return " -c:" + n + " " + codec + (pixFmt.empty() ? "" : " -pix_fmt:" + n + " ") +
           std::string(pixFmt);
  }
  if (kind == StreamKind::Audio) {
    const std::string rate = row.cells[kSampleRate].empty() ? "48000" : row.cells[kSampleRate];
    inputs += " -f lavfi -i sine=sample_rate=" + rate + ":duration=0.12";
    int channels = std::max(1, ReadDecimal(row.cells[kChannels]));
    if (const AudioEncoderFacts* facts = FindAudioEncoder(codec); facts && facts->maxChannels)
      channels = std::min(channels, facts->maxChannels);
    if (codec == "copy") {  // dts: the experimental encoder, stereo ("ffmpeg -h encoder=dca")
      codec = row.cells[kCodec] + " -strict -2";
      channels = 2;
    }
    return " -c:" + n + " " + codec + " -ac:" + n + " " + std::to_string(channels);
  }
  inputs += " -i \"" + subtitles + "\"";
  return " -c:" + n + (EqualsIgnoringCase(codec, "ass") ? " ass" : " subrip");
}

std::string MakeStandIn(const std::string& name, const StreamTable& source) {
  const std::string subtitles = OutputPath(name + ".srt");
  std::ofstream(subtitles, std::ios::binary) << "1\r\n00:00:00,020 --> 00:00:00,100\r\nHi\r\n";
  std::string inputs, maps, codecs;
  for (std::size_t i = 0; i < source.RowCount(); ++i) {
    maps += " -map " + std::to_string(i);
    codecs += StandIn(source.Row(i), std::to_string(i), subtitles, inputs);
  }
  const std::string path = OutputPath(name + "-standin.mkv");
  ToolRun run = RunTool(FfmpegTool::Ffmpeg, " -y" + inputs + maps + codecs + " \"" + path + "\"");
  EXPECT_EQ(run.exitCode, 0) << name << ": the stand-in\n" << run.output;
  return path;
}

// Runs one line; the output holds every ticked video, audio and subtitle
// row's stream in order, each video at its row's size (one -vf for all video
// streams gave a film its cover picture's size).
void ExpectAcceptedKeepingEveryStream(const std::string& line, const std::string& output,
                                      const StreamTable& rows) {
  ToolRun run = RunTool(FfmpegTool::Ffmpeg, " -y" + line);
  ASSERT_EQ(run.exitCode, 0) << line << "\n" << run.output;
  std::vector<const TableRow*> wanted;
  for (std::size_t i = 0; i < rows.RowCount(); ++i)
    if (KindOfTag(rows.Row(i).typeTag) != StreamKind::Other) wanted.push_back(&rows.Row(i));
  ProbedFile result = Probe(output);
  const StreamTable& streams = result.tables.SourceTable();
  ASSERT_EQ(streams.RowCount(), wanted.size()) << line;
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    EXPECT_EQ(KindOfTag(streams.Row(i).typeTag), KindOfTag(wanted[i]->typeTag)) << line;
    if (KindOfTag(wanted[i]->typeTag) != StreamKind::Video) continue;
    for (int column : {kWidth, kHeight})
      if (!KnownDimension(wanted[i]->cells[column]).empty())
        EXPECT_EQ(streams.GetCell(i, column), wanted[i]->cells[column]) << line;
  }
}

class RealReport : public testing::TestWithParam<std::string> {};

TEST_P(RealReport, ExpertCommandAndReencodeCutAreAcceptedAndKeepEveryStream) {
  const std::string name = GetParam();
  ProbedFile loaded;
  std::ifstream file(ToolSidePath(TRELLIMUX_REPORTS_DIR "/" + name + ".report"), std::ios::binary);
  loaded.report.assign(std::istreambuf_iterator<char>(file), {});
  ASSERT_FALSE(loaded.tables.LoadProbeReport(loaded.report)) << name;
  StreamTable& rows = loaded.tables.ParameterTable();
  for (std::size_t row = 0; row < rows.RowCount(); ++row) rows.SetChecked(row, true);
  const std::string input = MakeStandIn(name, loaded.tables.SourceTable());
  const std::string output = OutputPath(name + ".mkv");

  ExpertCommandInput expert{.expertMode = true,
                            .containerIndex = 1,
                            .sourceRowCount = rows.RowCount(),
                            .inputPath = input,
                            .outputPath = output};
  ASSERT_NO_FATAL_FAILURE(
      ExpectAcceptedKeepingEveryStream(*BuildExpertCommand(expert, rows), output, rows));

  const std::string tempDir = WorkFolder(name + "-cuts");
  TrimCommandInput trim{.inputPath = input,
                        .outputPath = output,
                        .tempDir = tempDir,
                        .cutMode = kReencodeCut,
                        .concatMode = kCutOnly,
                        .expertMode = true};
  const std::vector<Cut> cut = {{"00:00:00.000", "00:00:00.080"}};
  ExpectAcceptedKeepingEveryStream(TrimCommandLines(BuildTrimCommand(trim, rows, cut)).front(),
                                   CutFilePath(tempDir, 0, output), rows);
}

// Natively every report of the folder; under Wine ffmpeg.exe 4.1 runs a few,
// one of each kind of fault.
std::vector<std::string> ReportNames() {
#ifdef _WIN32
  return {"ix_ts_dvb_h264_teletext_mp2_epg", "ix_ts_live_heaacv2_h264_0x0", "jf_mkv_vp8_vorbis_srt",
          "made_dvbt2_hevc10_latm_eac3", "made_mkv_subs_attachments"};
#else
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(TRELLIMUX_REPORTS_DIR))
    if (entry.path().extension() == ".report") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
#endif
}

INSTANTIATE_TEST_SUITE_P(Reports, RealReport, testing::ValuesIn(ReportNames()));

}  // namespace
}  // namespace trellimux::test
