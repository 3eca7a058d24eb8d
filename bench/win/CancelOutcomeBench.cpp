// Measures what "Cancel Job" leaves of a Convert job's output file, pressed
// once or twice 0.3 s apart, a random 2-10 s after "Start". The real
// trellimux.exe converts a 60 s MPEG-2 + MP2 transport stream to .ts, .mp4
// and .mkv in real time ("-re" typed into the command box), encoding with
// ffmpeg's default codecs for each container; ffprobe.exe then tells whether
// each output is readable and has a duration.
//   cancel_outcome_bench [RUNS [SEED [SIZE]]]
// RUNS per container and number of presses (default 5); SIZE of the picture
// (default 720x576, a broadcast recording's: the larger the picture, the
// longer ffmpeg takes to finish its file once asked to stop). trellimux.exe and
// the tools are taken from the folder TRELLIMUX_TOOLS names, where the
// program starts as it finds its tools in its start folder; the media and
// outputs lie in cancel-work beside this program.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <random>
#include <string>
#include <utility>

#include "app/ControlIds.h"
#include "app/win/ProgramControls.h"
#include "app/win/ProgramDriver.h"
#include "media/ToolRunner.h"

namespace trellimux::test {
namespace {

constexpr char kContainers[][5] = {".ts", ".mp4", ".mkv"};
constexpr int kPressCounts[] = {1, 2};
constexpr DWORD kPressGapMs = 300;
constexpr int kEarliestCancelMs = 2000;
constexpr int kLatestCancelMs = 10000;
constexpr int kInputSeconds = 60;
// A job of the 60 s input in real time, with time to spare.
constexpr DWORD kJobTimeoutMs = 90000;

constexpr char kDoneText[] = "Job done, check the log data.";
constexpr char kOverwriteQuestion[] = "File already exits.\r\nOverwrite existing file?";
constexpr char kCanceledCaption[] = " Warning";
constexpr char kCanceledText[] = "Job canceled!";

bool Failed(const std::string& message) {
  std::fprintf(stderr, "cancel_outcome_bench: %s\n", message.c_str());
  return false;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string FolderOfThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of("\\/"));
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

bool MakeInput(const std::string& path, const std::string& size) {
  const std::string seconds = std::to_string(kInputSeconds);
  const ToolRun run =
      RunTool(FfmpegTool::Ffmpeg,
              " -nostdin -hide_banner -loglevel error -y -f lavfi -i testsrc=size=" + size +
                  ":rate=25:duration=" + seconds +
                  " -f lavfi -i sine=frequency=440:sample_rate=48000:duration=" + seconds +
                  " -c:v mpeg2video -g 12 -c:a mp2 -b:a 128k " + Quoted(path));
  return run.exitCode == 0 || Failed("ffmpeg.exe could not make the input:\n" + run.output);
}

// What ffprobe.exe makes of an output: read at all, and its duration.
struct OutputCheck {
  bool readable = false;
  double duration = 0;  // 0 when ffprobe gives none
  std::string error;    // ffprobe's first complaint
};

OutputCheck CheckOutput(const std::string& path) {
  OutputCheck check;
  const ToolRun run = RunTool(
      FfmpegTool::Ffprobe,
      " -v error -show_entries format=duration -of default=noprint_wrappers=1 " + Quoted(path));
  check.readable = run.exitCode == 0;
  const std::size_t at = run.output.find("duration=");
  if (at != std::string::npos && run.output.compare(at + 9, 3, "N/A") != 0)
    check.duration = std::atof(run.output.c_str() + at + 9);
  const std::size_t end = run.output.find_first_of("\r\n");
  if (!run.output.empty() && (!check.readable || at != 0))
    check.error = OneLine(run.output.substr(0, end));
  return check;
}

// In ffmpeg's last report line, printed once it has closed its output: it
// is missing when ffmpeg was ended by force.
constexpr char kFinishedMark[] = "muxing overhead";

struct Tally {
  int runs = 0;
  int finished = 0;  // ffmpeg printed its end report
  int readable = 0;
  int withDuration = 0;
  int wrongBoxes = 0;
};

// A job's end: its last box and the log as it stood then.
struct JobEnd {
  ShownBox box;
  std::string log;
};

class CancelBench {
 public:
  CancelBench(std::string folder, std::string size, int runs, unsigned seed)
      : folder_(std::move(folder)), size_(std::move(size)), runs_(runs), random_(seed) {}

  bool Run() {
    const std::string input = folder_ + "\\input.ts";
    if (!MakeInput(input, size_) || !StartProgram() || !ChooseInput(input)) return false;
    for (int container = 0; container < 3; ++container) {
      const std::string output = folder_ + "\\canceled" + kContainers[container];
      std::string command;
      if (!PrepareConversion(kContainers[container], output, command)) return false;
      // The cases take turns, so that a drift of the machine's load falls on
      // both alike.
      for (int run = 0; run < runs_; ++run)
        for (int presses = 0; presses < 2; ++presses)
          if (!CancelOnce(command, output, kPressCounts[presses], tallies_[container][presses]))
            return false;
    }
    if (!program_.RequestClose() || !program_.WaitForExit(kStepTimeoutMs))
      return Failed(program_.Failure());
    return true;
  }

  void PrintTable() const {
    std::printf("\n%-5s %-8s %-9s %-9s %-14s %s\n", "out", "presses", "finished", "readable",
                "with duration", "wrong end box");
    int wrong = 0;
    for (int container = 0; container < 3; ++container)
      for (int presses = 0; presses < 2; ++presses) {
        const Tally& tally = tallies_[container][presses];
        std::printf("%-5s %-8d %2d/%-6d %2d/%-6d %2d/%-11d %d\n", kContainers[container],
                    kPressCounts[presses], tally.finished, tally.runs, tally.readable, tally.runs,
                    tally.withDuration, tally.runs, tally.wrongBoxes);
        wrong += tally.wrongBoxes;
      }
    std::printf("end boxes other than \"%s\"/\"%s\": %d\n", kCanceledCaption, kCanceledText, wrong);
    std::printf("finished: ffmpeg printed its end report (\"%s\"), not ended by force\n",
                kFinishedMark);
  }

 private:
  bool Step(bool done) { return done || Failed(program_.Failure()); }

  bool StartProgram() {
    const std::string path = ProgramPathFromEnvironment();
    if (path.empty()) return Failed("TRELLIMUX_TOOLS is not set");
    if (FindMainWindow()) return Failed("a Trellimux window is open already; close it first");
    const std::string tools = path.substr(0, path.find_last_of('\\'));
    if (!Step(program_.Start(path, tools))) return false;
    HWND agreement = program_.WaitForDialog(kStartTimeoutMs);
    return Step(agreement && program_.AnswerDialog(agreement, IDYES, kStepTimeoutMs) &&
                program_.WaitForMainWindowShown(kStepTimeoutMs) &&
                program_.ShowPage(static_cast<int>(Page::Convert), kStepTimeoutMs));
  }

  // The box that ends a job, answered with OK, the program idle again and
  // the log window closed.
  std::optional<JobEnd> FinishJob(DWORD timeoutMs) {
    std::optional<ShownBox> box = program_.WaitForMessageBox(timeoutMs);
    if (!box) {
      Failed(program_.Failure());
      return std::nullopt;
    }
    JobEnd end{*box, program_.LogText()};
    if (!program_.AnswerDialog(box->window, IDOK, kStepTimeoutMs) ||
        !program_.WaitUntilIdle(kStepTimeoutMs) || !program_.CloseLogWindow()) {
      Failed(program_.Failure());
      return std::nullopt;
    }
    return end;
  }

  bool ChooseInput(const std::string& input) {
    if (program_.IsChecked(kConvertExpertLamp) && !Step(program_.Click(kConvertExpertButton)))
      return false;
    if (!Step(program_.PostClick(kConvertInputButton) &&
              program_.FillFileDialog(" Select input file", input, kStepTimeoutMs)))
      return false;
    const std::optional<JobEnd> end = FinishJob(kJobTimeoutMs);
    return end && (end->box.text == kDoneText || Failed("the probe ended with: " + end->box.text));
  }

  // Chooses the container and output, switches the command box to editing
  // and returns its command with "-re" before the input: the job then reads
  // its input in real time.
  bool PrepareConversion(const char* container, const std::string& output, std::string& command) {
    if (program_.IsChecked(kConvertEditLamp) && !Step(program_.Click(kConvertEditButton)))
      return false;
    if (!Step(program_.Select(kConvertContainerList, container) &&
              program_.PostClick(kConvertOutputButton) &&
              program_.FillFileDialog(" Select output file", output, kStepTimeoutMs)))
      return false;
    if (!SendWait(program_.MainWindow(), WM_NULL, 0, 0)) return Failed("the program hangs");
    if (program_.Text(kConvertOutputBox) != output)
      return Failed("the output box shows " + program_.Text(kConvertOutputBox));
    if (!Step(program_.Click(kConvertEditButton))) return false;
    command = program_.Text(kConvertCommandBox);
    const std::size_t input = command.find(" -i ");
    if (input == std::string::npos) return Failed("no input in the command: " + command);
    command.insert(input, " -re");
    std::printf("%s: %s\n", container, command.c_str());
    return true;
  }

  // Waits `delayMs` after the start unless a box comes first; the overwrite
  // question is answered with Yes and the wait begins anew.
  std::optional<ShownBox> WaitWhileRunning(DWORD delayMs) {
    for (;;) {
      HWND box = nullptr;
      PollUntil(
          delayMs, [&] { return (box = program_.VisibleDialog()) != nullptr; }, /*intervalMs=*/20);
      if (!box) return std::nullopt;
      if (MessageBoxText(box) != kOverwriteQuestion)
        return ShownBox{box, WindowCaption(box), MessageBoxText(box)};
      if (!program_.AnswerDialog(box, IDYES, kStepTimeoutMs)) {
        Failed(program_.Failure());
        return ShownBox{box, WindowCaption(box), MessageBoxText(box)};
      }
    }
  }

  bool CancelOnce(const std::string& command, const std::string& output, int presses,
                  Tally& tally) {
    DeleteFileA(output.c_str());
    if (!Step(program_.SetText(kConvertCommandBox, command) && program_.PostClick(kStartButton)))
      return false;
    const DWORD delayMs =
        std::uniform_int_distribution<DWORD>(kEarliestCancelMs, kLatestCancelMs)(random_);
    const std::optional<ShownBox> early = WaitWhileRunning(delayMs);
    if (!early) {
      for (int press = 0; press < presses; ++press) {
        if (press > 0) PollUntil(kPressGapMs, [] { return false; });
        if (!Step(program_.Click(kCancelJobButton))) return false;
      }
    }
    const std::optional<JobEnd> end = FinishJob(kJobTimeoutMs);
    if (!end) return false;
    const ShownBox& box = end->box;
    const bool finished = end->log.find(kFinishedMark) != std::string::npos;
    const OutputCheck check = CheckOutput(output);
    const bool rightBox = !early && box.caption == kCanceledCaption && box.text == kCanceledText;
    ++tally.runs;
    tally.finished += finished;
    tally.readable += check.readable;
    tally.withDuration += check.readable && check.duration > 0;
    tally.wrongBoxes += !rightBox;
    std::printf("%-4s x%d after %4.1f s: box \"%s\"/\"%s\"%s, %s, %s, duration %.2f s%s%s\n",
                output.substr(output.rfind('.')).c_str(), presses, delayMs / 1000.0,
                box.caption.c_str(), OneLine(box.text).c_str(), early ? " before the cancel" : "",
                finished ? "finished" : "ended by force",
                check.readable ? "readable" : "NOT readable", check.duration,
                check.error.empty() ? "" : ": ", check.error.c_str());
    std::fflush(stdout);
    return true;
  }

  std::string folder_;
  std::string size_;
  int runs_;
  std::mt19937 random_;
  ProgramDriver program_;
  Tally tallies_[3][2];
};

int Run(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10))
                                 : static_cast<unsigned>(std::time(nullptr));
  const std::string size = argc > 3 ? argv[3] : "720x576";
  if (runs < 1) {
    Failed("usage: cancel_outcome_bench [RUNS [SEED [SIZE]]] (with TRELLIMUX_TOOLS set)");
    return 1;
  }
  const std::string folder = FolderOfThisProgram() + "\\cancel-work";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::printf("%d runs per case, seed %u, %s input, in %s\n", runs, seed, size.c_str(),
              folder.c_str());
  CancelBench bench(folder, size, runs, seed);
  const bool done = bench.Run();
  bench.PrintTable();
  return done ? 0 : 1;
}

}  // namespace
}  // namespace trellimux::test

int main(int argc, char** argv) { return trellimux::test::Run(argc, argv); }
