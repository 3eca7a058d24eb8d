#include "app/win/KeptLogFile.h"

#include "process/win/WholeFile.h"

namespace trellimux {

KeptLogFile::KeptLogFile() : path_(ProgramTempFilePath("log") + ".txt") {}

KeptLogFile::~KeptLogFile() { Delete(); }

bool KeptLogFile::Write(std::string_view text) {
  HANDLE file =
      CreateFileA(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  started_ ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  started_ = true;
  bool whole = true;
  while (whole && !text.empty()) {
    const DWORD size = text.size() < (1u << 30) ? static_cast<DWORD>(text.size()) : (1u << 30);
    DWORD written = 0;
    whole = WriteFile(file, text.data(), size, &written, nullptr) && written > 0;
    text.remove_prefix(whole ? written : 0);
  }
  CloseHandle(file);
  return whole;
}

void KeptLogFile::Delete() {
  if (started_) DeleteFileA(path_.c_str());
  started_ = false;
}

}  // namespace trellimux
