// Drives a real trellimux.exe from a second Windows process, by window
// messages only, the way a user's clicks reach it. Every wait is bounded; when
// one fails, Failure() tells which step failed and why.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/Pages.h"

namespace trellimux::test {

// Generous for Wine: a cold start of the program takes seconds.
inline constexpr DWORD kStartTimeoutMs = 20000;
// Any later step: a box going away, a page switch, the closing fade.
inline constexpr DWORD kStepTimeoutMs = 10000;

// A control shown on page 0 Information, 1 Concat, 2 Convert or 3 Trim only.
int PageFirstControlId(int page);

// Calls `condition` every few milliseconds until it holds or `timeoutMs` has
// passed, and reports whether it held. The calling thread's own messages are
// dispatched meanwhile, so windows of the caller stay responsive.
bool PollUntil(DWORD timeoutMs, const std::function<bool()>& condition);

// A top-level window with the program's class and title, of any process.
HWND FindMainWindow();
// The main window of process `processId`, visible or not, or null.
HWND FindMainWindowOf(DWORD processId);
// The first visible top-level window of `processId` of class `className`
// (any class when null), or null.
HWND FindVisibleWindowOf(DWORD processId, const char* className);
DWORD WindowProcessId(HWND window);

// The caption of a top-level window.
std::string WindowCaption(HWND window);
// The text of a message box (its static control 65535).
std::string MessageBoxText(HWND messageBox);

// trellimux.exe in the folder TRELLIMUX_TOOLS names, as a Windows path, or ""
// when the variable is unset.
std::string ProgramPathFromEnvironment();

// One running copy of the program: started here or found running.
class ProgramDriver {
 public:
  ProgramDriver() = default;
  ProgramDriver(const ProgramDriver&) = delete;
  ProgramDriver& operator=(const ProgramDriver&) = delete;
  // Ends a copy that Start() began and that still runs.
  ~ProgramDriver();

  // Starts `program` (a Windows path) in `workingDirectory`.
  bool Start(const std::string& program, const std::string& workingDirectory);
  // Takes on the copy whose main window appears within the timeout; that copy
  // is left running when this object goes.
  bool Attach(DWORD timeoutMs);

  DWORD ProcessId() const { return processId_; }
  HANDLE Process() const { return process_; }
  HWND MainWindow() const { return mainWindow_; }
  const std::string& Failure() const { return failure_; }

  // Waits for a visible message box (#32770) of the process; null when none
  // came within the timeout or the process ended first.
  HWND WaitForDialog(DWORD timeoutMs);
  // Clicks button `buttonId` (IDYES, IDNO, ...) of a message box and waits
  // until the box is gone.
  bool AnswerDialog(HWND dialog, int buttonId, DWORD timeoutMs);
  // Waits until the main window exists, visible or not.
  bool WaitForMainWindow(DWORD timeoutMs);
  // Waits until the main window is visible and its last control exists.
  bool WaitForMainWindowShown(DWORD timeoutMs);
  // Clicks a page button and waits until that page shows and is painted.
  bool ShowPage(int page, DWORD timeoutMs);
  // Asks the main window to close, as its system menu does.
  bool RequestClose();

  bool HasEnded() const;
  // Waits for the process to end and keeps its exit code.
  bool WaitForExit(DWORD timeoutMs);
  DWORD ExitCode() const { return exitCode_; }
  // Ends the process at once (clean-up after a failure).
  void Terminate();

 private:
  bool Fail(std::string message);
  void Release();

  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  bool owned_ = false;
  HWND mainWindow_ = nullptr;
  DWORD exitCode_ = STILL_ACTIVE;
  std::string failure_;
};

}  // namespace trellimux::test
