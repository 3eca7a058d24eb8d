#include "process/win/WholeFile.h"

#include <atomic>

#include "process/win/InputFile.h"

namespace trellimux {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  InputFile file;
  if (!file.Open(path)) return std::nullopt;
  return file.ReadAt(0, static_cast<std::size_t>(file.Size()));
}

DWORD WriteWholeFile(const std::string& path, std::string_view text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  const DWORD size = static_cast<DWORD>(text.size());
  DWORD written = 0;
  const bool whole = WriteFile(file, text.data(), size, &written, nullptr) && written == size;
  const DWORD error = whole ? 0 : GetLastError();
  CloseHandle(file);
  return whole ? 0 : (error ? error : ERROR_WRITE_FAULT);
}

std::string ProgramTempFilePath(std::string_view what) {
  char folder[MAX_PATH + 1] = {};
  GetTempPathA(sizeof folder, folder);
  return std::string(folder) + "Trellimux " + std::string(what) + " " +
         std::to_string(GetCurrentProcessId());
}

std::string NumberedProgramTempFilePath(std::string_view what, std::string_view ending) {
  static std::atomic<unsigned> made{0};
  return ProgramTempFilePath(what) + "-" + std::to_string(++made) + std::string(ending);
}

}  // namespace trellimux
