// The Trim preview in the real window under Wine, on a recording of a minute
// or more (a 1080i H.264 TS): for each cut mode (Smart Copy's text naming
// where copying resumes), 10 slider moves timed from
// the move to the frame shown (goal: median <= 300 ms, each <= 500 ms),
// beside a direct run of the same ffprobe.exe + ffmpeg.exe commands (the
// ratio is what the program adds); a drag through 100 positions (the most
// frame children at once, goal 1, and the last frame shown); and the
// slowest answer of the window thread meanwhile, sampled from outside every
// 10 ms (goal <= 100 ms).
//   TRELLIMUX_TOOLS=<folder of trellimux.exe> preview_bench RECORDING [HOLD_SECONDS]
// HOLD_SECONDS keeps each mode's last frame on screen that long (for a
// screenshot).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/ControlIds.h"
#include "app/win/PreviewDriving.h"
#include "app/win/ProgramDriver.h"
#include "media/ToolRunner.h"
#include "preview/FrameFit.h"
#include "preview/FrameRequest.h"
#include "preview/PreviewSource.h"
#include "process/ToolInvocation.h"
#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"

using namespace trellimux;
using namespace trellimux::test;

namespace {

double NowMs() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return count.QuadPart * 1000.0 / frequency.QuadPart;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Pings the window every 10 ms from a thread of its own; the slowest answer.
class AnswerWatch {
 public:
  explicit AnswerWatch(HWND window)
      : thread_([this, window] {
          while (running_) {
            const double sent = NowMs();
            DWORD_PTR result = 0;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
            worst_ = std::max(worst_.load(), NowMs() - sent);
            Sleep(10);
          }
        }) {}
  ~AnswerWatch() { Stop(); }
  double Stop() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
    return worst_;
  }

 private:
  std::atomic<bool> running_{true};
  std::atomic<double> worst_{0};
  std::thread thread_;
};

bool Fail(const char* step, ProgramDriver& program) {
  std::fprintf(stderr, "preview_bench: %s failed: %s\n", step, program.Failure().c_str());
  return false;
}

// The two tools run directly as the frame maker runs them; milliseconds.
double DirectFrameMs(const std::string& path, const PreviewSource& source, const FrameBox& box,
                     std::int64_t positionMs, bool keyframe) {
  const double start = NowMs();
  const std::vector<Cut> at = {{MillisecondsAsCutTime(positionMs), ""}};
  const std::string packets =
      RunTool(FfmpegTool::Ffprobe, KeyframeProbeArguments(path, source.startMicroseconds, at))
          .output;
  const std::optional<KeyframeBefore> found =
      KeyframeAtOrBefore(packets, source.startMicroseconds, positionMs);
  const std::int64_t timeMs = keyframe && found ? found->ptsMicroseconds / 1000 : positionMs;
  RunTool(FfmpegTool::Ffmpeg,
          FrameArguments(path, found ? found->seekMs : positionMs, source.startMicroseconds, timeMs,
                         box.width, box.height));
  return NowMs() - start;
}

// The text the picture must show for a position: its time, or in Copy mode
// the keyframe at or before it, found by the same probe.
// The preview's cut modes as the bench moves through them.
enum class Mode { Reencode, Copy, SmartCopy };

std::string ExpectedText(const std::string& path, const PreviewSource& source, int position,
                         Mode mode) {
  const std::int64_t start = source.startMicroseconds;
  if (mode == Mode::SmartCopy) {
    // The first keyframe shown at or after the frame: where its copy resumes.
    const std::vector<Keyframe> keyframes = ParseKeyframes(
        RunTool(FfmpegTool::Ffprobe,
                KeyframeListArguments(path, start, position, position + kKeyframeSearchMs))
            .output);
    std::optional<std::int64_t> resumes;
    for (const Keyframe& keyframe : keyframes)
      if (keyframe.pts >= start + position * 1000 - kFrameTimeSlackUs &&
          (!resumes || keyframe.pts < *resumes))
        resumes = keyframe.pts;
    if (!resumes) return PreviewTimeText(position, false);
    return PreviewTimeText(position, false, KeyframeCutMs(*resumes - start));
  }
  if (mode == Mode::Reencode) return PreviewTimeText(position, false);
  const std::vector<Cut> at = {{MillisecondsAsCutTime(position), ""}};
  const std::optional<KeyframeBefore> found = KeyframeAtOrBefore(
      RunTool(FfmpegTool::Ffprobe, KeyframeProbeArguments(path, start, at)).output, start,
      position);
  return found ? PreviewTimeText(KeyframeCutMs(found->ptsMicroseconds), true)
               : PreviewTimeText(position, false);
}

struct ModeFigures {
  std::vector<double> moves;
  std::vector<double> stepsBack;  // one frame back right after each move (Reencode)
  std::vector<double> direct;
  int mostChildren = 0;
  double dragToLastMs = 0;
  bool lastShown = false;
  double worstAnswerMs = 0;
};

// Ten moves spread over the recording, then a drag through 100 positions.
bool MeasureMode(ProgramDriver& program, const std::string& path, const PreviewSource& source,
                 Mode mode, ModeFigures& figures) {
  const bool copy = mode == Mode::Copy;
  RECT client{};
  GetClientRect(program.Control(kTrimPlaceholder), &client);
  const FrameBox box = FitFrame(
      DisplayAspect(source.width, source.height, source.sampleAspect, source.displayAspect),
      client.right, client.bottom);
  const int end = SliderEnd(program);
  AnswerWatch watch(program.MainWindow());
  for (int move = 0; move < 10; ++move) {
    // Far apart (7 s and more), so that no two share a keyframe.
    // Smart Copy away from Reencode's positions, whose frames are kept.
    const int position = static_cast<int>((move * 7L + 3) % 10 * (end / 10) + 1234 +
                                          (mode == Mode::SmartCopy ? 3210 : 0));
    const std::string expected = ExpectedText(path, source, position, mode);
    const double start = NowMs();
    if (!MoveSlider(program, position)) return Fail("a slider move", program);
    if (!WaitForShownTime(program, expected, 20000)) return Fail("a frame after a move", program);
    figures.moves.push_back(NowMs() - start);
    figures.direct.push_back(DirectFrameMs(path, source, box, position, copy));
    // The arrow key's step back, which the user makes to find a cut's frame.
    if (mode != Mode::Reencode) continue;
    const int back = position - static_cast<int>(source.frameMs);
    const double backStart = NowMs();
    if (!MoveSlider(program, back)) return Fail("a step back", program);
    if (!WaitForShownTime(program, PreviewTimeText(back, false), 20000))
      return Fail("a frame after a step back", program);
    figures.stepsBack.push_back(NowMs() - backStart);
  }
  // A drag as the mouse makes it: a position every 15 ms.
  const int from = end / 3 + (mode == Mode::SmartCopy ? 3210 : 0);
  const int last = from + 100 * 50;  // 5 s in all
  const std::string expected = ExpectedText(path, source, last, mode);
  for (int step = 1; step <= 100; ++step) {
    if (!MoveSlider(program, from + step * 50, step < 100)) return Fail("a drag step", program);
    figures.mostChildren =
        std::max(figures.mostChildren, RunningFrameChildren(program.ProcessId()));
    Sleep(15);
  }
  const double released = NowMs();
  figures.lastShown = WaitForShownTime(program, expected, 20000);
  figures.dragToLastMs = NowMs() - released;
  figures.worstAnswerMs = watch.Stop();
  return true;
}

void Print(const char* mode, const ModeFigures& figures) {
  const double median = Median(figures.moves);
  const double worst = *std::max_element(figures.moves.begin(), figures.moves.end());
  const double direct = Median(figures.direct);
  std::printf(
      "%s: move to frame shown median %.0f ms, max %.0f ms (goal <= 300, each <= 500);"
      " direct tools median %.0f ms, ratio %.2f\n",
      mode, median, worst, direct, direct > 0 ? median / direct : 0);
  std::printf("%s: each move (ms):", mode);
  for (const double move : figures.moves) std::printf(" %.0f", move);
  std::printf("\n");
  if (!figures.stepsBack.empty()) {
    std::printf("%s: one frame back after each move (ms):", mode);
    for (const double step : figures.stepsBack) std::printf(" %.0f", step);
    std::printf(" (median %.0f)\n", Median(figures.stepsBack));
  }
  std::printf(
      "%s: drag of 100 positions: at most %d frame child(ren) at once (goal 1), last"
      " frame %s %.0f ms after the release; worst window answer %.0f ms (goal <= 100)\n",
      mode, figures.mostChildren, figures.lastShown ? "shown" : "NOT SHOWN", figures.dragToLastMs,
      figures.worstAnswerMs);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: preview_bench RECORDING [HOLD_SECONDS]\n");
    return 2;
  }
  const std::string path = argv[1];
  const int hold = argc > 2 ? std::atoi(argv[2]) : 0;
  const std::optional<PreviewSource> source =
      PreviewSourceOf(RunTool(FfmpegTool::Ffprobe, ProbeArguments(path)).output);
  if (!source) {
    std::fprintf(stderr, "preview_bench: %s has no video to preview\n", path.c_str());
    return 1;
  }
  const std::string program = ProgramPathFromEnvironment();
  const std::string folder = program.substr(0, program.find_last_of('\\'));
  ProgramDriver driver;
  if (!driver.Start(program, folder)) return Fail("the start", driver), 1;
  HWND agreement = driver.WaitForDialog(kStartTimeoutMs);
  if (!agreement || !driver.AnswerDialog(agreement, IDYES, kStepTimeoutMs) ||
      !driver.WaitForMainWindowShown(kStepTimeoutMs) || !driver.ShowPage(3, kStepTimeoutMs))
    return Fail("the start", driver), 1;
  if (!driver.PostClick(kTrimInputButton) ||
      !driver.FillFileDialog(" Select input file", path, kStepTimeoutMs))
    return Fail("the input dialog", driver), 1;
  const std::optional<ShownBox> done = driver.WaitForMessageBox(60000);
  if (!done) return Fail("the probe", driver), 1;
  const double probed = NowMs();
  const bool first = WaitForShownTime(driver, "00:00:00.000", 20000);
  std::printf("%s: %.1f s, %dx%d, first frame %s %.0f ms after the probe's box\n", path.c_str(),
              source->durationMs / 1000.0, source->width, source->height,
              first ? "shown" : "NOT SHOWN", NowMs() - probed);
  if (!driver.AnswerDialog(done->window, IDOK, kStepTimeoutMs) ||
      !driver.WaitUntilIdle(kStepTimeoutMs))
    return Fail("the probe's box", driver), 1;
  // Expert mode lets the cut mode be chosen.
  if (!driver.Click(kTrimExpertButton)) return Fail("expert mode", driver), 1;
  const std::pair<const char*, Mode> modes[] = {
      {"Reencode", Mode::Reencode}, {"Copy", Mode::Copy}, {"Smart Copy", Mode::SmartCopy}};
  for (const auto& [name, mode] : modes) {
    ModeFigures figures;
    if (!driver.Select(kTrimCutModeList, name) ||
        !MeasureMode(driver, path, *source, mode, figures))
      return Fail(name, driver), 1;
    Print(name, figures);
    std::fflush(stdout);
    if (hold > 0) Sleep(hold * 1000);
  }
  driver.RequestClose();
  driver.WaitForExit(kStepTimeoutMs);
  return 0;
}
