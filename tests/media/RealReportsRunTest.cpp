// Probe reports of real recordings (tests/media/realworld): every row ticked
// and every cell as probed, the expert command and the Trim "Reencode" cut
// line must be accepted by a real ffmpeg and keep every stream. The media are
// stand-ins with the report's stream layout, made by the same ffmpeg: each
// stream in its probed codec where ffmpeg encodes it, at a small size and for
// 0.12 s; the commands then scale to the probed sizes.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cmdline/EncoderFacts.h"
#include "cmdline/ExpertCommand.h"
#include "cmdline/ProbedValues.h"
#include "cmdline/TrimCommand.h"
#include "concat/ConcatCommand.h"
#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "params/ParameterColumns.h"
#include "text/AsciiText.h"
#include "trim/TrimChoices.h"

namespace trellimux::test {
namespace {

std::string ReadReport(const std::string& name) {
  std::ifstream file(ToolSidePath(std::string(TRELLIMUX_REPORTS_DIR "/") + name + ".report"),
                     std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The report loaded into the Convert page's tables, every row ticked.
struct LoadedReport {
  std::string report;
  PageTables tables{StreamPage::Convert};
};

void Load(LoadedReport& loaded, const std::string& name) {
  loaded.report = ReadReport(name);
  ASSERT_FALSE(loaded.report.empty()) << name;
  ASSERT_FALSE(loaded.tables.LoadProbeReport(loaded.report)) << name;
  StreamTable& parameters = loaded.tables.ParameterTable();
  for (std::size_t row = 0; row < parameters.RowCount(); ++row) parameters.SetChecked(row, true);
}

// The stand-in of one stream: the probed codec where ffmpeg encodes it.
// Teletext and PGS cannot be made (no encoder): a subrip stream stands in,
// which the command copies as it would copy them. Streams that are neither
// video, audio nor subtitle (data, attachments) are never mapped: a subrip
// stream keeps their place in the numbering.
std::string StandInStream(const TableRow& row, std::size_t index, const std::string& subtitles,
                          std::string& inputs) {
  const std::string n = std::to_string(index);
  std::string codec(WorkingEncoder(row.cells[kCodec]));
  switch (KindOfTag(row.typeTag)) {
    case StreamKind::Video: {
      inputs += " -f lavfi -i testsrc=size=160x120:rate=25:duration=0.12";
      std::string options = " -c:" + n + " " + codec;
      if (!row.cells[kPixFmt].empty()) options += " -pix_fmt:" + n + " " + row.cells[kPixFmt];
      return options;
    }
    case StreamKind::Audio: {
      const std::string rate = row.cells[kSampleRate].empty() ? "48000" : row.cells[kSampleRate];
      inputs += " -f lavfi -i sine=frequency=440:sample_rate=" + rate + ":duration=0.12";
      if (EqualsIgnoringCase(codec, "copy")) codec = std::string(row.cells[kCodec]) + " -strict -2";
      int channels = std::max(1, ReadDecimal(row.cells[kChannels]));
      const AudioEncoderFacts* facts = FindAudioEncoder(codec);
      if (facts && facts->maxChannels > 0) channels = std::min(channels, facts->maxChannels);
      if (EqualsIgnoringCase(row.cells[kCodec], "dts")) channels = 2;  // dca: up to 5.1(side)
      return " -c:" + n + " " + codec + " -ac:" + n + " " + std::to_string(channels);
    }
    default: {
      inputs += " -i \"" + subtitles + "\"";
      const bool text = EqualsIgnoringCase(codec, "ass");
      return " -c:" + n + (text ? " ass" : " subrip");
    }
  }
}

std::string MakeStandIn(const std::string& name, const StreamTable& source) {
  const std::string subtitles = OutputPath(name + ".srt");
  std::ofstream(subtitles, std::ios::binary) << "1\r\n00:00:00,020 --> 00:00:00,100\r\nHello\r\n";
  std::string inputs, maps, codecs;
  for (std::size_t i = 0; i < source.RowCount(); ++i) {
    maps += " -map " + std::to_string(i);
    codecs += StandInStream(source.Row(i), i, subtitles, inputs);
  }
  const std::string path = OutputPath(name + "-standin.mkv");
  ToolRun run = RunTool(FfmpegTool::Ffmpeg, " -y" + inputs + maps + codecs + " \"" + path + "\"");
  EXPECT_EQ(run.exitCode, 0) << name << ": the stand-in\n" << run.output;
  return path;
}

// The stream kinds of the output, in order, against those of the ticked
// video, audio and subtitle rows; each video at its row's size (a -vf for
// all video streams gave a film its cover picture's size).
void ExpectEveryStreamKept(const std::string& output, const StreamTable& rows,
                           const std::string& what) {
  std::vector<const TableRow*> wanted;
  for (std::size_t i = 0; i < rows.RowCount(); ++i)
    if (KindOfTag(rows.Row(i).typeTag) != StreamKind::Other) wanted.push_back(&rows.Row(i));
  ProbedFile result = Probe(output);
  const StreamTable& streams = result.tables.SourceTable();
  ASSERT_EQ(streams.RowCount(), wanted.size()) << what << ": every ticked stream in the output";
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    const TableRow& row = *wanted[i];
    EXPECT_EQ(KindOfTag(streams.Row(i).typeTag), KindOfTag(row.typeTag)) << what << " " << i;
    for (int column : {kWidth, kHeight})
      if (KindOfTag(row.typeTag) == StreamKind::Video && !KnownDimension(row.cells[column]).empty())
        EXPECT_EQ(streams.GetCell(i, column), row.cells[column]) << what << " stream " << i;
  }
}

class RealReport : public testing::TestWithParam<const char*> {};

TEST_P(RealReport, ExpertCommandAndReencodeCutAreAcceptedAndKeepEveryStream) {
  const std::string name = GetParam();
  LoadedReport loaded;
  Load(loaded, name);
  const StreamTable& rows = loaded.tables.ParameterTable();
  const std::string input = MakeStandIn(name, loaded.tables.SourceTable());

  ExpertCommandInput expert;
  expert.expertMode = true;
  expert.containerIndex = 1;
  expert.sourceRowCount = rows.RowCount();
  expert.inputPath = input;
  const std::string output = OutputPath(name + ".mkv");
  expert.outputPath = output;
  const std::string command = BuildExpertCommand(expert, rows).value_or("");
  ToolRun run = RunTool(FfmpegTool::Ffmpeg, " -y" + command);
  ASSERT_EQ(run.exitCode, 0) << command << "\n" << run.output;
  ExpectEveryStreamKept(output, rows, "expert");

  TrimCommandInput trim;
  trim.inputPath = input;
  trim.outputPath = output;
  const std::string tempDir = WorkFolder(name + "-cuts");
  trim.tempDir = tempDir;
  trim.cutMode = kReencodeCut;
  trim.concatMode = kCutOnly;
  trim.expertMode = true;
  const std::vector<Cut> cut = {{"00:00:00.000", "00:00:00.080"}};
  const std::string line = TrimCommandLines(BuildTrimCommand(trim, rows, cut)).front();
  run = RunTool(FfmpegTool::Ffmpeg, " -y" + line);
  ASSERT_EQ(run.exitCode, 0) << line << "\n" << run.output;
  ExpectEveryStreamKept(CutFilePath(tempDir, 0, output), rows, "Reencode cut");
}

// Under Wine ffmpeg.exe 4.1 runs a few of them, one of each kind of fault.
#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Reports, RealReport,
                         testing::Values("ix_ts_dvb_h264_teletext_mp2_epg",
                                         "ix_ts_live_heaacv2_h264_0x0", "jf_mkv_vp8_vorbis_srt",
                                         "made_dvbt2_hevc10_latm_eac3",
                                         "made_mkv_subs_attachments"));
#else
INSTANTIATE_TEST_SUITE_P(
    Reports, RealReport,
    testing::Values("ix_avi_mpeg4sp_ac3_51", "ix_mod_mpeg2_mp2_sidedata",
                    "ix_mp4_bbb_cbaseline_rtp_default", "ix_mxf_avcintra_4xpcm",
                    "ix_ts_dvb_h264_teletext_mp2_epg", "ix_ts_h264_aac_scte35_id3",
                    "ix_ts_live_heaacv2_h264_0x0", "jf_mkv_hi444_eac3atmos_dtsx",
                    "jf_mkv_mjpeg_cover", "jf_mkv_vp8_vorbis_srt", "jf_mp4_interlaced",
                    "jf_ts_h264_aac", "kn_mkv_hevc_heaac_pgs",
                    "made_Sendung_______bertragung_4x3___", "made_dvb_h264i_ac3_mp2",
                    "made_dvbt2_hevc10_latm_eac3", "made_dvd_like", "made_mkv_subs_attachments",
                    "td_mkv_7streams_flac_ac3_eac3", "td_mkv_nb7_8sections"));
#endif

}  // namespace
}  // namespace trellimux::test
