#include <gtest/gtest.h>

#include "batch/ConvertBatch.h"
#include "model/FixedItemLists.h"
#include "params/PageTables.h"
#include "probe/ReportText.h"

namespace trellimux {
namespace {

using test::AudioStream;
using test::Format;
using test::Stream;
using test::VideoStream;

int Container(std::string_view extension) {
  for (std::size_t i = 0; i < kContainerListB.size(); ++i)
    if (kContainerListB[i] == extension) return static_cast<int>(i);
  return 0;
}

const std::string kFilm = VideoStream("0", "720", "576") + AudioStream("1", "ger") + Format("2");
const std::string kAudioFirst =
    AudioStream("0", "ger") + VideoStream("1", "720", "576") + Format("2");

// The page's settings with the first file probed: every stream checked in
// expert mode.
BatchSettings Settings(bool expert, std::string_view extension) {
  BatchSettings settings;
  settings.expertMode = expert;
  settings.container = Container(extension);
  PageTables first(StreamPage::Convert);
  EXPECT_FALSE(first.LoadProbeReport(kFilm));
  for (std::size_t row = 0; row < first.ParameterTable().RowCount(); ++row)
    first.ParameterTable().SetChecked(row, true);
  settings.parameters = first.ParameterTable();
  settings.expertLayout = StreamLayoutOf(first.SourceTable());
  settings.easyLists.ChangeContainer(settings.container, first.SourceTable());
  return settings;
}

TEST(ConvertBatchTest, OutputsAreNamedLikeTheirInputsInTheChosenFolder) {
  EXPECT_EQ(BatchOutputPath("D:\\out\\", "E:\\rec\\Film 3.ts", ".mp4"), "D:\\out\\Film 3.mp4");
  EXPECT_EQ(BatchOutputPath("D:\\out\\", "E:\\rec\\Film.ts.001", ".mkv"), "D:\\out\\Film.ts.mkv");
  EXPECT_EQ(BatchOutputPath("D:\\", "Film", ".ts"), "D:\\Film.ts");
  EXPECT_EQ(TemporaryOutputPath("D:\\out\\Film 3.mp4"), "D:\\out\\Film 3.mp4.part");
}

// Each file gets the page's command with its own paths, written under its
// temporary name with the muxer named; expert mode only for files with the
// first one's streams.
TEST(ConvertBatchTest, EachFileGetsThePagesCommandOrAReasonToBeSkipped) {
  struct Case {
    const char* name;
    bool expert;
    std::string_view extension;
    const std::string& report;
    std::string ending;  // of the arguments; empty: skipped
    std::string reason;
  };
  const std::string unreadable = "[FORMAT]\r\nfilename=x\r\n";
  const Case cases[] = {
      {"easy", false, ".mp4", kFilm, " -f mp4 \"D:\\out\\b.mp4.part\"", ""},
      {"easy, other layout", false, ".mkv", kAudioFirst, " -f matroska \"D:\\out\\b.mp4.part\"",
       ""},
      {"expert", true, ".ts", kFilm, " -f mpegts \"D:\\out\\b.mp4.part\"", ""},
      {"expert, other layout", true, ".ts", kAudioFirst, "",
       "its streams (audio mp2, video mpeg2video) are not those of the first file (video "
       "mpeg2video, audio mp2)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BatchCommand command = BuildBatchCommand(Settings(c.expert, c.extension), c.report,
                                                   "E:\\rec\\b.ts", "D:\\out\\b.mp4.part");
    if (c.ending.empty()) {
      EXPECT_FALSE(command.arguments);
      EXPECT_EQ(command.skipReason, c.reason);
      continue;
    }
    ASSERT_TRUE(command.arguments) << command.skipReason;
    EXPECT_NE(command.arguments->find("\"E:\\rec\\b.ts\""), std::string::npos)
        << *command.arguments;
    EXPECT_TRUE(command.arguments->ends_with(c.ending)) << *command.arguments;
  }
  const BatchCommand broken =
      BuildBatchCommand(Settings(false, ".mp4"), unreadable, "E:\\rec\\b.ts", "D:\\b.mp4.part");
  EXPECT_FALSE(broken.arguments);
  EXPECT_FALSE(broken.skipReason.empty());
}

// The log's lines and the summary name every file that did not end well,
// and the temporary name it was left under.
TEST(ConvertBatchTest, TheSummaryNamesWhatFailedWasSkippedOrCancelled) {
  std::vector<BatchFile> files;
  for (int i = 1; i <= 8; ++i) {
    const std::string name = "Film " + std::to_string(i);
    files.push_back({"E:\\rec\\" + name + ".ts", "D:\\out\\" + name + ".mp4", BatchState::Done});
  }
  EXPECT_EQ(BatchSummaryText(files, "D:\\out\\"),
            "8 of 8 files converted. The outputs are in D:\\out.");
  EXPECT_EQ(BatchSummaryBox(files, "").caption, "Information");

  files[2].state = BatchState::Failed;
  files[2].reason = "E:\\rec\\Film 3.ts: Invalid data found when processing input";
  files[3] = {files[3].input, files[3].output, BatchState::Cancelled, "", true};
  files[4].state = BatchState::Cancelled;
  files[6].state = BatchState::Skipped;
  files[6].reason = std::string(kExistingOutputSkipped);
  EXPECT_EQ(BatchSummaryText(files, "D:\\out\\"),
            "4 of 8 files converted. Failed: Film 3.ts - E:\\rec\\Film 3.ts: Invalid data found "
            "when processing input. Skipped: Film 7.ts - its output exists already. Cancelled: "
            "Film 4.ts (kept as Film 4.mp4.part); Film 5.ts. The outputs are in D:\\out.");
  EXPECT_EQ(BatchSummaryBox(files, "").caption, " Warning");
  EXPECT_EQ(BatchStateLine(files[3], 3, 8),
            "4/8 Film 4.ts: cancelled (kept as D:\\out\\Film 4.mp4.part)");
  EXPECT_EQ(BatchStateLine(files[0], 0, 8), "1/8 Film 1.ts: done -> D:\\out\\Film 1.mp4");
  EXPECT_EQ(ReasonWithoutPath("E:\\a.ts: Invalid data", "E:\\a.ts"), "Invalid data");
  EXPECT_EQ(ReasonWithoutPath("mp2: Header missing", "E:\\a.ts"), "mp2: Header missing");
  EXPECT_NE(BatchChosenText({"E:\\a.ts", "E:\\b.ts"}).find("\r\n2/2 b.ts: waiting\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace trellimux
