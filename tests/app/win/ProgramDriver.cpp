#include "app/win/ProgramDriver.h"

#include <cstdlib>
#include <utility>
#include <vector>

#include "app/ControlIds.h"
#include "app/ProgramIdentity.h"
#include "media/ToolRunner.h"

namespace trellimux::test {
namespace {

const std::string kClassName(kWindowClassName);
const std::string kTitle(kWindowTitle);
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr DWORD kPollIntervalMs = 2;

struct WindowSearch {
  DWORD processId;
  const char* className;
  HWND found = nullptr;
};

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  if (!IsWindowVisible(window) || WindowProcessId(window) != search->processId) return TRUE;
  if (search->className) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, search->className) != 0) return TRUE;
  }
  search->found = window;
  return FALSE;
}

std::string Number(DWORD value) { return std::to_string(value); }

}  // namespace

int PageFirstControlId(int page) {
  constexpr int kControls[kPageCount] = {kAboutBox, kConcatInputList, kConvertInputBox,
                                         kTrimInputBox};
  return kControls[page];
}

bool PollUntil(DWORD timeoutMs, const std::function<bool()>& condition) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(kPollIntervalMs);
  }
}

HWND FindMainWindow() { return FindWindowA(kClassName.c_str(), kTitle.c_str()); }

HWND FindMainWindowOf(DWORD processId) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, kClassName.c_str(), kTitle.c_str())))
    if (WindowProcessId(window) == processId) return window;
  return nullptr;
}

HWND FindVisibleWindowOf(DWORD processId, const char* className) {
  WindowSearch search{processId, className};
  EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

DWORD WindowProcessId(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

std::string WindowCaption(HWND window) {
  char caption[256] = {};
  GetWindowTextA(window, caption, sizeof caption);
  return caption;
}

std::string MessageBoxText(HWND messageBox) {
  HWND text = GetDlgItem(messageBox, kMessageBoxTextId);
  if (!text) return {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(text, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kStepTimeoutMs, &length))
    return {};
  std::vector<char> buffer(length + 1);
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(text, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                           SMTO_ABORTIFHUNG, kStepTimeoutMs, &copied))
    return {};
  return std::string(buffer.data(), copied);
}

std::string ProgramPathFromEnvironment() {
  const char* folder = std::getenv("TRELLIMUX_TOOLS");
  if (!folder || !*folder) return {};
  return ToolSidePath(folder) + "\\trellimux.exe";
}

ProgramDriver::~ProgramDriver() {
  if (owned_ && !HasEnded()) Terminate();
  Release();
}

bool ProgramDriver::Start(const std::string& program, const std::string& workingDirectory) {
  Release();
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                      &started))
    return Fail("CreateProcessA failed for " + program + " in " + workingDirectory + " (error " +
                Number(GetLastError()) + ")");
  CloseHandle(started.hThread);
  process_ = started.hProcess;
  processId_ = started.dwProcessId;
  owned_ = true;
  return true;
}

bool ProgramDriver::Attach(DWORD timeoutMs) {
  Release();
  HWND window = nullptr;
  if (!PollUntil(timeoutMs, [&] { return (window = FindMainWindow()) != nullptr; }))
    return Fail("no Trellimux main window appeared within " + Number(timeoutMs) + " ms");
  processId_ = WindowProcessId(window);
  mainWindow_ = window;
  process_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId_);
  if (!process_) return Fail("cannot open process " + Number(processId_));
  return true;
}

HWND ProgramDriver::WaitForDialog(DWORD timeoutMs) {
  HWND dialog = nullptr;
  PollUntil(timeoutMs, [&] {
    dialog = FindVisibleWindowOf(processId_, "#32770");
    return dialog || HasEnded();
  });
  if (!dialog) {
    Fail(HasEnded() ? "process " + Number(processId_) + " ended without showing a message box"
                    : "no message box of process " + Number(processId_) + " within " +
                          Number(timeoutMs) + " ms");
  }
  return dialog;
}

bool ProgramDriver::AnswerDialog(HWND dialog, int buttonId, DWORD timeoutMs) {
  HWND button = GetDlgItem(dialog, buttonId);
  if (!button) return Fail("the message box has no button " + Number(buttonId));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  if (!PollUntil(timeoutMs, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }))
    return Fail("the message box stayed open " + Number(timeoutMs) + " ms after button " +
                Number(buttonId));
  return true;
}

bool ProgramDriver::WaitForMainWindow(DWORD timeoutMs) {
  if (PollUntil(timeoutMs, [&] { return (mainWindow_ = FindMainWindowOf(processId_)) != nullptr; }))
    return true;
  return Fail("process " + Number(processId_) + " made no main window within " + Number(timeoutMs) +
              " ms");
}

bool ProgramDriver::WaitForMainWindowShown(DWORD timeoutMs) {
  const ULONGLONG start = GetTickCount64();
  if (!WaitForMainWindow(timeoutMs)) return false;
  const ULONGLONG spent = GetTickCount64() - start;
  const DWORD left = spent < timeoutMs ? static_cast<DWORD>(timeoutMs - spent) : 0;
  if (PollUntil(left, [&] {
        return IsWindowVisible(mainWindow_) && GetDlgItem(mainWindow_, kTrimCommandBox);
      }))
    return true;
  return Fail("the main window was not shown with all its controls within " + Number(timeoutMs) +
              " ms");
}

bool ProgramDriver::ShowPage(int page, DWORD timeoutMs) {
  if (page < 0 || page >= kPageCount) return Fail("no page " + std::to_string(page));
  if (!mainWindow_ && !WaitForMainWindowShown(timeoutMs)) return false;
  HWND button = GetDlgItem(mainWindow_, PageButtonId(static_cast<Page>(page)));
  if (!button) return Fail("the main window has no button for page " + std::to_string(page));
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(mainWindow_, WM_COMMAND,
                           MAKEWPARAM(PageButtonId(static_cast<Page>(page)), BN_CLICKED),
                           reinterpret_cast<LPARAM>(button), SMTO_ABORTIFHUNG, timeoutMs, &result))
    return Fail("the main window did not take the click on page button " + std::to_string(page));
  auto shown = [&] {
    for (int other = 0; other < kPageCount; ++other) {
      HWND control = GetDlgItem(mainWindow_, PageFirstControlId(other));
      if (!control || (IsWindowVisible(control) != 0) != (other == page)) return false;
    }
    return true;
  };
  if (!PollUntil(timeoutMs, shown))
    return Fail("page " + std::to_string(page) + " did not show within " + Number(timeoutMs) +
                " ms");
  // Paint now what the switch left to paint, and let the window's thread come
  // back to its message loop, where Wine hands the picture to the display.
  RedrawWindow(mainWindow_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  SendMessageTimeoutA(mainWindow_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result);
  return true;
}

bool ProgramDriver::RequestClose() {
  if (!mainWindow_ && !(mainWindow_ = FindMainWindowOf(processId_)))
    return Fail("process " + Number(processId_) + " has no main window to close");
  if (!PostMessageA(mainWindow_, WM_SYSCOMMAND, SC_CLOSE, 0))
    return Fail("cannot post SC_CLOSE to the main window (error " + Number(GetLastError()) + ")");
  return true;
}

bool ProgramDriver::HasEnded() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
}

bool ProgramDriver::WaitForExit(DWORD timeoutMs) {
  if (!process_) return Fail("no process to wait for");
  if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
    return Fail("process " + Number(processId_) + " still runs after " + Number(timeoutMs) + " ms");
  GetExitCodeProcess(process_, &exitCode_);
  return true;
}

void ProgramDriver::Terminate() {
  if (!process_) return;
  TerminateProcess(process_, 1);
  WaitForSingleObject(process_, kStepTimeoutMs);
}

bool ProgramDriver::Fail(std::string message) {
  failure_ = std::move(message);
  return false;
}

void ProgramDriver::Release() {
  if (process_) CloseHandle(process_);
  process_ = nullptr;
  processId_ = 0;
  owned_ = false;
  mainWindow_ = nullptr;
  exitCode_ = STILL_ACTIVE;
}

}  // namespace trellimux::test
