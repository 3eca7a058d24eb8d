#include "jobs/win/RunnerTestSupport.h"

#include "app/win/WindowTestSupport.h"
#include "jobs/JobKind.h"

namespace trellimux::test {
namespace {

constexpr char kClassName[] = "TrellimuxRunnerTestWindow";
int doneMessages = 0;

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kJobDoneMessage) {
    ++doneMessages;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

RunnerWindow::RunnerWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &CountingProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  window_ = CreateWindowExA(0, kClassName, "runner test", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                            nullptr, nullptr, windowClass.hInstance, nullptr);
  log_ = CreateWindowExA(0, "EDIT", "",
                         WS_CHILD | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 0,
                         0, 400, 300, window_, nullptr, windowClass.hInstance, nullptr);
  SendMessageA(log_, EM_SETLIMITTEXT, 0xFFFFFFFF, 0);
  doneMessages = 0;
}

RunnerWindow::~RunnerWindow() {
  DestroyWindow(window_);
  UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
}

JobDescription RunnerWindow::Job(int kind, std::string commandText, std::string inputPath) {
  JobDescription job;
  job.kind = kind;
  job.toolDirectory = FakeToolsDirectory();
  job.commandText = std::move(commandText);
  job.inputPath = std::move(inputPath);
  job.mainWindow = window_;
  job.logWindow = log_;
  job.jobKind = &jobKind;
  job.cancelRequested = &cancelRequested;
  job.results = &results;
  jobKind = kind;
  return job;
}

bool RunnerWindow::RunToEnd(const JobDescription& job, DWORD limit) {
  if (!StartJobThread(job)) return false;
  const bool ended = PumpUntil([this] { return doneMessages > 0; }, limit);
  PumpUntil([] { return false; }, 300);
  return ended;
}

int RunnerWindow::DoneMessages() const { return doneMessages; }

std::string RunnerWindow::LogText() const {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(log_)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(log_, text.data(), text.size())));
  return text;
}

std::string FakeToolsDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path);
  directory.resize(directory.find_last_of('\\'));
  return directory + "\\fake-tools";
}

}  // namespace trellimux::test
