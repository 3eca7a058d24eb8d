// A pile of recordings converted in one go through the real window: several
// files chosen at once in the Convert "Input" dialog, one Start, one
// summary. A damaged file fails alone, a stop asks about the rest, and in
// expert mode a file of other streams is skipped.
#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"
#include "app/win/ProgramControls.h"
#include "params/ParameterColumns.h"

namespace trellimux::test {
namespace {

constexpr int kFiles = 8;

std::string FilmName(int number) { return "Film " + std::to_string(number); }

class EndToEndBatch : public EndToEndTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Convert));
    root_ = FreshWorkFolder(
        "batch-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    outputs_ = root_ + "\\out";
    ASSERT_TRUE(CreateDirectoryA(outputs_.c_str(), nullptr));
  }

  // The files chosen together in the input dialog (in another order than
  // their numbers), the first one probed, the container and the output
  // folder chosen.
  void ChooseBatch(const std::vector<std::string>& names, bool expert) {
    ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConvertExpertButton, kConvertExpertLamp, false));
    ASSERT_TRUE(Done(Program().PostClick(kConvertInputButton)));
    ASSERT_TRUE(Done(Program().MoveFileDialogTo(kInputDialogTitle, root_, kStepTimeoutMs)));
    std::string typed;
    for (auto name = names.rbegin(); name != names.rend(); ++name) typed += "\"" + *name + "\" ";
    ASSERT_TRUE(Done(Program().FillFileDialog(kInputDialogTitle, typed, kStepTimeoutMs)));
    std::optional<ShownBox> probed = Program().WaitForMessageBox(kJobTimeoutMs);
    ASSERT_TRUE(probed) << Program().Failure();
    std::string log;
    ASSERT_NO_FATAL_FAILURE(FinishJob(*probed, log));
    ASSERT_EQ(Program().Text(kConvertInputBox), root_ + "\\" + names.front())
        << "the first file in natural order is not the one shown";
    if (expert) {
      ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConvertExpertButton, kConvertExpertLamp, true));
      for (int row = 0; row < Program().RowCount(kConvertParameterTable); ++row)
        ASSERT_TRUE(Done(Program().CheckRow(kConvertParameterTable, row, true)));
    }
    ASSERT_TRUE(Done(Program().Select(kConvertContainerList, ".mkv")));
    ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConvertOutputButton, outputs_ + "\\any name.mkv"));
  }

  // Start, and the batch's summary (answered) with the whole log.
  ShownBox RunBatch(std::string& log) {
    ShownBox summary;
    EXPECT_TRUE(Done(Program().PostClick(kStartButton)));
    std::optional<ShownBox> box = Program().WaitForMessageBox(4 * kJobTimeoutMs);
    EXPECT_TRUE(box) << Program().Failure() << "\nlog:\n" << Program().LogText();
    if (box) {
      summary = *box;
      FinishJob(summary, log);
    }
    return summary;
  }

  std::string Output(int number, std::string_view ending = ".mkv") const {
    return outputs_ + "\\" + FilmName(number) + std::string(ending);
  }

  void ExpectConverted(int number) {
    SCOPED_TRACE(FilmName(number));
    const MediaFacts facts = ProbeMedia(Output(number));
    ASSERT_TRUE(facts.probed) << facts.report;
    EXPECT_EQ(facts.format, "matroska,webm");
    EXPECT_EQ(facts.streams.size(), 2u);
    EXPECT_FALSE(FileExists(Output(number, ".mkv.part")));
  }

  std::string root_;
  std::string outputs_;
};

std::vector<std::string> FilmNames(int count) {
  std::vector<std::string> names;
  for (int number = 1; number <= count; ++number) names.push_back(FilmName(number) + ".ts");
  return names;
}

TEST_F(EndToEndBatch, EveryFileIsConvertedButTheDamagedOneWhichIsNamedWithItsReason) {
  for (int number = 1; number <= kFiles; ++number) {
    const std::string path = root_ + "\\" + FilmName(number) + ".ts";
    if (number == 3) {
      WriteFileBytes(path, std::string(8192, 'x'));  // no recording at all
    } else {
      ASSERT_NO_FATAL_FAILURE(MakeTransportStream(path, 1, "160x120"));
    }
  }
  ASSERT_NO_FATAL_FAILURE(ChooseBatch(FilmNames(kFiles), false));
  std::string log;
  const ShownBox summary = RunBatch(log);
  EXPECT_EQ(summary.caption, " Warning");
  EXPECT_TRUE(summary.text.starts_with("7 of 8 files converted. Failed: Film 3.ts - Invalid data"))
      << "no reason of ffprobe's: " << summary.text;
  EXPECT_TRUE(summary.text.ends_with(" The outputs are in " + outputs_ + ".")) << summary.text;
  for (int number = 1; number <= kFiles; ++number)
    if (number != 3) ASSERT_NO_FATAL_FAILURE(ExpectConverted(number));
  EXPECT_FALSE(FileExists(Output(3)));
  EXPECT_EQ(FilesIn(outputs_).size(), 7u);
  // The log window shows the end of the batch's log: the last file, the summary.
  EXPECT_NE(log.find("8/8 Film 8.ts: done"), std::string::npos) << log;
  EXPECT_NE(log.find(summary.text), std::string::npos) << log;

  // Again: the outputs exist, and "skip existing" leaves them all alone.
  const FileStamp first = StampOf(Output(1));
  ASSERT_TRUE(Done(Program().PostClick(kStartButton)));
  std::optional<ShownBox> question = Program().WaitForMessageBox(kStepTimeoutMs);
  ASSERT_TRUE(question) << Program().Failure();
  EXPECT_EQ(question->caption, " Confirmation");
  EXPECT_TRUE(question->text.starts_with("7 of the 8 outputs exist already.")) << question->text;
  ASSERT_NO_FATAL_FAILURE(Answer(*question, IDNO));
  std::optional<ShownBox> again = Program().WaitForMessageBox(kJobTimeoutMs);
  ASSERT_TRUE(again) << Program().Failure();
  EXPECT_TRUE(again->text.starts_with("0 of 8 files converted.")) << again->text;
  EXPECT_NE(again->text.find("Film 2.ts - its output exists already"), std::string::npos);
  ASSERT_NO_FATAL_FAILURE(FinishJob(*again, log));
  EXPECT_TRUE(StampOf(Output(1)) == first) << "a skipped output was written";

  // "Overwrite all", with file 5 now cut short after its header (ffprobe
  // reads it, ffmpeg fails on it) and a folder where file 7's temporary
  // output goes: both fail with their reasons, the others go on, and the
  // older outputs of the failed files are kept.
  const std::string whole = root_ + "\\whole.mp4";
  ASSERT_NO_FATAL_FAILURE(
      MakeMedia("-f lavfi -i testsrc=size=160x120:rate=25:duration=2"
                " -c:v libx264 -movflags +faststart \"" +
                whole + "\""));
  WriteFileBytes(root_ + "\\Film 5.ts", FileBytes(whole).substr(0, 3000));
  ASSERT_TRUE(CreateDirectoryA(Output(7, ".mkv.part").c_str(), nullptr));
  const FileStamp fifth = StampOf(Output(5)), seventh = StampOf(Output(7));
  ASSERT_TRUE(Done(Program().PostClick(kStartButton)));
  question = Program().WaitForMessageBox(kStepTimeoutMs);
  ASSERT_TRUE(question) << Program().Failure();
  ASSERT_NO_FATAL_FAILURE(Answer(*question, IDYES));
  std::optional<ShownBox> third = Program().WaitForMessageBox(kJobTimeoutMs);
  ASSERT_TRUE(third) << Program().Failure();
  EXPECT_TRUE(third->text.starts_with("5 of 8 files converted. Failed: Film 3.ts - "))
      << third->text;
  EXPECT_NE(third->text.find("; Film 5.ts - "), std::string::npos) << third->text;
  EXPECT_NE(third->text.find("(kept as Film 5.mkv.part); Film 7.ts - Film 7.mkv.part could not be "
                             "replaced: "),
            std::string::npos)
      << third->text;
  ASSERT_NO_FATAL_FAILURE(FinishJob(*third, log));
  EXPECT_TRUE(StampOf(Output(5)) == fifth) << "the older output of a failed file was touched";
  EXPECT_TRUE(StampOf(Output(7)) == seventh) << "the older output of a failed file was touched";
  EXPECT_FALSE(StampOf(Output(1)) == first) << "an output was not overwritten";
}

TEST_F(EndToEndBatch, ACancelInTheFourthFileStopsTheRestWhenAsked) {
  for (int number = 1; number <= kFiles; ++number)
    ASSERT_NO_FATAL_FAILURE(MakeTransportStream(root_ + "\\" + FilmName(number) + ".ts",
                                                number == 4 ? 240 : 1, "160x120"));
  ASSERT_NO_FATAL_FAILURE(ChooseBatch(FilmNames(kFiles), false));
  ASSERT_TRUE(Done(Program().PostClick(kStartButton)));
  ASSERT_TRUE(PollUntil(kJobTimeoutMs, [&] {
    return Program().LogText().find("4/8 Film 4.ts: running") != std::string::npos &&
           FileExists(Output(4, ".mkv.part"));
  })) << Program().LogText();
  Sleep(500);
  ASSERT_TRUE(Done(Program().PostClick(kCancelJobButton)));
  std::optional<ShownBox> question = Program().WaitForMessageBox(kJobTimeoutMs);
  ASSERT_TRUE(question) << Program().Failure();
  EXPECT_EQ(question->caption, " Confirmation");
  EXPECT_EQ(question->text, "The file was stopped. Stop the rest of the batch too?");
  ASSERT_NO_FATAL_FAILURE(Answer(*question, IDYES));
  std::optional<ShownBox> summary = Program().WaitForMessageBox(kJobTimeoutMs);
  ASSERT_TRUE(summary) << Program().Failure();
  EXPECT_EQ(summary->text,
            "3 of 8 files converted. Cancelled: Film 4.ts (kept as Film 4.mkv.part); Film 5.ts; "
            "Film 6.ts; Film 7.ts; Film 8.ts. The outputs are in " +
                outputs_ + ".");
  std::string log;
  ASSERT_NO_FATAL_FAILURE(FinishJob(*summary, log));
  for (int number = 1; number <= 3; ++number) ASSERT_NO_FATAL_FAILURE(ExpectConverted(number));
  EXPECT_FALSE(FileExists(Output(4))) << "the stopped file has its final name";
  EXPECT_TRUE(FileExists(Output(4, ".mkv.part")));
  for (int number = 5; number <= kFiles; ++number)
    EXPECT_FALSE(FileExists(Output(number, ".mkv.part")));
  EXPECT_EQ(FilesIn(outputs_).size(), 4u);
}

TEST_F(EndToEndBatch, ExpertModeSkipsAFileOfOtherStreamsAndSaysWhy) {
  ASSERT_NO_FATAL_FAILURE(MakeTransportStream(root_ + "\\Film 1.ts", 1, "160x120"));
  ASSERT_NO_FATAL_FAILURE(
      MakeMedia("-f lavfi -i testsrc=size=160x120:rate=25:duration=1"
                " -c:v mpeg2video \"" +
                root_ + "\\Film 2.ts\""));
  ASSERT_NO_FATAL_FAILURE(MakeTransportStream(root_ + "\\Film 3.ts", 1, "160x120"));
  ASSERT_NO_FATAL_FAILURE(ChooseBatch(FilmNames(3), true));
  std::string log;
  const ShownBox summary = RunBatch(log);
  EXPECT_EQ(summary.text,
            "2 of 3 files converted. Skipped: Film 2.ts - its streams (video mpeg2video) are not "
            "those of the first file (video mpeg2video, audio mp2). The outputs are in " +
                outputs_ + ".");
  ASSERT_NO_FATAL_FAILURE(ExpectConverted(1));
  ASSERT_NO_FATAL_FAILURE(ExpectConverted(3));
  EXPECT_FALSE(FileExists(Output(2)));
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConvertExpertButton, kConvertExpertLamp, false));
}

}  // namespace
}  // namespace trellimux::test
