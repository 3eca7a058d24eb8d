#include "app/win/Launchers.h"

#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/MessageBoxes.h"
#include "app/win/SharedResources.h"
#include "app/win/TextListView.h"
#include "cmdline/TrimCommand.h"
#include "process/win/PlatformError.h"
#include "text/PathText.h"

namespace trellimux {
namespace {

constexpr MessageRequest kNothingToPlayNote{" Note", "Select a media file to play.",
                                            MessageIcon::Warning, MessageButtons::Ok};
constexpr MessageRequest kCutWithoutExtensionNote{" Note",
                                                  "File not found, file extension not specified.",
                                                  MessageIcon::Warning, MessageButtons::Ok};
constexpr MessageRequest kNoCutSelectedNote{" Note", "No cut file selected.", MessageIcon::Warning,
                                            MessageButtons::Ok};

// The platform's error for a refused open. The shell does not always set the
// thread's last error; its own result code then names the same error.
DWORD OpenFailureCode(HINSTANCE result) {
  const DWORD error = GetLastError();
  if (error != ERROR_SUCCESS) return error;
  switch (reinterpret_cast<INT_PTR>(result)) {
    case SE_ERR_NOASSOC:
      return ERROR_NO_ASSOCIATION;
    case SE_ERR_ACCESSDENIED:
      return ERROR_ACCESS_DENIED;
    case SE_ERR_OOM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_PNF:
      return ERROR_PATH_NOT_FOUND;
    default:
      return ERROR_FILE_NOT_FOUND;
  }
}

void Open(const std::string& path) {
  HWND owner = App().mainWindow;
  SetLastError(ERROR_SUCCESS);
  const HINSTANCE result =
      ShellExecuteA(owner, "Open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(result) > 32) return;
  const std::string text = PlatformErrorText(OpenFailureCode(result));
  ShowMessage(owner, {" Error", text, MessageIcon::Error, MessageButtons::Ok});
}

// An empty path shows the note on the Concat and Convert pages.
void OpenOrNote(const std::string& path) {
  if (path.empty()) {
    ShowMessage(App().mainWindow, kNothingToPlayNote);
    return;
  }
  Open(path);
}

// An empty path does nothing on the Trim page.
void OpenIfAny(const std::string& path) {
  if (!path.empty()) Open(path);
}

// The row selected in a list view, if it is one of the model's.
std::optional<std::size_t> SelectedRow(int listId, std::size_t rows) {
  const std::optional<std::size_t> row = ListViewSelection(Control(listId));
  return row && *row < rows ? row : std::nullopt;
}

}  // namespace

void PlayConcatInput() {
  const std::vector<std::string>& paths = App().concatInputs.Paths();
  const std::optional<std::size_t> row = SelectedRow(kConcatInputList, paths.size());
  OpenOrNote(row ? paths[*row] : std::string());
}

void PlayConcatOutput() { OpenOrNote(ControlText(kConcatOutputBox)); }
void PlayConvertInput() { OpenOrNote(ControlText(kConvertInputBox)); }
void PlayConvertOutput() { OpenOrNote(ControlText(kConvertOutputBox)); }
void PlayTrimInput() { OpenIfAny(ControlText(kTrimInputBox)); }
void PlayTrimOutput() { OpenIfAny(ControlText(kTrimOutputBox)); }

void PlayCut() {
  const std::vector<Cut>& cuts = App().cuts.Cuts();
  const std::string output = ControlText(kTrimOutputBox);
  if (cuts.empty() || output.empty()) return;
  HWND owner = App().mainWindow;
  if (PathExtension(output).empty()) {
    ShowMessage(owner, kCutWithoutExtensionNote);
    return;
  }
  const std::optional<std::size_t> row = SelectedRow(kCutList, cuts.size());
  if (!row) {
    ShowMessage(owner, kNoCutSelectedNote);
    return;
  }
  Open(CutFilePath(Resources().tempDir, *row, output));
}

}  // namespace trellimux
