// The share done and the time left of real jobs, read from outside as a
// user sees them: the progress bar's position and the "Progress" frame's
// caption, sampled twice a second while ffmpeg reads its inputs in real
// time ("-re" typed into the command box), so that the real time left is
// known. The bar only rises, the caption shows the share and the time left
// (and the cut for Trim), and the time left at half way is near the truth.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"

namespace trellimux::test {
namespace {

constexpr double kRecordingSeconds = 24;
constexpr DWORD kSampleIntervalMs = 500;
constexpr char kEnDash[] = "\xE2\x80\x93";

struct ProgressMedia {
  std::string recording;  // 24 s, MPEG-2 and MP2 in a TS
  std::vector<std::string> parts;  // three 8 s TS to join
  std::string outputs;
};

const ProgressMedia* media = nullptr;

void MakeProgressMedia() {
  static ProgressMedia made;
  const std::string root = FreshWorkFolder("progress");
  made.recording = root + "\\recording.ts";
  made.outputs = root + "\\out";
  CreateDirectoryA(made.outputs.c_str(), nullptr);
  ASSERT_NO_FATAL_FAILURE(MakeTransportStream(made.recording, kRecordingSeconds, "320x240"));
  for (int part = 1; part <= 3; ++part) {
    made.parts.push_back(root + "\\part" + std::to_string(part) + ".ts");
    ASSERT_NO_FATAL_FAILURE(MakeTransportStream(made.parts.back(), kRecordingSeconds / 3, "320x240"));
  }
  media = &made;
}

struct Sample {
  double seconds;  // since the start
  int position;    // of the bar, 0 to 1000 once a share is known
  std::string caption;
};

// "3:10 left" in a caption, in seconds; -1 when the caption has none.
int SecondsLeftIn(const std::string& caption) {
  const std::size_t left = caption.find(" left");
  if (left == std::string::npos) return -1;
  const std::size_t start = caption.rfind(' ', left - 1) + 1;
  int seconds = 0;
  for (std::size_t at = start; at < left;) {
    const std::size_t colon = caption.find(':', at);
    const std::size_t end = colon == std::string::npos || colon > left ? left : colon;
    seconds = seconds * 60 + std::atoi(caption.substr(at, end - at).c_str());
    at = end + 1;
  }
  return seconds;
}

class EndToEndProgress : public EndToEndTest {
 protected:
  void SetUp() override {
    if (!media) {
      ASSERT_NO_FATAL_FAILURE(MakeProgressMedia());
    }
  }

  // Presses "Start", samples the bar and the caption until the job's box
  // shows, and checks that it is "Job done".
  std::vector<Sample> RunSampled() {
    std::vector<Sample> samples;
    const DWORD start = GetTickCount();
    EXPECT_TRUE(Done(Program().PostClick(kStartButton)));
    HWND bar = Program().Control(kProgressBar);
    while (!Program().VisibleDialog() && GetTickCount() - start < kJobTimeoutMs) {
      DWORD_PTR position = 0;
      SendMessageTimeoutA(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 2000, &position);
      const std::string caption = Program().Text(kProgressFrame);
      // The bar back at 0 and the designed caption: the job has ended and
      // its box is on its way.
      if (caption == " Progress " && !samples.empty() && samples.back().position > 0) {
        PollUntil(kStepTimeoutMs, [&] { return Program().VisibleDialog() != nullptr; }, 20);
        break;
      }
      samples.push_back({(GetTickCount() - start) / 1000.0, static_cast<int>(position), caption});
      PollUntil(kSampleIntervalMs, [&] { return Program().VisibleDialog() != nullptr; }, 20);
    }
    ended_ = (GetTickCount() - start) / 1000.0;  // within a sample's interval
    std::optional<ShownBox> box = Program().WaitForMessageBox(kStepTimeoutMs);
    EXPECT_TRUE(box) << Program().Failure();
    if (!box) return samples;
    std::string log;
    const ShownBox shown = *box;
    FinishJob(*box, log);
    EXPECT_EQ(shown.text, kDoneText) << log;
    EXPECT_EQ(Program().Text(kProgressFrame), " Progress ");
    return samples;
  }

  // The bar rises and never goes back, to near the end; the caption shows
  // the share with a time left; the time left at half way is within 30% of
  // the real time left.
  void ExpectTruthfulProgress(const std::vector<Sample>& samples) {
    ASSERT_GE(samples.size(), 10u);
    int highest = 0, rises = 0;
    bool timeShown = false;
    std::optional<Sample> halfWay;
    for (const Sample& sample : samples) {
      SCOPED_TRACE(sample.caption);
      EXPECT_GE(sample.position, highest) << "the bar went back at " << sample.seconds << " s";
      rises += sample.position > highest;
      highest = std::max(highest, sample.position);
      if (sample.caption.find(std::string("% ") + kEnDash) != std::string::npos ||
          sample.caption.find(" left") != std::string::npos) {
        timeShown = true;
      }
      if (!halfWay && sample.position >= 500 && SecondsLeftIn(sample.caption) >= 0) halfWay = sample;
    }
    EXPECT_GE(rises, 5) << "the bar did not rise step by step";
    EXPECT_GE(highest, 850) << "the bar did not come near its end";
    EXPECT_TRUE(timeShown) << "no time left was shown";
    ASSERT_TRUE(halfWay) << "no time left at half way";
    const double real = ended_ - halfWay->seconds;
    const int shown = SecondsLeftIn(halfWay->caption);
    EXPECT_NEAR(shown, real, 0.3 * real) << "at " << halfWay->seconds << " s: " << halfWay->caption;
  }

  static bool AnyCaptionHas(const std::vector<Sample>& samples, const std::string& text) {
    for (const Sample& sample : samples)
      if (sample.caption.find(text) != std::string::npos) return true;
    return false;
  }

  double ended_ = 0;
};

TEST_F(EndToEndProgress, ConvertShowsShareAndTimeLeft) {
  ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Convert));
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConvertExpertButton, kConvertExpertLamp, false));
  ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kConvertInputButton, media->recording));
  ASSERT_TRUE(Done(Program().Select(kConvertContainerList, ".mkv")));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConvertOutputButton, media->outputs + "\\converted.mkv"));
  ASSERT_NO_FATAL_FAILURE(MakeRealTime(kConvertEditButton, kConvertEditLamp, kConvertCommandBox));
  const std::vector<Sample> samples = RunSampled();
  ASSERT_NO_FATAL_FAILURE(ExpectTruthfulProgress(samples));
  EXPECT_TRUE(AnyCaptionHas(samples, " Progress ") || AnyCaptionHas(samples, "%"));
  ASSERT_TRUE(Done(Program().Click(kConvertEditButton)));
}

TEST_F(EndToEndProgress, TrimNamesEachCut) {
  ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Trim));
  ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kTrimInputButton, media->recording));
  for (int row = 0; row < 2; ++row) ASSERT_TRUE(Done(Program().CheckRow(kTrimSourceTable, row, true)));
  ASSERT_TRUE(Done(Program().Click(kCutResetButton)));
  ASSERT_NO_FATAL_FAILURE(AddCut({0, 0, 1, 0}, {0, 0, 7, 0}));
  ASSERT_NO_FATAL_FAILURE(AddCut({0, 0, 9, 0}, {0, 0, 15, 0}));
  ASSERT_NO_FATAL_FAILURE(AddCut({0, 0, 17, 0}, {0, 0, 23, 0}));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kTrimOutputButton, media->outputs + "\\trimmed.ts"));
  ASSERT_NO_FATAL_FAILURE(MakeRealTime(kTrimEditButton, kTrimEditLamp, kTrimCommandBox, 3));
  const std::vector<Sample> samples = RunSampled();
  ASSERT_NO_FATAL_FAILURE(ExpectTruthfulProgress(samples));
  for (const char* cut : {"Cut 1/3", "Cut 2/3", "Cut 3/3"})
    EXPECT_TRUE(AnyCaptionHas(samples, cut)) << cut << " was never shown";
  ASSERT_TRUE(Done(Program().Click(kTrimEditButton)));
}

TEST_F(EndToEndProgress, ConcatDemuxerJoinShowsShareAndTimeLeft) {
  ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Concat));
  // The first part brings the others.
  ASSERT_NO_FATAL_FAILURE(ChooseInput(kConcatAddButton, media->parts.front()));
  ASSERT_NO_FATAL_FAILURE(AnswerPartsQuestion(IDYES));
  ASSERT_EQ(Program().RowCount(kConcatInputList), static_cast<int>(media->parts.size()));
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConcatExpertButton, kConcatExpertLamp, true));
  ASSERT_TRUE(Done(Program().Select(kConcatModeList, "FFmpeg Demuxer")));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConcatOutputButton, media->outputs + "\\joined.ts"));
  ASSERT_NO_FATAL_FAILURE(MakeRealTime(kConcatEditButton, kConcatEditLamp, kConcatCommandBox));
  ASSERT_NO_FATAL_FAILURE(ExpectTruthfulProgress(RunSampled()));
  ASSERT_TRUE(Done(Program().Click(kConcatEditButton)));
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConcatExpertButton, kConcatExpertLamp, false));
}

}  // namespace
}  // namespace trellimux::test
