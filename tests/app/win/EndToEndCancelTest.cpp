// "Cancel Job" pressed twice in quick succession during a Convert job, as an
// impatient user does: the job ends as canceled and the output file is whole,
// readable and with its duration, in containers that are written last at
// their end (.mp4 its index, .mkv its duration) and in a .ts, which ffmpeg
// closes before the second press comes.
#include <string>

#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"

namespace trellimux::test {
namespace {

constexpr double kRecordingSeconds = 12;
// A broadcast recording's picture: at this size ffmpeg takes far longer than
// the gap between the presses to finish its file once asked to stop, so the
// second press comes while it still writes.
constexpr char kRecordingSize[] = "720x576";
// A second press comes this long after the first, as a double press does.
constexpr DWORD kPressGapMs = 300;
// The conversion runs this long after its first progress line before the
// presses, so that the output has data enough to be read.
constexpr DWORD kRunBeforeCancelMs = 2000;

struct CancelMedia {
  std::string recording;  // mpeg2video + mp2 TS
  std::string outputs;
};

const CancelMedia* media = nullptr;

void MakeCancelMedia() {
  static CancelMedia made;
  const std::string root = FreshWorkFolder("cancel");
  made.recording = root + "\\recording.ts";
  made.outputs = root + "\\out";
  CreateDirectoryA(made.outputs.c_str(), nullptr);
  ASSERT_NO_FATAL_FAILURE(MakeTransportStream(made.recording, kRecordingSeconds, kRecordingSize));
  media = &made;
}

class EndToEndCancel : public EndToEndTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    if (!media) {
      ASSERT_NO_FATAL_FAILURE(MakeCancelMedia());
    }
    ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Convert));
    // The command box follows the page's choices again.
    if (Program().IsChecked(kConvertEditLamp)) {
      ASSERT_TRUE(Done(Program().Click(kConvertEditButton)));
    }
  }

  // Presses "Start" and waits until ffmpeg has reported progress for a while.
  void StartAndLetRun() {
    ASSERT_NO_FATAL_FAILURE(StartAndWaitForProgress());
    PollUntil(
        kRunBeforeCancelMs, [&] { return Program().VisibleDialog() != nullptr; },
        /*intervalMs=*/50);
    ASSERT_EQ(Program().VisibleDialog(), nullptr)
        << "the job ended before the cancel: " << MessageBoxText(Program().VisibleDialog());
  }
};

TEST_P(EndToEndCancel, DoublePressEndsTheJobAsCanceledWithAReadableOutput) {
  const std::string output = media->outputs + "\\canceled" + GetParam();
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConvertExpertButton, kConvertExpertLamp, false));
  ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kConvertInputButton, media->recording));
  ASSERT_TRUE(Done(Program().Select(kConvertContainerList, GetParam())));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConvertOutputButton, output));
  ASSERT_EQ(Program().Text(kConvertOutputBox), output);
  ASSERT_NO_FATAL_FAILURE(MakeRealTime(kConvertEditButton, kConvertEditLamp, kConvertCommandBox));
  ASSERT_NO_FATAL_FAILURE(StartAndLetRun());

  ASSERT_TRUE(Done(Program().Click(kCancelJobButton)));
  PollUntil(kPressGapMs, [] { return false; });
  // The frame shows that the press was taken, whether or not the log is in view.
  const std::string caption = Program().Text(kProgressFrame);
  ASSERT_TRUE(Done(Program().Click(kCancelJobButton)));

  std::optional<ShownBox> box = Program().WaitForMessageBox(kJobTimeoutMs);
  ASSERT_TRUE(box) << Program().Failure();
  const ShownBox ended = *box;
  std::string log;
  ASSERT_NO_FATAL_FAILURE(FinishJob(*box, log));
  EXPECT_EQ(ended.caption, kCanceledCaption);
  EXPECT_EQ(ended.text, kCanceledText);
  // ffmpeg closes a .ts before the second press; the others take longer.
  if (std::string_view(GetParam()) != ".ts") EXPECT_EQ(caption, " Stopping\xE2\x80\xA6 ");
  EXPECT_EQ(Program().Text(kProgressFrame), " Progress ");
  const MediaFacts facts = ProbeMedia(output);
  ASSERT_TRUE(facts.probed) << facts.report << "\nlog:\n" << log;
  EXPECT_GT(facts.duration, 0) << facts.report;
  EXPECT_LT(facts.duration, kRecordingSeconds - 5) << "the conversion ran to its end";
}

INSTANTIATE_TEST_SUITE_P(Containers, EndToEndCancel, ::testing::Values(".ts", ".mp4", ".mkv"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param + 1);
                         });

}  // namespace
}  // namespace trellimux::test
