#include "bench/win/JobBenchHost.h"

#include <thread>

#include "app/win/LogWindow.h"
#include "jobs/JobKind.h"

namespace trellimux::bench {
namespace {

constexpr char kClassName[] = "TrellimuxJobBenchHost";
int doneMessages = 0;

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kJobDoneMessage) {
    ++doneMessages;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

double MillisecondsSince(LARGE_INTEGER start) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(Now().QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.resize(folder.find_last_of('\\'));
  return folder;
}

JobBenchHost::JobBenchHost() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &HostProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  window_ = CreateWindowExA(0, kClassName, "job bench", WS_OVERLAPPEDWINDOW, 0, 0, 1272, 712,
                            nullptr, nullptr, windowClass.hInstance, nullptr);
  log_ = CreateLogWindow(window_, windowClass.hInstance);
  ShowWindow(window_, SW_SHOW);
  ShowWindow(log_, SW_SHOW);
}

JobBenchHost::~JobBenchHost() {
  DestroyWindow(window_);
  UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
}

double JobBenchHost::Run(int kind, const std::string& toolDirectory, const std::string& commandText,
                         double* worstAnswerMs) {
  JobDescription job;
  job.kind = kind;
  job.toolDirectory = toolDirectory;
  job.commandText = commandText;
  job.mainWindow = window_;
  job.logWindow = log_;
  job.jobKind = &jobKind_;
  job.cancelRequested = &cancelRequested_;
  job.results = &results_;
  jobKind_ = kind;
  doneMessages = 0;

  std::atomic<bool> running{true};
  std::atomic<double> worst{0.0};
  std::thread watcher([this, &running, &worst] {
    while (running) {
      const LARGE_INTEGER sent = Now();
      DWORD_PTR result = 0;
      SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
      const double answer = MillisecondsSince(sent);
      if (answer > worst) worst = answer;
      Sleep(10);
    }
  });

  const LARGE_INTEGER start = Now();
  StartJobThread(job);
  MSG message;
  while (doneMessages == 0 && GetMessageA(&message, nullptr, 0, 0) > 0) {
    DispatchMessageA(&message);
  }
  const double elapsed = MillisecondsSince(start);
  running = false;
  watcher.join();
  if (worstAnswerMs) *worstAnswerMs = worst;
  return elapsed;
}

std::size_t JobBenchHost::LogLength() const {
  return static_cast<std::size_t>(SendMessageA(log_, WM_GETTEXTLENGTH, 0, 0));
}

}  // namespace trellimux::bench
