#include "jobs/win/RunnerTestSupport.h"

#include <commctrl.h>

#include "app/win/WindowTestSupport.h"

namespace trellimux::test {
namespace {

constexpr char kWatchProperty[] = "TrellimuxProgressWatch";

}  // namespace

JobDescription RunnerWindow::Job(int kind, std::string commandText, std::string inputPath) {
  return JobHost::Job(kind, FakeToolsDirectory(), std::move(commandText), std::move(inputPath));
}

bool RunnerWindow::RunToEnd(const JobDescription& job, DWORD limit) {
  // Waits for this job's own end: the window may have run jobs before.
  const int before = DoneMessages();
  if (!StartJobThread(job)) return false;
  const bool ended = PumpUntil([this, before] { return DoneMessages() > before; }, limit);
  PumpUntil([] { return false; }, 300);
  return ended;
}

void RunnerWindow::SetLogText(const std::string& text) {
  SendMessageA(LogWindow(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string FakeToolsDirectory() { return ProgramFolder() + "\\fake-tools"; }

ScratchFolder::ScratchFolder() {
  static int made = 0;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  path_ = std::string(temp) + "trellimux-runner-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++made);
  CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(Path("*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileA(Path(found.cFileName).c_str());  // "." and ".." are no files
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path_.c_str());
}

std::string PatternBytes(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  unsigned state = seed * 2654435761u + 1;
  for (char& byte : bytes) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<char>(state >> 24);
  }
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char block[65536];
  DWORD count = 0;
  while (ReadFile(file, block, sizeof block, &count, nullptr) && count > 0) {
    bytes.append(block, count);
  }
  CloseHandle(file);
  return bytes;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ProgressWatch::ProgressWatch(HWND bar, std::function<void(int)> onMove)
    : bar_(bar), onMove_(std::move(onMove)) {
  SetPropA(bar_, kWatchProperty, this);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(bar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

ProgressWatch::~ProgressWatch() {
  SetWindowLongPtrA(bar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  RemovePropA(bar_, kWatchProperty);
}

LRESULT CALLBACK ProgressWatch::Procedure(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* watch = static_cast<ProgressWatch*>(GetPropA(bar, kWatchProperty));
  const auto call = [&](UINT asked, WPARAM w, LPARAM l) {
    return CallWindowProcA(watch->original_, bar, asked, w, l);
  };
  if (message == PBM_GETPOS) return call(message, wParam, lParam);
  const int before = static_cast<int>(call(PBM_GETPOS, 0, 0));
  const LRESULT result = call(message, wParam, lParam);
  const int after = static_cast<int>(call(PBM_GETPOS, 0, 0));
  if (after != before) {
    watch->positions_.push_back(after);
    if (watch->onMove_) watch->onMove_(after);
  }
  return result;
}

int ProgressPosition(HWND bar) { return static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)); }

int ProgressRangeEnd(HWND bar) {
  return static_cast<int>(SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
}

}  // namespace trellimux::test
