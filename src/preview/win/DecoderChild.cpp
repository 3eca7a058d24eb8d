#include "preview/win/DecoderChild.h"

#include <algorithm>
#include <chrono>

#include "preview/BmpImage.h"
#include "process/win/ToolOutput.h"
#include "process/win/WholeFile.h"
#include "text/ReportLines.h"

namespace trellimux {
namespace {

// A frame's line is printed before its bitmap, so it is there at once; a
// child that prints none is broken.
constexpr auto kLineWait = std::chrono::seconds(10);

}  // namespace

DecoderChild::~DecoderChild() {
  child_.Terminate();
  child_.WaitAndClose();
  if (errors_ != INVALID_HANDLE_VALUE) CloseHandle(errors_);
}

bool DecoderChild::Start(const std::string& toolDirectory, const std::string& arguments) {
  const std::string path = NumberedProgramTempFilePath("decoder", "-errors.txt");
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  // Deleted once the child's handle and the reading one are closed too.
  const HANDLE written =
      CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_ALWAYS,
                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (written == INVALID_HANDLE_VALUE) return false;
  errors_ = CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_TEMPORARY, nullptr);
  const bool started = errors_ != INVALID_HANDLE_VALUE &&
                       StartTool(child_, toolDirectory, FfmpegTool::Ffmpeg, arguments, written);
  CloseHandle(written);
  return started;
}

bool DecoderChild::ReadMoreErrors() {
  char block[4096];
  DWORD count = 0;
  if (!ReadFile(errors_, block, sizeof block, &count, nullptr) || count == 0) return false;
  unread_.append(block, count);
  return true;
}

std::optional<DecoderLine> DecoderChild::NextLine() {
  const auto giveUp = std::chrono::steady_clock::now() + kLineWait;
  for (;;) {
    for (;;) {
      const auto end = std::find_if(unread_.begin(), unread_.end(), IsReportLineEnd);
      if (end == unread_.end()) break;
      const DecoderLine parsed = ParseDecoderLine(std::string(unread_.begin(), end));
      unread_.erase(unread_.begin(), end + 1);
      if (parsed.kind != DecoderLine::Kind::Other) return parsed;
    }
    if (ReadMoreErrors()) continue;
    // Read once more after the end: its last lines may have come meanwhile.
    if (child_.HasEnded()) {
      if (ReadMoreErrors()) continue;
      return std::nullopt;
    }
    if (std::chrono::steady_clock::now() > giveUp) return std::nullopt;
    // A frame's line comes before its bitmap, so this waits only for a
    // seek's answer or at the start.
    Sleep(1);
  }
}

std::optional<std::string> DecoderChild::NextBitmap() {
  // "BM" and the file's size, then the rest of the file.
  std::string bitmap(kBmpSizePrefix, '\0');
  auto readInto = [this](char* at, std::size_t size) {
    while (size > 0) {
      const DWORD count = child_.Read(at, static_cast<DWORD>(size));
      if (count == 0) return false;
      at += count;
      size -= count;
    }
    return true;
  };
  if (!readInto(bitmap.data(), kBmpSizePrefix)) return std::nullopt;
  const std::optional<std::size_t> size = BmpFileSize(bitmap);
  if (!size) return std::nullopt;
  bitmap.resize(*size);
  if (!readInto(bitmap.data() + kBmpSizePrefix, *size - kBmpSizePrefix)) return std::nullopt;
  return bitmap;
}

}  // namespace trellimux
