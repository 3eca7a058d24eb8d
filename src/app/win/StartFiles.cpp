#include "app/win/StartFiles.h"

#include <windows.h>

#include <shellapi.h>

#include "app/win/AppState.h"
#include "app/win/MessageBoxes.h"
#include "jobs/StartChecks.h"
#include "jobs/win/PlatformError.h"

namespace trellimux {
namespace {

void ShowPlatformError(DWORD code) {
  const std::string text = PlatformErrorText(code);
  ShowMessage(App().mainWindow, {" Error", text, MessageIcon::Error, MessageButtons::Ok});
}

bool HoldsAFile(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool file = false;
  do {
    file = !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  } while (!file && FindNextFileA(search, &found));
  FindClose(search);
  return file;
}

}  // namespace

bool PathIsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ClearOutputPath(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  if (ShowMessage(App().mainWindow, kOverwriteQuestion) != MessageAnswer::Yes) return false;
  if (DeleteFileA(path.c_str())) return true;
  ShowPlatformError(GetLastError());
  return false;
}

bool WriteListFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ShowPlatformError(GetLastError());
    return false;
  }
  const DWORD size = static_cast<DWORD>(text.size());
  DWORD written = 0;
  const bool whole = WriteFile(file, text.data(), size, &written, nullptr) && written == size;
  const DWORD error = whole ? 0 : GetLastError();
  CloseHandle(file);
  if (!whole) ShowPlatformError(error ? error : ERROR_WRITE_FAULT);
  return whole;
}

bool EmptyTemporaryFolder(const std::string& folder) {
  // Made at start; made again if it went since, or the cuts had nowhere to go.
  CreateDirectoryA(folder.c_str(), nullptr);
  // The shell's delete reports an error when the pattern matches nothing;
  // a folder without files is what we want anyway.
  if (!HoldsAFile(folder)) return true;
  std::string from = folder + "\\*.*";
  from += '\0';  // the list of names ends with a second zero (c_str adds it)
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_FILESONLY;
  if (SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted) return true;
  ShowMessage(App().mainWindow, kTempDirNotEmptiedNote);
  return false;
}

}  // namespace trellimux
