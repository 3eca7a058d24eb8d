// The real trellimux.exe over a long session: jobs on the Convert page, in
// turns an input chosen (its probe job) and a conversion started, as a user
// does them; the program's handle count is printed after jobs 1, 10, 50 and
// the last. A program that gives back what each job opened prints the same
// count throughout.
//   handle_count_bench INPUT [JOBS [typed [PATH_OF_TRELLIMUX_EXE]]]
// INPUT is a media file (a Windows path); the conversions write beside it,
// to an output chosen with the output dialog, or with "typed" written into
// the output box (no dialog: the count then shows the jobs alone).
// Without a path, trellimux.exe is taken from the folder TRELLIMUX_TOOLS
// names, and the program starts there.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "app/ControlIds.h"
#include "app/win/ProgramDriver.h"
#include "jobs/win/HandleCount.h"

namespace trellimux::test {
namespace {

constexpr DWORD kJobTimeoutMs = 120000;
constexpr std::string_view kDoneText = "Job done, check the log data.";

bool Failed(const std::string& message) {
  std::fprintf(stderr, "handle_count_bench: %s\n", message.c_str());
  return false;
}

// Waits for the box that ends a job, which must say it was done, answers it
// and waits until the program is idle with its log closed.
bool FinishJob(ProgramDriver& program, int job) {
  const std::optional<ShownBox> box = program.WaitForMessageBox(kJobTimeoutMs);
  if (!box) return Failed(program.Failure());
  if (box->text != kDoneText) {
    return Failed("job " + std::to_string(job) + " ended with \"" + box->caption +
                  "\": " + box->text + "\nlog:\n" + program.LogText());
  }
  if (!program.AnswerDialog(box->window, IDOK, kStepTimeoutMs) ||
      !program.WaitUntilIdle(kStepTimeoutMs) || !program.CloseLogWindow())
    return Failed(program.Failure());
  return true;
}

// "Input" with its dialog: the probe job.
bool ChooseInput(ProgramDriver& program, const std::string& input) {
  return program.PostClick(kConvertInputButton) &&
         program.FillFileDialog(" Select input file", input, kStepTimeoutMs);
}

// The container, the output with its dialog (or typed into its box), then
// "Start": the conversion job.
bool StartConversion(ProgramDriver& program, const std::string& output, bool typed) {
  DeleteFileA(output.c_str());  // no overwrite question
  if (!program.Select(kConvertContainerList, ".mkv")) return false;
  if (typed) {
    // The container chosen again rebuilds the command with the typed path.
    if (!program.SetText(kConvertOutputBox, output) ||
        !program.Select(kConvertContainerList, ".mkv"))
      return false;
  } else if (!program.PostClick(kConvertOutputButton) ||
             !program.FillFileDialog(" Select output file", output, kStepTimeoutMs)) {
    return false;
  }
  return program.PostClick(kStartButton);
}

bool IsReported(int job, int jobs) { return job == 1 || job == 10 || job == 50 || job == jobs; }

bool Run(const std::string& input, int jobs, bool typedOutput, const std::string& path,
         const std::string& folder) {
  ProgramDriver program;
  if (!program.Start(path, folder)) return Failed(program.Failure());
  HWND agreement = program.WaitForDialog(kStartTimeoutMs);
  if (!agreement || !program.AnswerDialog(agreement, IDYES, kStepTimeoutMs) ||
      !program.WaitForMainWindowShown(kStartTimeoutMs) ||
      !program.ShowPage(static_cast<int>(Page::Convert), kStepTimeoutMs))
    return Failed(program.Failure());
  const std::string output = input.substr(0, input.find_last_of('.')) + "-handle-bench.mkv";
  std::printf("handles of trellimux.exe at start: %ld\n", HandleCountOf(program.Process()));
  long afterFirst = 0;
  for (int job = 1; job <= jobs; ++job) {
    const bool probe = job % 2 == 1;
    if (!(probe ? ChooseInput(program, input) : StartConversion(program, output, typedOutput)))
      return Failed(program.Failure());
    if (!FinishJob(program, job)) return false;
    if (!IsReported(job, jobs)) continue;
    const long count = HandleCountOf(program.Process());
    if (job == 1) afterFirst = count;
    std::printf("handles after job %3d: %ld\n", job, count);
    std::fflush(stdout);
    if (job == jobs && jobs > 1) {
      std::printf("handles kept per job after the first: %.2f\n",
                  static_cast<double>(count - afterFirst) / (jobs - 1));
    }
  }
  DeleteFileA(output.c_str());
  if (!program.RequestClose() || !program.WaitForExit(kStepTimeoutMs)) program.Terminate();
  return true;
}

}  // namespace
}  // namespace trellimux::test

int main(int argc, char** argv) {
  using namespace trellimux::test;
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: handle_count_bench INPUT [JOBS [typed [PATH_OF_TRELLIMUX_EXE]]]\n");
    return 2;
  }
  const int jobs = argc > 2 ? std::atoi(argv[2]) : 100;
  const bool typedOutput = argc > 3 && std::string_view(argv[3]) == "typed";
  const std::string path = argc > 4 ? argv[4] : ProgramPathFromEnvironment();
  if (path.empty()) {
    std::fprintf(stderr, "handle_count_bench: no program: give its path or set TRELLIMUX_TOOLS\n");
    return 2;
  }
  const std::string folder = path.substr(0, path.find_last_of('\\'));
  return Run(argv[1], jobs, typedOutput, path, folder) ? 0 : 1;
}
