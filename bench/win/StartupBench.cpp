// Compares how long trellimux.exe takes to show its first window (the
// agreement box) with a program that shows the same box with the same sound
// (plain_prompt_window.exe) and with a minimal Win32 program, started in
// turns; then how long its main window takes to show with all its controls
// after the box is answered Yes, against the same window made of plain
// controls in the plain program.
//   startup_bench [ROUNDS [PATH_OF_TRELLIMUX_EXE]]
// Without a path, trellimux.exe is taken from the folder TRELLIMUX_TOOLS
// names; the two other programs lie beside this program.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/ControlTable.h"
#include "app/win/ProgramDriver.h"

namespace trellimux::test {
namespace {

class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double Milliseconds() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
           static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_;
  LARGE_INTEGER start_;
};

struct Timings {
  std::vector<double> trellimuxFirst;
  std::vector<double> trellimuxMain;
  std::vector<double> plainFirst;
  std::vector<double> plainMain;
  std::vector<double> minimalFirst;
};

bool Failed(const std::string& message) {
  std::fprintf(stderr, "startup_bench: %s\n", message.c_str());
  return false;
}

// Starts `program` and waits for its first visible top-level window.
bool StartAndTimeFirstWindow(ProgramDriver& program, const std::string& path,
                             const std::string& folder, HWND* window, double* milliseconds) {
  Stopwatch clock;
  if (!program.Start(path, folder)) return Failed(program.Failure());
  const DWORD processId = program.ProcessId();
  if (!PollUntil(kStartTimeoutMs, [&] {
        *window = FindVisibleWindowOf(processId, nullptr);
        return *window != nullptr;
      }))
    return Failed(path + " showed no window within " + std::to_string(kStartTimeoutMs) + " ms");
  *milliseconds = clock.Milliseconds();
  return true;
}

bool RunMinimal(const std::string& path, const std::string& folder, Timings& timings) {
  ProgramDriver program;
  HWND window = nullptr;
  double first = 0;
  if (!StartAndTimeFirstWindow(program, path, folder, &window, &first)) return false;
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (!program.WaitForExit(kStepTimeoutMs)) return Failed(program.Failure());
  timings.minimalFirst.push_back(first);
  return true;
}

bool RunTrellimux(const std::string& path, const std::string& folder, Timings& timings) {
  ProgramDriver program;
  HWND box = nullptr;
  double first = 0;
  if (!StartAndTimeFirstWindow(program, path, folder, &box, &first)) return false;
  Stopwatch clock;
  if (!program.AnswerDialog(box, IDYES, kStepTimeoutMs) ||
      !program.WaitForMainWindowShown(kStartTimeoutMs))
    return Failed(program.Failure());
  const double main = clock.Milliseconds();
  if (!program.RequestClose() || !program.WaitForExit(kStepTimeoutMs))
    return Failed(program.Failure());
  timings.trellimuxFirst.push_back(first);
  timings.trellimuxMain.push_back(main);
  return true;
}

// As trellimux.exe: the box, then Yes, then the window shown with its last
// control.
bool RunPlain(const std::string& path, const std::string& folder, Timings& timings) {
  ProgramDriver program;
  HWND box = nullptr;
  double first = 0;
  if (!StartAndTimeFirstWindow(program, path, folder, &box, &first)) return false;
  Stopwatch clock;
  if (!program.AnswerDialog(box, IDYES, kStepTimeoutMs)) return Failed(program.Failure());
  const int lastControl = MainWindowControls().back().id;
  HWND window = nullptr;
  if (!PollUntil(kStartTimeoutMs, [&] {
        window = FindVisibleWindowOf(program.ProcessId(), "TrellimuxPlainPromptWindow");
        return window && GetDlgItem(window, lastControl);
      }))
    return Failed("the plain window was not shown with all its controls");
  const double main = clock.Milliseconds();
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (!program.WaitForExit(kStepTimeoutMs)) return Failed(program.Failure());
  timings.plainFirst.push_back(first);
  timings.plainMain.push_back(main);
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string FolderOfThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of("\\/"));
}

int Run(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  const std::string trellimux = argc > 2 ? argv[2] : ProgramPathFromEnvironment();
  if (rounds < 1 || trellimux.empty()) {
    Failed("usage: startup_bench [ROUNDS [PATH_OF_TRELLIMUX_EXE]] (or set TRELLIMUX_TOOLS)");
    return 1;
  }
  if (FindMainWindow()) {
    Failed("a Trellimux window is open already; close it first");
    return 1;
  }
  const std::string here = FolderOfThisProgram();
  const std::string minimal = here + "\\minimal_window.exe";
  const std::string plain = here + "\\plain_prompt_window.exe";
  // trellimux.exe makes its Temp folder in the folder it starts in.
  const std::string folder = here + "\\startup-work";
  CreateDirectoryA(folder.c_str(), nullptr);

  Timings timings;
  const std::function<bool()> runs[] = {[&] { return RunTrellimux(trellimux, folder, timings); },
                                        [&] { return RunPlain(plain, folder, timings); },
                                        [&] { return RunMinimal(minimal, folder, timings); }};
  for (int round = 0; round < rounds; ++round) {
    // Each program in turn goes first, so none is always the one after
    // the same other.
    for (int turn = 0; turn < 3; ++turn) {
      if (!runs[(round + turn) % 3]()) return 1;
    }
  }
  const double trellimuxMs = Median(timings.trellimuxFirst);
  const double plainMs = Median(timings.plainFirst);
  const double minimalMs = Median(timings.minimalFirst);
  std::printf("medians of %d rounds\n", rounds);
  std::printf(
      "first window: trellimux %.0f ms, the same prompt with the same sound %.0f ms, ratio %.2f "
      "(goal <= 1.5); a minimal window %.0f ms, ratio %.2f\n",
      trellimuxMs, plainMs, trellimuxMs / plainMs, minimalMs, trellimuxMs / minimalMs);
  const double mainMs = Median(timings.trellimuxMain), plainMainMs = Median(timings.plainMain);
  std::printf(
      "main window after Yes: trellimux %.0f ms, the same window of plain controls %.0f ms, "
      "ratio %.2f\n",
      mainMs, plainMainMs, mainMs / plainMainMs);
  return 0;
}

}  // namespace
}  // namespace trellimux::test

int main(int argc, char** argv) { return trellimux::test::Run(argc, argv); }
