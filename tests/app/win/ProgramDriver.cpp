#include "app/win/ProgramDriver.h"

#include <commctrl.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "app/ControlIds.h"
#include "app/ProgramIdentity.h"
#include "app/win/ProgramControls.h"
#include "media/ToolRunner.h"

namespace trellimux::test {
namespace {

const std::string kClassName(kWindowClassName);
const std::string kTitle(kWindowTitle);
constexpr int kMessageBoxTextId = 0xFFFF;
// The file name field of the open and save dialogs (a ComboBoxEx32), and the
// plain edit box that older dialog templates use instead.
constexpr int kFileNameFieldId = 0x47C;
constexpr int kFileNameEditId = 0x480;

struct WindowSearch {
  DWORD processId;
  const char* className;
  std::function<bool(HWND)> accept;
  HWND found = nullptr;
};

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  if (!IsWindowVisible(window) || WindowProcessId(window) != search->processId) return TRUE;
  if (search->className && lstrcmpiA(ClassOf(window).c_str(), search->className) != 0) return TRUE;
  if (search->accept && !search->accept(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindWindowOf(DWORD processId, const char* className, std::function<bool(HWND)> accept) {
  WindowSearch search{processId, className, std::move(accept)};
  EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FileNameField(HWND dialog) {
  HWND field = GetDlgItem(dialog, kFileNameFieldId);
  return field ? field : GetDlgItem(dialog, kFileNameEditId);
}

bool IsFileDialog(HWND dialog) { return FileNameField(dialog) != nullptr; }

std::string Number(DWORD value) { return std::to_string(value); }

// A control identifier as the program's sources write it.
std::string IdText(int id) {
  char text[16];
  wsprintfA(text, "0x%X", static_cast<unsigned>(id));
  return text;
}

// The captions of the visible top-level windows of a process, for failures.
std::string VisibleCaptions(DWORD processId) {
  std::string captions;
  FindWindowOf(processId, nullptr, [&](HWND window) {
    captions += " [" + ClassOf(window) + " \"" + WindowCaption(window) + "\"]";
    return false;
  });
  return captions.empty() ? " none" : captions;
}

}  // namespace

int PageFirstControlId(int page) {
  constexpr int kControls[kPageCount] = {kAboutBox, kConcatInputList, kConvertInputBox,
                                         kTrimInputBox};
  return kControls[page];
}

bool PollUntil(DWORD timeoutMs, const std::function<bool()>& condition, DWORD intervalMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(intervalMs);
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
  return FindWindowOf(processId, className, nullptr);
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
  process_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                             PROCESS_VM_READ | PROCESS_VM_WRITE,
                         FALSE, processId_);
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

std::optional<ShownBox> ProgramDriver::WaitForMessageBox(DWORD timeoutMs) {
  HWND box = nullptr;
  PollUntil(timeoutMs, [&] {
    box = FindWindowOf(processId_, "#32770", [](HWND dialog) { return !IsFileDialog(dialog); });
    return box || HasEnded();
  });
  if (!box) {
    Fail(HasEnded() ? "process " + Number(processId_) + " ended without showing a message box"
                    : "no message box of process " + Number(processId_) + " within " +
                          Number(timeoutMs) + " ms; visible:" + VisibleCaptions(processId_));
    return std::nullopt;
  }
  return ShownBox{box, WindowCaption(box), MessageBoxText(box)};
}

HWND ProgramDriver::VisibleDialog() const { return FindVisibleWindowOf(processId_, "#32770"); }

HWND ProgramDriver::WaitForFileDialog(std::string_view title, DWORD timeoutMs) {
  HWND dialog = nullptr;
  PollUntil(timeoutMs, [&] {
    dialog = FindWindowOf(processId_, "#32770", [&](HWND window) {
      return WindowCaption(window) == title && IsFileDialog(window);
    });
    return dialog || HasEnded();
  });
  return dialog;
}

bool ProgramDriver::FillFileDialog(std::string_view title, const std::string& path,
                                   DWORD timeoutMs) {
  HWND dialog = WaitForFileDialog(title, timeoutMs);
  if (!dialog)
    return Fail("no file dialog \"" + std::string(title) + "\" within " + Number(timeoutMs) +
                " ms; visible:" + VisibleCaptions(processId_));
  HWND field = FileNameField(dialog);
  if (!SetWindowTextTo(field, path))
    return Fail("the file name field of \"" + std::string(title) + "\" did not take the path");
  const std::string typed = WindowText(field).value_or("<no answer>");
  if (typed != path) return Fail("the file name field shows \"" + typed + "\", not " + path);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  HWND other = nullptr;
  const bool gone = PollUntil(timeoutMs, [&] {
    if (!IsWindow(dialog) || !IsWindowVisible(dialog)) return true;
    // A box of the dialog's own (a file that does not exist, say) keeps it.
    other = FindWindowOf(processId_, "#32770", [&](HWND window) {
      return window != dialog && GetWindow(window, GW_OWNER) == dialog;
    });
    return other != nullptr;
  });
  if (other)
    return Fail("the file dialog answered " + path + " with \"" + WindowCaption(other) +
                "\": " + MessageBoxText(other));
  if (!gone)
    return Fail("the file dialog \"" + std::string(title) + "\" stayed open after OK with " + path);
  return true;
}

bool ProgramDriver::MoveFileDialogTo(std::string_view title, const std::string& folder,
                                     DWORD timeoutMs) {
  HWND dialog = WaitForFileDialog(title, timeoutMs);
  if (!dialog) return Fail("no file dialog \"" + std::string(title) + "\" to move");
  HWND field = FileNameField(dialog);
  if (!SetWindowTextTo(field, folder))
    return Fail("the file name field of \"" + std::string(title) + "\" did not take the folder");
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  // The dialog empties the field once it shows the folder.
  const bool moved = PollUntil(timeoutMs, [&] { return WindowText(field).value_or("") != folder; });
  if (!moved || !IsWindowVisible(dialog))
    return Fail("the file dialog did not move to " + folder + " and stay open");
  return true;
}

HWND ProgramDriver::Control(int id) const {
  return mainWindow_ ? GetDlgItem(mainWindow_, id) : nullptr;
}

bool ProgramDriver::IsEnabled(int id) const {
  HWND control = Control(id);
  return control && IsWindowEnabled(control);
}

bool ProgramDriver::IsVisible(int id) const {
  HWND control = Control(id);
  return control && IsWindowVisible(control);
}

bool ProgramDriver::IsChecked(int id) {
  HWND control = RequireControl(id);
  const std::optional<LRESULT> state =
      control ? SendWait(control, BM_GETCHECK, 0, 0) : std::nullopt;
  return state && *state == BST_CHECKED;
}

HWND ProgramDriver::RequireControl(int id) {
  HWND control = Control(id);
  if (!control) Fail("the main window has no control " + IdText(id));
  return control;
}

bool ProgramDriver::Click(int id) {
  HWND button = RequireControl(id);
  if (!button) return false;
  if (!IsWindowEnabled(button)) return Fail("button " + IdText(id) + " is disabled");
  if (!SendWait(button, BM_CLICK, 0, 0))
    return Fail("the program did not finish the click on button " + IdText(id));
  return true;
}

bool ProgramDriver::PostClick(int id) {
  HWND button = RequireControl(id);
  if (!button) return false;
  if (!IsWindowEnabled(button)) return Fail("button " + IdText(id) + " is disabled");
  if (!PostMessageA(button, BM_CLICK, 0, 0))
    return Fail("cannot post a click to button " + IdText(id));
  return true;
}

std::string ProgramDriver::Text(int id) {
  HWND control = RequireControl(id);
  if (!control) return {};
  std::optional<std::string> text = WindowText(control);
  if (!text) Fail("control " + IdText(id) + " did not give its text");
  return text.value_or("");
}

bool ProgramDriver::SetText(int id, const std::string& text) {
  HWND control = RequireControl(id);
  if (!control) return false;
  if (!SetWindowTextTo(control, text))
    return Fail("control " + IdText(id) + " did not take its text");
  return true;
}

std::vector<std::string> ProgramDriver::Items(int listId) {
  HWND list = RequireControl(listId);
  return list ? ComboItems(list) : std::vector<std::string>{};
}

std::optional<int> ProgramDriver::Selection(int listId) {
  HWND list = RequireControl(listId);
  return list ? ComboSelection(list) : std::nullopt;
}

std::string ProgramDriver::SelectedText(int listId) {
  HWND list = RequireControl(listId);
  const std::optional<int> selection = list ? ComboSelection(list) : std::nullopt;
  return selection ? ComboItemText(list, *selection).value_or("") : std::string();
}

bool ProgramDriver::Select(int listId, int index) {
  HWND list = RequireControl(listId);
  if (!list) return false;
  if (!IsWindowEnabled(list)) return Fail("list " + IdText(listId) + " is disabled");
  const std::optional<LRESULT> selected = SendWait(list, CB_SETCURSEL, index, 0);
  if (!selected || *selected != index)
    return Fail("list " + IdText(listId) + " has no item " + Number(static_cast<DWORD>(index)));
  if (!SendWait(mainWindow_, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE),
                reinterpret_cast<LPARAM>(list)))
    return Fail("the main window did not take the choice in list " + IdText(listId));
  return true;
}

bool ProgramDriver::Select(int listId, std::string_view itemText) {
  const std::vector<std::string> items = Items(listId);
  for (std::size_t index = 0; index < items.size(); ++index)
    if (items[index] == itemText) return Select(listId, static_cast<int>(index));
  std::string known;
  for (const std::string& item : items) known += " \"" + item + "\"";
  return Fail("list " + IdText(listId) + " has no item \"" + std::string(itemText) + "\"; it has" +
              known);
}

int ProgramDriver::RowCount(int listId) {
  HWND list = RequireControl(listId);
  return list ? ListViewRowCount(list) : 0;
}

std::vector<std::vector<std::string>> ProgramDriver::Rows(int listId, int columns) {
  HWND list = RequireControl(listId);
  return list ? ListViewRows(process_, list, columns) : std::vector<std::vector<std::string>>{};
}

bool ProgramDriver::IsRowChecked(int listId, int row) {
  HWND list = RequireControl(listId);
  return list && IsListViewRowChecked(list, row);
}

bool ProgramDriver::CheckRow(int listId, int row, bool checked) {
  HWND list = RequireControl(listId);
  if (!list) return false;
  if (!IsWindowVisible(list) || !IsWindowEnabled(list))
    return Fail("list " + IdText(listId) + " is hidden or disabled");
  if (!SetListViewRowChecked(process_, list, row, checked))
    return Fail("row " + Number(static_cast<DWORD>(row)) + " of list " + IdText(listId) +
                " did not take its check box");
  return true;
}

bool ProgramDriver::ClickCell(int listId, int row, int column) {
  HWND list = RequireControl(listId);
  if (!list) return false;
  if (!IsWindowVisible(list) || !IsWindowEnabled(list))
    return Fail("list " + IdText(listId) + " is hidden or disabled");
  const std::optional<POINT> centre = ListViewCellCentre(process_, list, row, column);
  if (!centre)
    return Fail("no cell " + Number(static_cast<DWORD>(row)) + "/" +
                Number(static_cast<DWORD>(column)) + " in list " + IdText(listId));
  if (!SendLeftClick(list, *centre)) return Fail("the list did not take the click");
  return true;
}

bool ProgramDriver::SetPickerTime(int pickerId, int hour, int minute, int second) {
  HWND picker = RequireControl(pickerId);
  if (!picker) return false;
  if (!test::SetPickerTime(process_, picker, hour, minute, second))
    return Fail("time picker " + IdText(pickerId) + " did not take the time");
  return true;
}

std::string ProgramDriver::PickerTime(int pickerId) {
  HWND picker = RequireControl(pickerId);
  return picker ? PickerTimeText(process_, picker).value_or("") : std::string();
}

bool ProgramDriver::SetMilliseconds(int labelId, int spinnerId, int value) {
  HWND spinner = RequireControl(spinnerId);
  if (!spinner) return false;
  if (!SendWait(spinner, UDM_SETPOS32, 0, value))
    return Fail("spinner " + IdText(spinnerId) + " did not take its value");
  char label[8];
  wsprintfA(label, "%03d", value);
  return SetText(labelId, label);
}

HWND ProgramDriver::LogWindow() const {
  // Hidden or shown: every top-level window of the process is looked at.
  struct Search {
    HWND owner;
    HWND found = nullptr;
  } search{mainWindow_};
  if (!search.owner) return nullptr;
  EnumWindows(
      [](HWND window, LPARAM lParam) -> BOOL {
        auto* search = reinterpret_cast<Search*>(lParam);
        if (GetWindow(window, GW_OWNER) != search->owner) return TRUE;
        if (lstrcmpiA(ClassOf(window).c_str(), "Edit") != 0) return TRUE;
        search->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ProgramDriver::LogText() {
  HWND log = LogWindow();
  if (!log) {
    Fail("the main window has no log window");
    return {};
  }
  std::optional<std::string> text = WindowText(log);
  if (!text) Fail("the log window did not give its text");
  return text.value_or("");
}

bool ProgramDriver::CloseLogWindow() {
  HWND log = LogWindow();
  if (!log) return Fail("the main window has no log window");
  if (!SendWait(log, WM_SYSCOMMAND, SC_CLOSE, 0)) return Fail("the log window did not answer");
  return !IsWindowVisible(log) || Fail("the log window stayed visible after closing it");
}

bool ProgramDriver::IsBusy() const { return !IsEnabled(kStartButton); }

bool ProgramDriver::WaitUntilIdle(DWORD timeoutMs) {
  if (PollUntil(timeoutMs, [&] { return !IsBusy() || HasEnded(); }) && !HasEnded()) return true;
  return Fail(HasEnded() ? "the program ended"
                         : "the program stayed busy for " + Number(timeoutMs) + " ms");
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
