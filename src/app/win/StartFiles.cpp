#include "app/win/StartFiles.h"

#include <windows.h>

#include <shellapi.h>

#include "app/win/AppState.h"
#include "app/win/MessageBoxes.h"
#include "jobs/OldFileRemoval.h"
#include "jobs/StartChecks.h"
#include "process/win/PlatformError.h"
#include "process/win/WholeFile.h"

namespace trellimux {
namespace {

void ShowPlatformError(DWORD code) {
  const std::string text = PlatformErrorText(code);
  ShowMessage(App().mainWindow, {" Error", text, MessageIcon::Error, MessageButtons::Ok});
}

void ShowHeldFile(const std::string& text) { ShowMessage(App().mainWindow, HeldFileMessage(text)); }

// The name of the first file directly in `folder`, or "" when it has none.
std::string FirstFileIn(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  std::string name;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) name = found.cFileName;
  } while (name.empty() && FindNextFileA(search, &found));
  FindClose(search);
  return name;
}

// A name whose file is only marked for deletion is still found (or refuses
// to be looked at while the mark lasts).
bool NameRemains(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD error = GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

// Deletes an existing file through a handle that nobody else shares: a file
// another program has open is found before anything changes, and is not
// left marked to vanish once that program closes it. `error` is the
// system's reason when the deletion failed otherwise.
OldFileRemoval RemoveOldFile(const std::string& path, DWORD& error) {
  OldFileFacts facts;
  HANDLE alone =
      CreateFileA(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (alone == INVALID_HANDLE_VALUE) {
    error = GetLastError();
  } else {
    FILE_DISPOSITION_INFO disposition{TRUE};
    facts.deleted =
        SetFileInformationByHandle(alone, FileDispositionInfo, &disposition, sizeof disposition);
    error = facts.deleted ? 0 : GetLastError();
    CloseHandle(alone);
  }
  facts.heldByAnother = error == ERROR_SHARING_VIOLATION;
  facts.nameRemains = facts.deleted && NameRemains(path);
  return JudgeOldFileRemoval(facts);
}

}  // namespace

bool PathIsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ClearOutputPath(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  if (ShowMessage(App().mainWindow, kOverwriteQuestion) != MessageAnswer::Yes) return false;
  DWORD error = 0;
  switch (RemoveOldFile(path, error)) {
    case OldFileRemoval::kGone:
      return true;
    case OldFileRemoval::kHeldOpen:
      ShowHeldFile(HeldOutputFileText(path));
      return false;
    case OldFileRemoval::kFailed:
      ShowPlatformError(error);
      return false;
  }
  return false;
}

bool WriteListFile(const std::string& path, const std::string& text) {
  const DWORD error = WriteWholeFile(path, text);
  if (error) ShowPlatformError(error);
  return error == 0;
}

bool EmptyTemporaryFolder(const std::string& folder) {
  // Made at start; made again if it went since, or the cuts had nowhere to go.
  CreateDirectoryA(folder.c_str(), nullptr);
  // The shell's delete reports an error when the pattern matches nothing;
  // a folder without files is what we want anyway.
  if (FirstFileIn(folder).empty()) return true;
  std::string from = folder + "\\*.*";
  from += '\0';  // the list of names ends with a second zero (c_str adds it)
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_FILESONLY;
  if (SHFileOperationA(&operation) != 0 || operation.fAnyOperationsAborted) {
    ShowMessage(App().mainWindow, kTempDirNotEmptiedNote);
    return false;
  }
  // A file another program has open with delete sharing is only marked, and
  // a cut would find its name.
  const std::string left = FirstFileIn(folder);
  if (left.empty()) return true;
  ShowHeldFile(HeldTemporaryFileText(folder + "\\" + left));
  return false;
}

}  // namespace trellimux
