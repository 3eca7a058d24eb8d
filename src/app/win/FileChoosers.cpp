#include "app/win/FileChoosers.h"

#include <windows.h>

#include <commdlg.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ChosenFiles.h"
#include "app/ControlIds.h"
#include "app/win/AppState.h"
#include "app/win/ConcatPage.h"
#include "app/win/ConvertPage.h"
#include "app/win/DialogKeyRelease.h"
#include "app/win/JobControl.h"
#include "app/win/MessageBoxes.h"
#include "app/win/RecordingPartsOffer.h"
#include "app/win/TrimPage.h"
#include "text/PathText.h"

namespace trellimux {
namespace {

constexpr DWORD kPathLimit = 1024;  // the dialog's own limit, with the zero
// Several files: the folder and every name, each with its zero; room for
// some thousands of a receiver's names.
constexpr DWORD kChosenFilesLimit = 256 * 1024;
constexpr DWORD kInputFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                              OFN_SHAREAWARE | OFN_EXPLORER | OFN_LONGNAMES;
// A file that must exist has no place in a save dialog: the user names a new
// file there.
constexpr DWORD kOutputFlags = kInputFlags & ~static_cast<DWORD>(OFN_FILEMUSTEXIST);

// Pairs of display name and pattern, each ended by a zero, the list by a
// second zero: one extension's files, or all files.
std::string DialogFilter(std::string_view extension) {
  using namespace std::string_literals;
  if (extension.empty()) return "All Files\0*.*\0"s;
  std::string filter(extension.substr(1));
  filter += '\0';
  filter += '*';
  filter += extension;
  filter += '\0';
  return filter;
}

std::string CurrentDirectory() {
  const DWORD size = GetCurrentDirectoryA(0, nullptr);
  std::string folder(size, '\0');
  folder.resize(GetCurrentDirectoryA(size, folder.data()));
  return folder;
}

// What every dialog of the program is: owned by the main window, with one
// type list, starting in `folder`; `filter` and `folder` outlive it.
OPENFILENAMEA DialogOf(bool output, const std::string& filter, const std::string& folder,
                       char* file, DWORD fileSize) {
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = App().mainWindow;
  dialog.lpstrFilter = filter.c_str();  // c_str adds the list's second zero
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = fileSize;
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = output ? " Select output file" : " Select input file";
  dialog.Flags = output ? kOutputFlags : kInputFlags;
  return dialog;
}

// Shows the dialog; on a choice `folder` becomes the directory the dialog
// ended in. Cancelling changes nothing.
std::optional<std::string> ChooseFile(bool output, std::string& folder,
                                      std::string_view extension = {}) {
  const std::string filter = DialogFilter(extension);
  char path[kPathLimit] = {};
  OPENFILENAMEA dialog = DialogOf(output, filter, folder, path, kPathLimit);
  const DialogKeyRelease release;
  if (!(output ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog))) return std::nullopt;
  folder = CurrentDirectory();
  return std::string(path);
}

std::optional<std::string> ChooseInput(std::string& folder, std::string_view extension = {}) {
  return ChooseFile(false, folder, extension);
}

// The open dialog that takes several files: their paths in natural order,
// none when the user cancels.
std::vector<std::string> ChooseInputs(std::string& folder, std::string_view extension) {
  const std::string filter = DialogFilter(extension);
  std::vector<char> buffer(kChosenFilesLimit, '\0');
  OPENFILENAMEA dialog = DialogOf(false, filter, folder, buffer.data(), kChosenFilesLimit);
  dialog.Flags |= OFN_ALLOWMULTISELECT;
  const DialogKeyRelease release;
  if (!GetOpenFileNameA(&dialog)) {
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
      ShowMessage(App().mainWindow, kTooManyFilesNote);
    return {};
  }
  folder = CurrentDirectory();
  return ChosenFiles(std::string_view(buffer.data(), buffer.size()));
}

// The chosen output without its extension, then the container item's text,
// or for item 0 `itemZeroExtension`; without a container selection the box
// keeps its text and false comes back.
bool ChooseOutput(int outputBox, int containerList, std::string_view itemZeroExtension) {
  const std::optional<std::string> chosen = ChooseFile(true, App().outputFolder);
  if (!chosen) return false;
  const std::optional<int> item = ListSelection(containerList);
  if (!item) return false;
  const std::string extension =
      *item > 0 ? ListItemText(containerList, *item) : std::string(itemZeroExtension);
  SetControlText(outputBox, ReplaceExtension(*chosen, extension));
  return true;
}

}  // namespace

void ChooseConcatInput() {
  const std::vector<std::string> chosen =
      ChooseInputs(App().concatInputFolder, ConcatFilterExtension());
  // One file may be a part of a split recording, whose other parts it brings.
  AddConcatInputs(chosen.size() == 1 ? WithOtherParts(chosen.front()) : chosen);
}

// Several files make a batch, converted one after the other with the
// settings the page shows for the first.
void ChooseConvertInput() {
  std::vector<std::string> chosen = ChooseInputs(App().convertInputFolder, {});
  if (chosen.empty()) return;
  const std::string first = chosen.front();
  App().convertBatch.clear();
  if (chosen.size() > 1) App().convertBatch = std::move(chosen);
  StartConvertProbe(first);
}

void ChooseTrimInput() {
  if (const auto path = ChooseInput(App().trimInputFolder)) {
    PrepareTrimInput(*path);
    StartTrimProbe(*path);
  }
}

void ChooseConcatOutput() {
  if (ChooseOutput(kConcatOutputBox, kConcatContainerList, App().concatInputExtension))
    RebuildConcatCommand();
}

void ChooseConvertOutput() {
  if (ChooseOutput(kConvertOutputBox, kConvertContainerList, {})) RebuildConvertCommand();
}

void ChooseTrimOutput() {
  if (ChooseOutput(kTrimOutputBox, kTrimContainerList, App().trimInputExtension))
    RebuildTrimCommand();
}

}  // namespace trellimux
