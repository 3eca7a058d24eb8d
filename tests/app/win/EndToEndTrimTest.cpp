// The Trim page of the real program: cut times entered in the time fields,
// three sections cut by copying and by reencoding and joined in each concat
// mode (or left as cut files), a job cancelled while it cuts, and the starts
// that must be refused.
#include <numeric>

#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"
#include "app/win/ProgramControls.h"

namespace trellimux::test {
namespace {

struct TrimMedia {
  std::string source;  // 4 s, 160x120, MPEG-TS
  std::string outputs;
  std::string root;
};

const TrimMedia* media = nullptr;

void MakeTrimMedia() {
  static TrimMedia made;
  made.root = FreshWorkFolder("trim");
  made.source = made.root + "\\source.ts";
  made.outputs = made.root + "\\out";
  CreateDirectoryA(made.outputs.c_str(), nullptr);
  ASSERT_NO_FATAL_FAILURE(MakeTransportStream(made.source, 4, "160x120"));
  media = &made;
}

// Ten minutes of 640x360 whose reencoding takes far longer than a cancel:
// two seconds made once and repeated by copying.
std::string MakeLongRecording() {
  const std::string seed = media->root + "\\seed.ts";
  const std::string recording = media->root + "\\long.ts";
  if (FileExists(recording)) return recording;
  MakeTransportStream(seed, 2, "640x360");
  MakeMedia("-stream_loop 299 -i \"" + seed + "\" -map 0 -c copy \"" + recording + "\"");
  return recording;
}

std::string TempFolder() { return ToolsFolder() + "\\Temp"; }

struct TrimCut {
  CutTime in;
  CutTime out;
  double Seconds() const { return out.Seconds() - in.Seconds(); }
};

// At keyframes of the source (one every 0.2 s), so that copying keeps them
// whole too: 0.8 + 0.6 + 1.0 s.
const TrimCut kCuts[] = {{{0, 0, 0, 200}, {0, 0, 1, 0}},
                         {{0, 0, 1, 400}, {0, 0, 2, 0}},
                         {{0, 0, 2, 600}, {0, 0, 3, 600}}};
constexpr int kCutCount = 3;

class EndToEndTrim : public EndToEndTest {
 protected:
  void SetUp() override {
    if (!media) {
      ASSERT_NO_FATAL_FAILURE(MakeTrimMedia());
    }
    ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Trim));
  }

  void SetExpertMode(bool on) {
    EndToEndTest::SetExpertMode(kTrimExpertButton, kTrimExpertLamp, on);
    ASSERT_EQ(Program().IsEnabled(kTrimConcatModeList), on);
  }

  // The input with its probe; every stream ticked in the stream table shown.
  void ChooseInput(const std::string& path, bool tickStreams) {
    ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kTrimInputButton, path));
    EXPECT_EQ(Program().Text(kTrimInputBox), path);
    ASSERT_EQ(Program().RowCount(kTrimSourceTable), 2) << "the probed streams are not listed";
    if (!tickStreams) return;
    for (int row = 0; row < 2; ++row)
      ASSERT_TRUE(Done(Program().CheckRow(kTrimSourceTable, row, true)));
  }

  void EnterCuts(const TrimCut* cuts, int count) {
    ASSERT_TRUE(Done(Program().Click(kCutResetButton)));
    std::vector<std::vector<std::string>> expected;
    for (int i = 0; i < count; ++i) {
      ASSERT_NO_FATAL_FAILURE(AddCut(cuts[i].in, cuts[i].out));
      expected.push_back({std::to_string(i), cuts[i].in.Text(), cuts[i].out.Text()});
    }
    ASSERT_EQ(Program().Rows(kCutList, 3), expected)
        << "the cut list does not show the times entered";
  }

  // Chooses the output, runs the Trim job and checks the cuts and the join.
  void RunTrim(const std::string& name, std::string_view concatMode) {
    SCOPED_TRACE(name);
    const std::string output = media->outputs + "\\" + name + ".ts";
    ASSERT_NO_FATAL_FAILURE(ChooseOutput(kTrimOutputButton, media->outputs + "\\" + name + ".mkv"));
    ASSERT_EQ(Program().Text(kTrimOutputBox), output);
    ASSERT_EQ(Program().SelectedText(kTrimConcatModeList), concatMode);
    std::vector<std::string> lines = Lines(Program().Text(kTrimCommandBox));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kCutCount + 1))
        << "the command box has no cut lines and join line";
    std::string log;
    ASSERT_NO_FATAL_FAILURE(RunJob(log));
    // "Copy" lines seek to the keyframes the start found; the box shows them.
    lines = Lines(Program().Text(kTrimCommandBox));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kCutCount + 1));

    std::vector<std::string> expectedFiles;
    std::string cutBytes, listFile;
    double cutSeconds = 0;
    int cutFrames = 0;
    for (int i = 0; i < kCutCount; ++i) {
      const std::string file = "temp" + std::to_string(i) + ".ts";
      const std::string path = TempFolder() + "\\" + file;
      expectedFiles.push_back(file);
      listFile += "file '" + path + "'\r\n";
      EXPECT_NE(log.find(lines[i]), std::string::npos) << "cut line " << i << " is not in the log";
      const MediaFacts facts = ProbeMedia(path);
      EXPECT_TRUE(facts.probed) << path << "\n" << facts.report;
      // A copy begins at the keyframe at or before the In: a GOP (0.2 s) more
      // where the In's frame lies just before a keyframe.
      const double gop = name.starts_with("copy-") ? 0.2 : 0;
      EXPECT_GE(facts.duration, kCuts[i].Seconds() - 0.15) << path;
      EXPECT_LE(facts.duration, kCuts[i].Seconds() + gop + 0.15) << path;
      cutSeconds += facts.duration;
      cutFrames += VideoFrameCount(path);
      cutBytes += FileBytes(path);
    }
    if (concatMode == "FFmpeg Demuxer") expectedFiles.insert(expectedFiles.begin(), "files.txt");
    EXPECT_EQ(FilesIn(TempFolder()), expectedFiles) << "the temporary folder holds other files";

    if (concatMode == "None, cut only") {
      EXPECT_FALSE(FileExists(output)) << "a join was made";
      EXPECT_EQ(log.find(lines[kCutCount]), std::string::npos) << "the join line was run";
      return;
    }
    EXPECT_NE(log.find(lines[kCutCount]), std::string::npos) << "the join line is not in the log";
    if (concatMode == "Windows File") {
      EXPECT_TRUE(FileBytes(output) == cutBytes)
          << "the byte join is not the cuts one after the other";
      return;
    }
    if (concatMode == "FFmpeg Demuxer") {
      EXPECT_EQ(FileBytes(TempFolder() + "\\files.txt"), listFile);
    }
    const MediaFacts facts = ProbeMedia(output);
    ASSERT_TRUE(facts.probed) << output << "\n" << facts.report << "\nlog:\n" << log;
    EXPECT_EQ(facts.streams.size(), 2u) << facts.report;
    EXPECT_NEAR(facts.duration, cutSeconds, 0.15) << output;
    EXPECT_EQ(VideoFrameCount(output), cutFrames) << output;
  }
};

// Runs first in its suite: no input has been chosen yet.
TEST_F(EndToEndTrim, PlayButtonsStayQuietWithoutFilesAndReportAMissingCut) {
  ASSERT_EQ(Program().Text(kTrimInputBox), "") << "an input was chosen before";
  ASSERT_EQ(Program().Text(kTrimOutputBox), "");
  ASSERT_NO_FATAL_FAILURE(ExpectNothingShown(kTrimPlayInputButton));
  ASSERT_NO_FATAL_FAILURE(ExpectNothingShown(kTrimPlayOutputButton));
  ASSERT_NO_FATAL_FAILURE(ExpectNothingShown(kCutPlayButton));  // no cuts

  // A selected cut that has not been made: the system's text for a missing
  // file.
  ASSERT_NO_FATAL_FAILURE(ChooseInput(media->source, /*tickStreams=*/true));
  ASSERT_NO_FATAL_FAILURE(EnterCuts(kCuts, 1));
  ASSERT_EQ(Program().Text(kTrimOutputBox), ".ts");
  const std::string cut = TempFolder() + "\\temp0.ts";
  DeleteFileA(cut.c_str());
  ASSERT_FALSE(FileExists(cut));
  ASSERT_NO_FATAL_FAILURE(ExpectBox(kCutPlayButton, " Error", "File not found."));
}

TEST_F(EndToEndTrim, RefusesStartsThatWouldLoseOrMisplaceFiles) {
  ASSERT_NO_FATAL_FAILURE(ChooseInput(media->source, /*tickStreams=*/false));
  ASSERT_NO_FATAL_FAILURE(EnterCuts(kCuts, 1));
  // No stream ticked: no command.
  EXPECT_EQ(Program().Text(kTrimCommandBox), "");
  ASSERT_NO_FATAL_FAILURE(ExpectRefusal(" Error", "FFmpeg command line error, maybe empty."));
  for (int row = 0; row < 2; ++row)
    ASSERT_TRUE(Done(Program().CheckRow(kTrimSourceTable, row, true)));

  // The input as output: refused before the question that would delete it.
  const FileStamp sourceStamp = StampOf(media->source);
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kTrimOutputButton, media->source));
  ASSERT_EQ(Program().Text(kTrimOutputBox), media->source);
  ASSERT_NO_FATAL_FAILURE(ExpectRefusal(" Warning", kOutputIsInputText));
  EXPECT_TRUE(StampOf(media->source) == sourceStamp) << "the input was touched";

  const std::string folder = media->outputs + "\\folder.ts";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kTrimOutputButton, media->outputs + "\\folder.mkv"));
  ASSERT_EQ(Program().Text(kTrimOutputBox), folder);
  ASSERT_NO_FATAL_FAILURE(ExpectRefusal(" Note", kJoinPathText));
  EXPECT_TRUE(FolderExists(folder));

  // No to the question: the older file and the temporary folder stay.
  const std::string existing = media->outputs + "\\existing.ts";
  const std::string older = "an older file, kept unless the user agrees\r\n";
  WriteFileBytes(existing, older);
  CreateDirectoryA(TempFolder().c_str(), nullptr);
  const std::string kept = TempFolder() + "\\left-by-an-earlier-job.txt";
  WriteFileBytes(kept, "kept\r\n");
  const FileStamp existingStamp = StampOf(existing);
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kTrimOutputButton, existing));
  ASSERT_NO_FATAL_FAILURE(DeclineOverwrite());
  EXPECT_EQ(FileBytes(existing), older);
  EXPECT_TRUE(StampOf(existing) == existingStamp) << existing << " was touched";
  EXPECT_TRUE(FileExists(kept)) << "the temporary folder was emptied";
  DeleteFileA(kept.c_str());
}

TEST_F(EndToEndTrim, CutsByReencodingAndByCopyingAndJoinsInEachMode) {
  ASSERT_NO_FATAL_FAILURE(ChooseInput(media->source, /*tickStreams=*/true));
  // An MPEG-TS input: its container, reencoded cuts joined as one stream.
  EXPECT_EQ(Program().SelectedText(kTrimContainerList), ".ts");
  EXPECT_EQ(Program().SelectedText(kTrimCutModeList), "Reencode");
  EXPECT_EQ(Program().SelectedText(kTrimConcatModeList), "FFmpeg File");
  EXPECT_FALSE(Program().IsEnabled(kTrimConcatModeList))
      << "the choices are open outside expert mode";
  ASSERT_NO_FATAL_FAILURE(EnterCuts(kCuts, kCutCount));
  ASSERT_NO_FATAL_FAILURE(RunTrim("reencode-file", "FFmpeg File"));

  // The other joins need expert mode; reencoding there takes the parameter
  // table's streams.
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(true));
  ASSERT_TRUE(Program().IsVisible(kTrimParameterTable));
  for (int row = 0; row < 2; ++row)
    ASSERT_TRUE(Done(Program().CheckRow(kTrimParameterTable, row, true)));
  for (const char* mode : {"FFmpeg Demuxer", "Windows File", "None, cut only"}) {
    ASSERT_TRUE(Done(Program().Select(kTrimConcatModeList, mode)));
    ASSERT_NO_FATAL_FAILURE(RunTrim(std::string("reencode-") + mode, mode));
  }

  ASSERT_TRUE(Done(Program().Select(kTrimCutModeList, "Copy")));
  EXPECT_TRUE(Program().IsVisible(kTrimSourceTable));
  EXPECT_FALSE(Program().IsVisible(kTrimParameterTable));
  for (const char* mode : {"FFmpeg Demuxer", "FFmpeg File", "Windows File", "None, cut only"}) {
    ASSERT_TRUE(Done(Program().Select(kTrimConcatModeList, mode)));
    ASSERT_NO_FATAL_FAILURE(RunTrim(std::string("copy-") + mode, mode));
  }
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(false));
}

TEST_F(EndToEndTrim, CancelDuringTheSecondOfFourCutsSkipsTheRestAndTheJoin) {
  const std::string recording = MakeLongRecording();
  ASSERT_FALSE(HasFailure());
  ASSERT_NO_FATAL_FAILURE(ChooseInput(recording, /*tickStreams=*/true));
  const TrimCut cuts[] = {{{0, 0, 0, 0}, {0, 0, 1, 0}},
                          {{0, 0, 1, 0}, {0, 9, 0, 0}},
                          {{0, 9, 10, 0}, {0, 9, 11, 0}},
                          {{0, 9, 20, 0}, {0, 9, 21, 0}}};
  ASSERT_NO_FATAL_FAILURE(EnterCuts(cuts, 4));
  const std::string output = media->outputs + "\\canceled.ts";
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kTrimOutputButton, media->outputs + "\\canceled.mkv"));
  ASSERT_EQ(Program().Text(kTrimOutputBox), output);
  const std::vector<std::string> lines = Lines(Program().Text(kTrimCommandBox));
  ASSERT_EQ(lines.size(), 5u);

  ASSERT_TRUE(Done(Program().PostClick(kStartButton)));
  // Cut 2 runs once its line is in the log and ffmpeg reports progress.
  std::string log;
  const bool secondCutRuns = PollUntil(
      kJobTimeoutMs,
      [&] {
        log = Program().LogText();
        const std::size_t line = log.find(lines[1]);
        return (line != std::string::npos && log.find("frame=", line) != std::string::npos) ||
               Program().VisibleDialog() != nullptr;
      },
      /*intervalMs=*/50);
  ASSERT_TRUE(secondCutRuns) << "cut 2 did not start; log:\n" << log;
  ASSERT_EQ(Program().VisibleDialog(), nullptr)
      << "the job ended before the cancel: " << MessageBoxText(Program().VisibleDialog());
  ASSERT_TRUE(Done(Program().Click(kCancelJobButton)));

  std::optional<ShownBox> box = Program().WaitForMessageBox(kJobTimeoutMs);
  ASSERT_TRUE(box) << Program().Failure();
  const ShownBox ended = *box;
  ASSERT_NO_FATAL_FAILURE(FinishJob(*box, log));
  EXPECT_EQ(ended.caption, kCanceledCaption);
  EXPECT_EQ(ended.text, kCanceledText);

  EXPECT_EQ(FilesIn(TempFolder()), (std::vector<std::string>{"temp0.ts", "temp1.ts"}))
      << "cuts after the cancelled one were made";
  EXPECT_FALSE(FileExists(output)) << "the cuts were joined";
  EXPECT_EQ(log.find(lines[2]), std::string::npos) << "cut 3 was started";
  EXPECT_EQ(log.find(lines[4]), std::string::npos) << "the join was started";
  // Stopped politely: the cut file is whole but short, its log closed.
  const MediaFacts second = ProbeMedia(TempFolder() + "\\temp1.ts");
  EXPECT_TRUE(second.probed) << second.report;
  EXPECT_LT(second.duration, cuts[1].Seconds() - 60) << "cut 2 ran to its end";
  EXPECT_GE(log.size(), 6u);
  EXPECT_EQ(log.substr(log.size() - std::min<std::size_t>(log.size(), 6)), "\r\n\r\n\r\n")
      << "the stopped cut's log is not closed";
}

}  // namespace
}  // namespace trellimux::test
