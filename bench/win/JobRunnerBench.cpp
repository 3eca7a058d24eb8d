// The cost of running ffmpeg through the job runner: the wall time of one
// conversion run as a job (hidden child, output pumped into the log window,
// status lines read for the progress shown)
// against the same command started directly with its output discarded,
// measured alternately in one run. Prints the ratio of the medians.
//   job_runner_bench [TOOLS_FOLDER]   (default: ..\bin beside this program)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/win/TimedJob.h"
#include "jobs/JobKind.h"
#include "jobs/win/JobHost.h"
#include "process/ChildCommandLine.h"
#include "process/ToolInvocation.h"

using namespace trellimux;
using namespace trellimux::bench;
using trellimux::test::JobHost;
using trellimux::test::ProgramFolder;

namespace {

constexpr char kCommand[] =
    " -y -f lavfi -i testsrc=size=640x480:rate=25:duration=20 -c:v mpeg2video -b:v 4000k"
    " -f mpegts NUL";
constexpr double kCommandSeconds = 20;  // the media it writes

double RunDirectly(const std::string& toolsFolder) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inheritable, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
  const std::string program = ToolPath(toolsFolder, FfmpegTool::Ffmpeg);
  std::string line = *ChildCommandLine(program, kCommand);
  PROCESS_INFORMATION process{};
  const LARGE_INTEGER start = Now();
  if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start %s\n", program.c_str());
    std::exit(1);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  const double elapsed = MillisecondsSince(start);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(nul);
  return elapsed;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const std::string toolsFolder = argc > 1 ? argv[1] : ProgramFolder() + "\\..\\bin";
  JobHost host;
  std::vector<double> direct, runner;
  RunDirectly(toolsFolder);  // warm the file cache
  for (int round = 0; round < 5; ++round) {
    direct.push_back(RunDirectly(toolsFolder));
    // Measured as a Convert job is: its status lines read for the progress.
    JobDescription job = host.Job(kConvertEasyJob, toolsFolder, kCommand);
    job.progressParts = {{kCommandSeconds, kCommandSeconds}};
    runner.push_back(RunTimed(host, job));
  }
  const double ratio = Median(runner) / Median(direct);
  std::printf(
      "ffmpeg job: runner %.0f ms, direct %.0f ms (medians of 5), ratio %.3f (goal <= 1.05)\n",
      Median(runner), Median(direct), ratio);
  return 0;
}
