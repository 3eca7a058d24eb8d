#include "jobs/win/JobHost.h"

#include <commctrl.h>

#include "app/win/AppState.h"
#include "app/win/LogWindow.h"
#include "jobs/JobKind.h"

namespace trellimux::test {
namespace {

constexpr char kClassName[] = "TrellimuxJobHost";

// Where the program has its progress bar, and as wide: the byte-copy join
// sends positions by the bar's pixels.
constexpr RECT kProgressBarRect{1110, 446, 1110 + 136, 446 + 18};

}  // namespace

LRESULT CALLBACK JobHost::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* host = reinterpret_cast<JobHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == kJobDoneMessage) {
    if (host) ++host->doneMessages_;
    return 0;
  }
  if (message == kJobProgressMessage) {
    if (host) {
      host->progress_.push_back({GetTickCount(), UnpackProgress(static_cast<std::uint32_t>(wParam),
                                                                static_cast<std::int32_t>(lParam))});
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

JobHost::JobHost() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);  // fails harmlessly while another host lives
  window_ = CreateWindowExA(0, kClassName, "job host", WS_OVERLAPPEDWINDOW, 0, 0, 1272, 712,
                            nullptr, nullptr, windowClass.hInstance, nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  log_ = CreateLogWindow(window_, windowClass.hInstance);
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  const RECT& bar = kProgressBarRect;
  progressBar_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, bar.left, bar.top,
                                 bar.right - bar.left, bar.bottom - bar.top, window_, nullptr,
                                 windowClass.hInstance, nullptr);
}

JobHost::~JobHost() {
  DestroyWindow(window_);
  UnregisterClassA(kClassName, GetModuleHandleA(nullptr));  // fails while another host lives
}

JobDescription JobHost::Job(int kind, std::string toolDirectory, std::string commandText,
                            std::string inputPath) {
  JobDescription job;
  job.kind = kind;
  job.toolDirectory = std::move(toolDirectory);
  job.commandText = std::move(commandText);
  job.inputPath = std::move(inputPath);
  job.mainWindow = window_;
  job.logWindow = log_;
  job.progressBar = progressBar_;
  job.jobKind = &jobKind;
  job.cancelRequested = &cancelRequested;
  job.results = &results;
  jobKind = kind;
  return job;
}

std::string JobHost::LogText() const { return WindowTextOf(log_); }

std::string JobHost::WholeLogText() const {
  const std::string kept = KeptLogPath(log_);
  if (kept.empty()) return LogText();
  std::string text;
  HANDLE file = CreateFileA(kept.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  char block[64 * 1024];
  DWORD count = 0;
  while (ReadFile(file, block, sizeof block, &count, nullptr) && count > 0)
    text.append(block, count);
  CloseHandle(file);
  return text;
}

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.resize(folder.find_last_of('\\'));
  return folder;
}

}  // namespace trellimux::test
