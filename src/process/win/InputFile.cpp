#include "process/win/InputFile.h"

namespace trellimux {

InputFile::~InputFile() { Close(); }

void InputFile::Close() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
}

bool InputFile::Open(const std::string& path) {
  Close();
  file_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  return file_ != INVALID_HANDLE_VALUE;
}

std::string InputFile::ReadAt(std::int64_t offset, std::size_t size) const {
  std::string bytes(size, '\0');
  // On a handle opened for plain reads, the offset in OVERLAPPED makes the
  // read begin there and the call still waits for it.
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD count = 0;
  if (file_ == INVALID_HANDLE_VALUE || offset < 0 ||
      !ReadFile(file_, bytes.data(), static_cast<DWORD>(size), &count, &at)) {
    count = 0;
  }
  bytes.resize(count);
  return bytes;
}

std::int64_t InputFile::Size() const {
  LARGE_INTEGER size{};
  return file_ != INVALID_HANDLE_VALUE && GetFileSizeEx(file_, &size) ? size.QuadPart : 0;
}

}  // namespace trellimux
