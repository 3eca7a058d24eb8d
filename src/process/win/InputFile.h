// The preview's input opened for reading at any offset: each read names
// its own, so the fed decoder's feeding thread and the frame maker's
// worker, which looks for keyframes in the same file, never move one
// another's place.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace trellimux {

class InputFile {
 public:
  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  // Opens `path` for reading, while others may read and write it (a
  // recording still being written); false when it cannot be.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
  // Up to `size` bytes from `offset`: fewer at the end, none past it or
  // when it cannot be read. From any thread.
  std::string ReadAt(std::int64_t offset, std::size_t size) const;
  // Its size in bytes now; 0 when not open.
  std::int64_t Size() const;

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

}  // namespace trellimux
