// Failures and the close during a job in the real program: commands that
// ffmpeg.exe refuses (typed into the command box, as a user may) end with
// the error box and ffmpeg's reason, a Trim stops at the cut that failed, and
// closing while a job runs asks first and leaves no ffmpeg behind.
#include <windows.h>
// After <windows.h>, which it needs.

#include <functional>

#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"
#include "app/win/PreviewDriving.h"
#include "app/win/ProgramControls.h"

namespace trellimux::test {
namespace {

struct FailureMedia {
  std::string film;      // h264 + aac, 2 s
  std::string source;    // mpeg2video + mp2 TS, 4 s
  std::string longSeed;  // 2 s of 640x360, repeated into `recording`
  std::string recording;
  std::string outputs;
};

const FailureMedia* media = nullptr;

void MakeFailureMedia() {
  static FailureMedia made;
  const std::string root = FreshWorkFolder("failure");
  made.film = root + "\\film.mp4";
  made.source = root + "\\source.ts";
  made.longSeed = root + "\\seed.ts";
  made.recording = root + "\\long.ts";
  made.outputs = root + "\\out";
  CreateDirectoryA(made.outputs.c_str(), nullptr);
  ASSERT_NO_FATAL_FAILURE(MakeMp4(made.film, 2, "320x240"));
  ASSERT_NO_FATAL_FAILURE(MakeTransportStream(made.source, 4, "160x120"));
  // Ten minutes, whose conversion takes far longer than a close.
  ASSERT_NO_FATAL_FAILURE(MakeTransportStream(made.longSeed, 2, "640x360"));
  ASSERT_NO_FATAL_FAILURE(MakeMedia("-stream_loop 299 -i \"" + made.longSeed +
                                    "\" -map 0 -c copy \"" + made.recording + "\""));
  media = &made;
}

// The command with `options` put in front of its last argument, the output.
std::string BeforeOutput(const std::string& command, const std::string& options) {
  const std::size_t output = command.rfind(" \"");
  EXPECT_NE(output, std::string::npos) << command;
  return command.substr(0, output) + options + command.substr(output);
}

constexpr char kLogNote[] = "Everything FFmpeg wrote is in the log window";

class EndToEndFailure : public EndToEndTest {
 protected:
  void SetUp() override {
    if (!media) {
      ASSERT_NO_FATAL_FAILURE(MakeFailureMedia());
    }
  }

  // Presses "Start" with the page's command box as `edit` makes it, and
  // returns the box that ends the job and the log.
  void RunEdited(int editButton, int editLamp, int commandBox,
                 const std::function<std::string(const std::string&)>& edit, ShownBox& box,
                 std::string& log) {
    ASSERT_TRUE(Done(Program().Click(editButton)));
    ASSERT_TRUE(Program().IsChecked(editLamp));
    ASSERT_TRUE(Done(Program().SetText(commandBox, edit(Program().Text(commandBox)))));
    ASSERT_NO_FATAL_FAILURE(PressStart(box));
    const ShownBox shown = box;
    ASSERT_NO_FATAL_FAILURE(FinishJob(box, log));
    box = shown;
    ASSERT_TRUE(Done(Program().Click(editButton)));
    EXPECT_FALSE(Program().IsChecked(editLamp));
  }

  std::string Output(const std::string& name) const { return media->outputs + "\\" + name; }
};

TEST_F(EndToEndFailure, RefusedConvertShowsTheErrorBoxWithFfmpegsReason) {
  struct Refusal {
    const char* options;
    const char* reason;  // as ffmpeg.exe prints it
    bool outputLeft;     // ffmpeg had begun the output file
  };
  const Refusal refusals[] = {
      {" -c:v:0 dvb_teletext", "Unknown encoder 'dvb_teletext'", false},
      {" -c:a:0 mp2 -sample_fmt:a:0 fltp",
       "Specified sample format fltp is invalid or not supported", true},
  };
  ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Convert));
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConvertExpertButton, kConvertExpertLamp, false));
  ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kConvertInputButton, media->film));
  ASSERT_TRUE(Done(Program().Select(kConvertContainerList, ".mkv")));
  int run = 0;
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.options);
    const std::string output = Output("refused" + std::to_string(++run) + ".mkv");
    ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConvertOutputButton, output));
    ShownBox box;
    std::string log;
    ASSERT_NO_FATAL_FAILURE(RunEdited(
        kConvertEditButton, kConvertEditLamp, kConvertCommandBox,
        [&](const std::string& command) { return BeforeOutput(command, refusal.options); }, box,
        log));
    EXPECT_EQ(box.caption, " Error") << box.text;
    EXPECT_TRUE(box.text.starts_with("FFmpeg could not do this job (exit code 1).")) << box.text;
    EXPECT_NE(box.text.find(refusal.reason), std::string::npos) << box.text;
    EXPECT_NE(log.find(refusal.reason), std::string::npos) << log;
    EXPECT_NE(box.text.find(kLogNote), std::string::npos) << box.text;
    EXPECT_EQ(FileExists(output), refusal.outputLeft);
    EXPECT_EQ(box.text.find("The output file is incomplete") != std::string::npos,
              refusal.outputLeft)
        << box.text;
  }
}

TEST_F(EndToEndFailure, TrimStopsAtTheSecondCutWhenItFails) {
  ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Trim));
  ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kTrimInputButton, media->source));
  for (int row = 0; row < 2; ++row)
    ASSERT_TRUE(Done(Program().CheckRow(kTrimSourceTable, row, true)));
  ASSERT_TRUE(Done(Program().Click(kCutResetButton)));
  ASSERT_NO_FATAL_FAILURE(AddCut({0, 0, 0, 200}, {0, 0, 1, 0}));
  ASSERT_NO_FATAL_FAILURE(AddCut({0, 0, 1, 400}, {0, 0, 2, 0}));
  ASSERT_NO_FATAL_FAILURE(AddCut({0, 0, 2, 600}, {0, 0, 3, 600}));
  const std::string output = Output("trimmed.ts");
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kTrimOutputButton, output));
  const std::vector<std::string> lines = Lines(Program().Text(kTrimCommandBox));
  ASSERT_EQ(lines.size(), 4u) << "three cut lines and the join line";

  ShownBox box;
  std::string log;
  ASSERT_NO_FATAL_FAILURE(RunEdited(
      kTrimEditButton, kTrimEditLamp, kTrimCommandBox,
      [&](const std::string&) {
        return lines[0] + "\r\n" + BeforeOutput(lines[1], " -c:v:0 dvb_teletext") + "\r\n" +
               lines[2] + "\r\n" + lines[3];
      },
      box, log));
  EXPECT_EQ(box.caption, " Error") << box.text;
  EXPECT_TRUE(box.text.starts_with("Cut 2 of 3: FFmpeg could not make this cut (exit code 1)."))
      << box.text;
  EXPECT_NE(box.text.find("Unknown encoder 'dvb_teletext'"), std::string::npos) << box.text;
  EXPECT_EQ(FilesIn(ToolsFolder() + "\\Temp"), std::vector<std::string>{"temp0.ts"})
      << "a cut after the failed one was made";
  EXPECT_EQ(log.find(lines[2]), std::string::npos) << "cut 3 was started";
  EXPECT_EQ(log.find(lines[3]), std::string::npos) << "the join was started";
  EXPECT_FALSE(FileExists(output)) << "the cuts were joined";
}

// Last in its suite: the program ends.
TEST_F(EndToEndFailure, ClosingDuringAJobAsksAndYesLeavesNoFfmpegAndAPlayableOutput) {
  ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Convert));
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConvertExpertButton, kConvertExpertLamp, false));
  ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kConvertInputButton, media->recording));
  ASSERT_TRUE(Done(Program().Select(kConvertContainerList, ".mkv")));
  const std::string output = Output("closed.mkv");
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConvertOutputButton, output));
  ASSERT_NO_FATAL_FAILURE(StartAndWaitForProgress());
  const DWORD program = Program().ProcessId();
  ASSERT_EQ(RunningJobChildren(program), 1);

  // No: everything goes on.
  ASSERT_TRUE(Done(Program().RequestClose()));
  std::optional<ShownBox> question = Program().WaitForMessageBox(kStepTimeoutMs);
  ASSERT_TRUE(question) << Program().Failure();
  EXPECT_EQ(question->caption, " Warning");
  EXPECT_EQ(question->text, "A job is running. Cancel it and close Trellimux?");
  ASSERT_NO_FATAL_FAILURE(Answer(*question, IDNO));
  EXPECT_FALSE(Program().HasEnded());
  EXPECT_TRUE(Program().IsBusy());
  EXPECT_EQ(RunningJobChildren(program), 1);

  // Yes: the job is cancelled and the window closes when it has ended, with
  // no further box.
  ASSERT_TRUE(Done(Program().RequestClose()));
  question = Program().WaitForMessageBox(kStepTimeoutMs);
  ASSERT_TRUE(question) << Program().Failure();
  EXPECT_EQ(question->text, "A job is running. Cancel it and close Trellimux?");
  ASSERT_NO_FATAL_FAILURE(Answer(*question, IDYES));
  ASSERT_TRUE(Done(Program().WaitForExit(kJobTimeoutMs)))
      << "shown: " << MessageBoxText(Program().VisibleDialog());
  EXPECT_EQ(Program().ExitCode(), 0u);
  EXPECT_EQ(RunningFfmpegChildren(program), 0) << "ffmpeg.exe outlived the program";

  // Stopped politely: a whole file, shorter than the recording.
  const MediaFacts facts = ProbeMedia(output);
  ASSERT_TRUE(facts.probed) << facts.report;
  EXPECT_GT(facts.duration, 0);
  EXPECT_LT(facts.duration, 600 - 60) << "the conversion ran to its end";
  EXPECT_GT(VideoFrameCount(output), 0) << "the output does not play";
}

}  // namespace
}  // namespace trellimux::test
