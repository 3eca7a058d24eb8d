// The log pump against a child that prints at full speed (the fake ffmpeg of
// the runner tests): 1 MB of plain lines, then MEGABYTES of the messages a
// damaged recording makes ffmpeg print, CR status lines among them. For each:
// the child's own run time, the job's (it ends after the last text is in the
// log) and their ratio (goal: job <= 1.1 x child + 1 s), the slowest answer of
// the window thread to a message meanwhile (goal: <= 100 ms), the process's
// peak memory, and whether the log kept every byte.
//   log_pump_bench [MEGABYTES]   (default 60)
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/win/LogWindow.h"
#include "bench/win/TimedJob.h"
#include "jobs/JobKind.h"
#include "jobs/win/DamagedRecordingLog.h"
#include "jobs/win/JobHost.h"

using namespace trellimux;
using namespace trellimux::bench;
using trellimux::test::DamagedRecordingLine;
using trellimux::test::JobHost;
using trellimux::test::ProgramFolder;

namespace {

constexpr char kHeaderEnd[] = "\r\n\r\n\r\n";

double PeakMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024 * 1024);
}

// The log's size for the damaged-recording output of at least `bytes`: each
// bare CR becomes a line break of two bytes.
long long DamagedLogSize(long long bytes) {
  long long raw = 0, logged = 0;
  for (long long line = 0; raw < bytes; ++line) {
    const std::string text = DamagedRecordingLine(line);
    raw += static_cast<long long>(text.size());
    logged += static_cast<long long>(text.size()) + (text.back() == '\r' ? 1 : 0);
  }
  return logged;
}

// The child's last line: "fake ffmpeg wrote N bytes in T ms".
double ChildMilliseconds(const std::string& log) {
  const std::size_t at = log.rfind(" bytes in ");
  return at == std::string::npos ? -1 : std::atof(log.c_str() + at + 10);
}

// The log as kept: every byte the job wrote to it, in the window or, once
// it outgrew the window, in its file.
std::size_t KeptLogSize(const JobHost& host) {
  const std::string path = KeptLogPath(host.LogWindow());
  if (path.empty())
    return static_cast<std::size_t>(SendMessageA(host.LogWindow(), WM_GETTEXTLENGTH, 0, 0));
  WIN32_FILE_ATTRIBUTE_DATA file{};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file);
  return (static_cast<std::size_t>(file.nFileSizeHigh) << 32) | file.nFileSizeLow;
}

// The longest time the log window took for one message: its own share of
// the window thread's slowest answer.
WNDPROC logProcedure = nullptr;
double longestLogCall = 0;

LRESULT CALLBACK TimedLogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LARGE_INTEGER start = Now();
  const LRESULT result = CallWindowProcA(logProcedure, window, message, wParam, lParam);
  const double took = MillisecondsSince(start);
  if (took > longestLogCall) longestLogCall = took;
  return result;
}

void Measure(const char* what, long long megabytes, bool damaged) {
  JobHost host;
  longestLogCall = 0;
  logProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      host.LogWindow(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TimedLogProcedure)));
  const long long bytes = megabytes * 1024 * 1024;
  const std::string command =
      damaged ? " damaged " + std::to_string(bytes) + " timed" : " bulk " + std::to_string(bytes);
  double worstAnswer = 0;
  const JobDescription job = host.Job(kConvertEasyJob, ProgramFolder() + "\\fake-tools", command);
  const double elapsed = RunTimed(host, job, &worstAnswer);
  const double peak = PeakMegabytes();
  const std::string shown = host.LogText();
  const double child = damaged ? ChildMilliseconds(shown) : -1;
  std::size_t expected = command.size() + sizeof kHeaderEnd - 1;
  if (damaged) {
    expected += static_cast<std::size_t>(DamagedLogSize(bytes));
    expected += shown.size() - shown.rfind("fake ffmpeg wrote ");
  } else {
    expected += static_cast<std::size_t>(bytes);
  }
  const bool whole = KeptLogSize(host) == expected;
  std::printf("%lld MB of %s: job %.2f s", megabytes, what, elapsed / 1000);
  if (child > 0) {
    std::printf(", child's own run %.2f s, job/child %.2f (goal: job <= %.2f s)", child / 1000,
                elapsed / child, (1.1 * child + 1000) / 1000);
  }
  std::printf(
      ", %.2f MB/s, worst window answer %.0f ms (goal <= 100; the log window's longest call "
      "%.0f ms), peak memory %.0f MB, %s\n",
      megabytes / (elapsed / 1000), worstAnswer, longestLogCall, peak,
      whole ? "log complete" : "LOG INCOMPLETE");
  std::fflush(stdout);
}

}  // namespace

// The slowest answer of the window thread while a job's child prints
// nothing: what the machine itself costs.
void MeasureIdle() {
  JobHost host;
  double worstAnswer = 0;
  RunTimed(host, host.Job(kConvertEasyJob, ProgramFolder() + "\\fake-tools", " silent 2000"),
           &worstAnswer);
  std::printf("a silent child for 2 s: worst window answer %.0f ms\n", worstAnswer);
}

int main(int argc, char** argv) {
  MeasureIdle();
  Measure("plain lines", 1, false);
  Measure("damaged-recording messages", argc > 1 ? std::atoll(argv[1]) : 60, true);
  return 0;
}
