#include "preview/win/DecoderChild.h"

#include <chrono>

#include "jobs/win/ToolOutput.h"
#include "preview/BmpImage.h"
#include "text/ReportLines.h"

namespace trellimux {
namespace {

// A frame's line is printed before its bitmap, so it is there at once; a
// child that prints none is broken.
constexpr auto kLineWait = std::chrono::seconds(10);

}  // namespace

DecoderChild::~DecoderChild() {
  child_.Terminate();
  if (errorReader_.joinable()) errorReader_.join();
  child_.WaitAndClose();
}

bool DecoderChild::Start(const std::string& toolDirectory, const std::string& arguments) {
  if (!StartTool(child_, toolDirectory, FfmpegTool::Ffmpeg, arguments, true)) return false;
  errorReader_ = std::thread([this] { ReadErrors(); });
  return true;
}

void DecoderChild::ReadErrors() {
  std::string line;
  char block[4096];
  while (const DWORD count = child_.ReadErrors(block, sizeof block)) {
    for (DWORD at = 0; at < count; ++at) {
      if (!IsReportLineEnd(block[at])) {
        line += block[at];
        continue;
      }
      const DecoderLine parsed = ParseDecoderLine(line);
      line.clear();
      if (parsed.kind == DecoderLine::Kind::Other) continue;
      std::lock_guard lock(mutex_);
      lines_.push_back(parsed);
      lineCame_.notify_one();
    }
  }
  std::lock_guard lock(mutex_);
  errorsEnded_ = true;
  lineCame_.notify_one();
}

std::optional<DecoderLine> DecoderChild::NextLine() {
  std::unique_lock lock(mutex_);
  if (!lineCame_.wait_for(lock, kLineWait, [this] { return !lines_.empty() || errorsEnded_; }) ||
      lines_.empty()) {
    return std::nullopt;
  }
  const DecoderLine line = lines_.front();
  lines_.pop_front();
  return line;
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
