#include "app/win/RecordingPartsOffer.h"

#include <windows.h>

#include <algorithm>

#include "app/win/AppState.h"
#include "app/win/MessageBoxes.h"
#include "concat/PartsQuestion.h"
#include "concat/RecordingParts.h"
#include "text/AsciiText.h"
#include "text/PathText.h"

namespace trellimux {
namespace {

// The files directly in `folder` (ending in its separator), with sizes.
std::vector<FolderFile> FilesIn(const std::string& folder) {
  std::vector<FolderFile> files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    ULARGE_INTEGER size;
    size.LowPart = found.nFileSizeLow;
    size.HighPart = found.nFileSizeHigh;
    files.push_back({found.cFileName, static_cast<std::int64_t>(size.QuadPart)});
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}

bool Listed(const std::string& path) {
  const std::vector<std::string>& listed = App().concatInputs.Paths();
  return std::ranges::any_of(
      listed, [&](const std::string& item) { return EqualsIgnoringCase(item, path); });
}

}  // namespace

std::vector<std::string> WithOtherParts(const std::string& path) {
  const std::string folder(PathFolder(path));
  const std::string name = path.substr(folder.size());
  if (folder.empty()) return {path};
  const RecordingParts parts = FindRecordingParts(name, FilesIn(folder));
  // A recording whose parts are being added one by one is left to the user.
  if (std::ranges::any_of(parts.parts, [&](const std::string& part) {
        return !EqualsIgnoringCase(part, name) && Listed(folder + part);
      }))
    return {path};
  const std::optional<PartsQuestion> question = AskForOtherParts(parts, name);
  if (!question || ShowMessage(App().mainWindow, question->Request()) != MessageAnswer::Yes)
    return {path};
  std::vector<std::string> paths;
  for (const std::string& part : parts.parts)
    paths.push_back(EqualsIgnoringCase(part, name) ? path : folder + part);
  return paths;
}

}  // namespace trellimux
