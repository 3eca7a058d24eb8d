#include <gtest/gtest.h>

#include "params/PageTables.h"
#include "params/ParameterColumns.h"
#include "probe/ReportText.h"

namespace trellimux {
namespace {

using test::AudioStream;
using test::Format;
using test::VideoStream;

const std::string kThreeStreams = VideoStream("0", "720", "576") + AudioStream("1", "ger") +
                                  AudioStream("2", "eng") + Format("3");

PageTables Loaded(StreamPage page, const std::string& report = kThreeStreams) {
  PageTables tables(page);
  EXPECT_EQ(tables.LoadProbeReport(report), std::nullopt);
  return tables;
}

TEST(PageTables, LoadingFillsBothTablesAlikeUncheckedAndUnselected) {
  PageTables tables = Loaded(StreamPage::Convert);
  const StreamTable& source = tables.SourceTable();
  const StreamTable& parameters = tables.ParameterTable();
  ASSERT_EQ(source.RowCount(), 3u);
  ASSERT_EQ(parameters.RowCount(), 3u);
  for (std::size_t row = 0; row < 3; ++row) {
    EXPECT_EQ(source.Row(row).cells, parameters.Row(row).cells);
    EXPECT_FALSE(parameters.IsChecked(row));
    EXPECT_EQ(parameters.GetCell(row, kQuality), "");
    EXPECT_EQ(parameters.GetCell(row, kBufsize), "");
  }
  EXPECT_EQ(parameters.Selection(), std::nullopt);
  EXPECT_EQ(KindOfTag(parameters.Row(0).typeTag), StreamKind::Video);
  EXPECT_EQ(KindOfTag(source.Row(2).typeTag), StreamKind::Audio);
  EXPECT_EQ(parameters.GetCell(2, kLanguage), "eng");
}

TEST(PageTables, FailedParseLeavesTablesEmptyAndOddSizeFlagAsItWas) {
  PageTables convert = Loaded(StreamPage::Convert, VideoStream("0", "721", "576") + Format("1"));
  EXPECT_EQ(convert.OddSizeFlag(), 1u);
  EXPECT_EQ(convert.LoadProbeReport(VideoStream("0", "720", "576") + Format("2")),
            ProbeFailure::Stream);
  EXPECT_TRUE(convert.SourceTable().Empty());
  EXPECT_TRUE(convert.ParameterTable().Empty());
  EXPECT_EQ(convert.OddSizeFlag(), 1u);
  EXPECT_EQ(convert.LoadProbeReport("garbage"), ProbeFailure::Format);

  PageTables trim = Loaded(StreamPage::Trim, VideoStream("0", "721", "577") + Format("1"));
  EXPECT_EQ(trim.OddSizeFlag(), 0u) << "the Trim page keeps no odd-size flag";
}

TEST(PageTables, CellsHoldAtMost1023Characters) {
  PageTables tables = Loaded(
      StreamPage::Convert,
      test::Stream({"index=0", "codec_type=audio", "TAG:language=" + std::string(5000, 'x')}) +
          Format("1"));
  EXPECT_EQ(tables.SourceTable().GetCell(0, kLanguage).size(), kMaxCellLength);
  tables.ParameterTable().SetCell(0, kCodec, std::string(2000, 'c'));
  EXPECT_EQ(tables.ParameterTable().GetCell(0, kCodec), std::string(1023, 'c'));
}

TEST(PageTables, FindSourceRowMatchesStreamTextIgnoringCaseFirstMatch) {
  PageTables tables =
      Loaded(StreamPage::Convert, test::Stream({"index=A1", "codec_type=audio"}) +
                                      test::Stream({"codec_type=video"}) +
                                      test::Stream({"codec_type=audio"}) + Format("3"));
  EXPECT_EQ(tables.FindSourceRow("a1"), 0u);
  EXPECT_EQ(tables.FindSourceRow(""), 1u) << "two rows without index: the first";
  EXPECT_EQ(tables.FindSourceRow("9"), std::nullopt);
}

TEST(PageTables, ResetRowToSourceRestoresCellsByStreamTextAndKeepsCheck) {
  PageTables tables = Loaded(StreamPage::Convert);
  StreamTable& parameters = tables.ParameterTable();
  parameters.Select(1);
  tables.MoveRowUp();  // stream 1 now sits in row 0, so position alone would pick stream 0
  parameters.SetChecked(0, true);
  tables.ClearRowParameters();
  parameters.SetCell(0, kCodec, "aac");
  tables.ResetRowToSource();
  EXPECT_EQ(parameters.Row(0).cells, tables.SourceTable().Row(1).cells);
  EXPECT_TRUE(parameters.IsChecked(0));
  EXPECT_EQ(KindOfTag(parameters.Row(0).typeTag), StreamKind::Audio);
}

TEST(PageTables, ClearRowParametersKeepsStreamTypeAndCheck) {
  PageTables tables = Loaded(StreamPage::Trim);
  StreamTable& parameters = tables.ParameterTable();
  parameters.SetChecked(0, true);
  parameters.Select(0);
  tables.ClearRowParameters();
  EXPECT_EQ(parameters.GetCell(0, kStream), "0");
  EXPECT_EQ(parameters.GetCell(0, kType), "video");
  for (int column = kCodec; column < kParameterColumnCount; ++column)
    EXPECT_EQ(parameters.GetCell(0, column), "") << kParameterColumns[column].header;
  EXPECT_TRUE(parameters.IsChecked(0));
  EXPECT_EQ(tables.SourceTable().GetCell(0, kCodec), "mpeg2video") << "the source is never edited";
}

TEST(PageTables, MovingRowsCarriesCellsCheckAndTagAndKeepsSelection) {
  PageTables tables = Loaded(StreamPage::Convert);
  StreamTable& parameters = tables.ParameterTable();
  parameters.SetChecked(1, true);
  parameters.Select(1);
  tables.MoveRowUp();
  EXPECT_EQ(parameters.GetCell(0, kStream), "1");
  EXPECT_EQ(parameters.GetCell(1, kStream), "0");
  EXPECT_TRUE(parameters.IsChecked(0));
  EXPECT_FALSE(parameters.IsChecked(1));
  EXPECT_EQ(KindOfTag(parameters.Row(0).typeTag), StreamKind::Audio);
  EXPECT_EQ(KindOfTag(parameters.Row(1).typeTag), StreamKind::Video);
  EXPECT_EQ(parameters.Selection(), 0u);

  tables.MoveRowUp();  // first row: nothing moves
  EXPECT_EQ(parameters.GetCell(0, kStream), "1");
  EXPECT_EQ(parameters.Selection(), 0u);

  parameters.Select(1);
  tables.MoveRowDown();
  tables.MoveRowDown();  // last row: nothing moves
  EXPECT_EQ(parameters.GetCell(2, kStream), "0");
  EXPECT_EQ(parameters.GetCell(1, kStream), "2");
  EXPECT_EQ(parameters.Selection(), 2u);
  EXPECT_EQ(tables.SourceTable().GetCell(0, kStream), "0") << "source rows never move";
}

TEST(PageTables, RowOperationsWithoutSelectionChangeNothing) {
  PageTables tables = Loaded(StreamPage::Convert);
  const StreamTable before = tables.ParameterTable();
  tables.ParameterTable().SetCell(0, kCodec, "hevc");
  tables.ResetRowToSource();
  tables.MoveRowUp();
  tables.MoveRowDown();
  EXPECT_EQ(tables.ParameterTable().GetCell(0, kCodec), "hevc");
  tables.ClearRowParameters();
  EXPECT_EQ(tables.ParameterTable().GetCell(1, kCodec), before.GetCell(1, kCodec));
  EXPECT_EQ(tables.ParameterTable().GetCell(0, kStream), "0");

  PageTables empty(StreamPage::Trim);
  empty.MoveRowDown();
  empty.MoveRowUp();
  EXPECT_TRUE(empty.ParameterTable().Empty());
}

}  // namespace
}  // namespace trellimux
