// Drives a real trellimux.exe from a second Windows process, by window
// messages only, the way a user's clicks reach it. Every wait is bounded; when
// one fails, Failure() tells which step failed and why.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Pages.h"

namespace trellimux::test {

// Generous for Wine: a cold start of the program takes seconds.
inline constexpr DWORD kStartTimeoutMs = 20000;
// Any later step: a box going away, a page switch, the closing fade.
inline constexpr DWORD kStepTimeoutMs = 10000;

// A control shown on page 0 Information, 1 Concat, 2 Convert or 3 Trim only.
int PageFirstControlId(int page);

// Calls `condition` every `intervalMs` milliseconds until it holds or
// `timeoutMs` has passed, and reports whether it held. The calling thread's
// own messages are dispatched meanwhile, so windows of the caller stay
// responsive.
bool PollUntil(DWORD timeoutMs, const std::function<bool()>& condition, DWORD intervalMs = 2);

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

// A message box as it showed: its window, caption and text.
struct ShownBox {
  HWND window = nullptr;
  std::string caption;
  std::string text;
};

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
  // Waits for a visible message box that is not a file dialog and reads it.
  std::optional<ShownBox> WaitForMessageBox(DWORD timeoutMs);
  // The visible message box or file dialog of the process, or null.
  HWND VisibleDialog() const;
  // Waits for the open or save dialog titled `title`, types `path` (a full
  // Windows path) into its file name field, presses OK and waits until the
  // dialog is gone.
  bool FillFileDialog(std::string_view title, const std::string& path, DWORD timeoutMs);
  // Types a folder into the open dialog titled `title` and presses OK, which
  // moves the dialog there; it stays open for the names that follow.
  bool MoveFileDialogTo(std::string_view title, const std::string& folder, DWORD timeoutMs);
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

  // A control of the main window, or null.
  HWND Control(int id) const;
  bool IsEnabled(int id) const;
  bool IsVisible(int id) const;
  // A check box or lamp (a button with a check state) is checked.
  bool IsChecked(int id);
  // Clicks a button and waits until the program has handled the click: for
  // buttons that open no modal box.
  bool Click(int id);
  // Clicks a button without waiting for the program: for buttons that open
  // a modal box or dialog, which the caller then waits for.
  bool PostClick(int id);
  // A control's whole text; empty (and a failure noted) when it does not
  // answer.
  std::string Text(int id);
  bool SetText(int id, const std::string& text);

  // Drop-down lists: items, the selection, and a choice as a user makes
  // it: the list selects the item and the main window hears of the change.
  // A disabled list cannot be chosen from.
  std::vector<std::string> Items(int listId);
  std::optional<int> Selection(int listId);
  std::string SelectedText(int listId);
  bool Select(int listId, int index);
  bool Select(int listId, std::string_view itemText);

  // List views: the texts of every row's first `columns` columns, check
  // boxes, and a mouse click on a cell.
  int RowCount(int listId);
  std::vector<std::vector<std::string>> Rows(int listId, int columns);
  bool IsRowChecked(int listId, int row);
  bool CheckRow(int listId, int row, bool checked);
  bool ClickCell(int listId, int row, int column);

  // A time picker's time of day and a milliseconds field: the spinner's
  // position and the label beside it that shows it.
  bool SetPickerTime(int pickerId, int hour, int minute, int second);
  std::string PickerTime(int pickerId);
  bool SetMilliseconds(int labelId, int spinnerId, int value);

  // The log window (a top-level edit box owned by the main window) and its
  // text. Closing it only hides it, as its close button does.
  HWND LogWindow() const;
  std::string LogText();
  bool CloseLogWindow();
  // While a job runs "Start" is disabled.
  bool IsBusy() const;
  // Waits until the program is idle again after a job's last box.
  bool WaitUntilIdle(DWORD timeoutMs);

  bool HasEnded() const;
  // Waits for the process to end and keeps its exit code.
  bool WaitForExit(DWORD timeoutMs);
  DWORD ExitCode() const { return exitCode_; }
  // Ends the process at once (clean-up after a failure).
  void Terminate();

 private:
  bool Fail(std::string message);
  // The open or save dialog titled `title` once it shows; null when none
  // came within the timeout or the process ended first.
  HWND WaitForFileDialog(std::string_view title, DWORD timeoutMs);
  void Release();
  HWND RequireControl(int id);

  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  bool owned_ = false;
  HWND mainWindow_ = nullptr;
  DWORD exitCode_ = STILL_ACTIVE;
  std::string failure_;
};

}  // namespace trellimux::test
