#include "preview/win/FrameDecoder.h"

#include <chrono>

#include "jobs/win/ToolOutput.h"
#include "jobs/win/WholeFile.h"
#include "preview/BmpImage.h"
#include "text/ReportLines.h"

namespace trellimux {
namespace {

// A frame's line is printed before its bitmap, so it is there at once; a
// child that prints none is broken.
constexpr auto kLineWait = std::chrono::seconds(10);

}  // namespace

FrameDecoder::~FrameDecoder() {
  child_.Terminate();
  if (errorReader_.joinable()) errorReader_.join();
  child_.WaitAndClose();
}

bool FrameDecoder::Start(const std::string& toolDirectory, const std::string& graphScriptPath,
                         const std::string& inputPath, std::int64_t inputStartUs, int width,
                         int height) {
  inputPath_ = inputPath;
  width_ = width;
  height_ = height;
  if (WriteWholeFile(graphScriptPath, DecoderGraph(inputPath, width, height)) != 0 ||
      !StartTool(child_, toolDirectory, FfmpegTool::Ffmpeg, DecoderArguments(graphScriptPath),
                 true)) {
    return false;
  }
  // It decodes from the input's first frame on (a millisecond after this,
  // as the frame search counts).
  decodedUs_ = inputStartUs - 1000;
  errorReader_ = std::thread([this] { ReadErrors(); });
  return true;
}

bool FrameDecoder::Serves(const std::string& inputPath, int width, int height) const {
  return inputPath == inputPath_ && width == width_ && height == height_;
}

void FrameDecoder::Terminate() { child_.Terminate(); }

void FrameDecoder::ReadErrors() {
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

std::optional<DecoderLine> FrameDecoder::NextLine() {
  std::unique_lock lock(mutex_);
  if (!lineCame_.wait_for(lock, kLineWait, [this] { return !lines_.empty() || errorsEnded_; }) ||
      lines_.empty()) {
    return std::nullopt;
  }
  const DecoderLine line = lines_.front();
  lines_.pop_front();
  return line;
}

bool FrameDecoder::Seek(std::int64_t microseconds) {
  // ffmpeg drops a command silently until its graph is set up, which it is
  // once the first frame came; one seek at a time, or each waits for the
  // next look at the input (a tenth of a second).
  while (!framesCame_ || seeksOwed_ > 0) {
    if (!Next()) return false;
  }
  decodedUs_.reset();
  if (!child_.WriteInput(DecoderSeekLine(microseconds), false)) return false;
  ++seeksOwed_;
  return true;
}

std::optional<FrameDecoder::Frame> FrameDecoder::Next() {
  Frame frame;
  // "BM" and the file's size, then the rest of the file.
  frame.bitmap.resize(kBmpSizePrefix);
  auto readInto = [this](char* at, std::size_t size) {
    while (size > 0) {
      const DWORD count = child_.Read(at, static_cast<DWORD>(size));
      if (count == 0) return false;
      at += count;
      size -= count;
    }
    return true;
  };
  if (!readInto(frame.bitmap.data(), kBmpSizePrefix)) return std::nullopt;
  const std::optional<std::size_t> size = BmpFileSize(frame.bitmap);
  if (!size) return std::nullopt;
  frame.bitmap.resize(*size);
  if (!readInto(frame.bitmap.data() + kBmpSizePrefix, *size - kBmpSizePrefix)) return std::nullopt;

  framesCame_ = true;
  for (;;) {
    const std::optional<DecoderLine> line = NextLine();
    if (!line || line->kind == DecoderLine::Kind::SeekFailed) return std::nullopt;
    if (line->kind == DecoderLine::Kind::SeekDone) {
      if (seeksOwed_ > 0) --seeksOwed_;
      continue;
    }
    frame.current = seeksOwed_ == 0;
    if (line->hasTime) frame.microseconds = line->microseconds;
    frame.intra = line->intra;
    if (frame.current) decodedUs_ = frame.microseconds;
    return frame;
  }
}

}  // namespace trellimux
