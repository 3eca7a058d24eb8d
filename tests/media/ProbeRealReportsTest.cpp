// Reports printed by a real prober (Linux ffprobe natively with LF line ends,
// ffprobe.exe under Wine with CR LF) parse into the streams the samples hold.
#include <gtest/gtest.h>

#include "media/SampleMedia.h"
#include "params/ParameterColumns.h"

namespace trellimux::test {
namespace {

TEST(ProbeRealReports, BroadcastRecordingWithTwoAudioStreams) {
  ProbedFile file = Probe(SamplePath("broadcast.ts"));
#ifdef _WIN32
  EXPECT_NE(file.report.find("[/STREAM]\r\n"), std::string::npos) << "CR LF report";
#else
  EXPECT_EQ(file.report.find('\r'), std::string::npos) << "LF report";
#endif
  const StreamTable& source = file.tables.SourceTable();
  ASSERT_EQ(source.RowCount(), 3u);
  EXPECT_EQ(source.GetCell(0, kType), "video");
  EXPECT_EQ(source.GetCell(0, kCodec), "mpeg2video");
  EXPECT_EQ(source.GetCell(0, kWidth), "720");
  EXPECT_EQ(source.GetCell(0, kHeight), "576");
  EXPECT_EQ(source.GetCell(0, kDar), "16:9");
  EXPECT_EQ(source.GetCell(0, kFps), "25/1");
  EXPECT_EQ(source.GetCell(0, kPixFmt), "yuv420p");
  EXPECT_EQ(source.GetCell(0, kQuality), "");
  for (std::size_t row : {1u, 2u}) {
    EXPECT_EQ(source.GetCell(row, kCodec), "mp2");
    EXPECT_EQ(source.GetCell(row, kSampleRate), "48000");
    EXPECT_EQ(source.GetCell(row, kWidth), "");
    EXPECT_EQ(KindOfTag(source.Row(row).typeTag), StreamKind::Audio);
  }
  EXPECT_EQ(source.GetCell(1, kChannels), "2");
  EXPECT_EQ(source.GetCell(2, kChannels), "1");
  EXPECT_EQ(source.GetCell(2, kLanguage), "ger");
  EXPECT_EQ(file.tables.OddSizeFlag(), 0u);
}

TEST(ProbeRealReports, OddSizedVideoSetsTheOddSizeFlag) {
  ProbedFile file = Probe(SamplePath("odd.mkv"));
  ASSERT_EQ(file.tables.SourceTable().RowCount(), 2u);
  EXPECT_EQ(file.tables.SourceTable().GetCell(0, kWidth), "321");
  EXPECT_EQ(file.tables.OddSizeFlag(), 2u);
}

TEST(ProbeRealReports, SubtitleAndMp4Streams) {
  ProbedFile subtitled = Probe(SamplePath("subtitled.mkv"));
  const StreamTable& source = subtitled.tables.SourceTable();
  ASSERT_EQ(source.RowCount(), 3u);
  EXPECT_EQ(source.GetCell(2, kType), "subtitle");
  EXPECT_EQ(source.GetCell(2, kCodec), "subrip");
  EXPECT_EQ(source.GetCell(2, kLanguage), "eng");
  EXPECT_EQ(KindOfTag(source.Row(2).typeTag), StreamKind::Subtitle);

  ProbedFile film = Probe(SamplePath("film.mp4"));
  ASSERT_EQ(film.tables.SourceTable().RowCount(), 2u);
  EXPECT_EQ(film.tables.SourceTable().GetCell(0, kCodec), "h264");
  EXPECT_EQ(film.tables.SourceTable().GetCell(0, kWidth), "1280");
  EXPECT_EQ(film.tables.SourceTable().GetCell(1, kCodec), "aac");
  EXPECT_FALSE(film.tables.SourceTable().GetCell(1, kBitrate).empty());
}

}  // namespace
}  // namespace trellimux::test
