#include "preview/win/FedDecoder.h"

#include <cstdlib>
#include <utility>

#include "preview/DecoderCommand.h"
#include "preview/FrameSearch.h"
#include "preview/TransportPackets.h"

namespace trellimux {
namespace {

// What the feeding thread writes at a time: whole packets, about a frame of
// a broadcast 1080i stream. ffmpeg reads it as it decodes, so after a seek
// at most this and the pipe's buffer of the old place are still decoded.
constexpr DWORD kFeedBlockBytes = 174 * kTransportPacketBytes;
// Frames in ffmpeg from before a seek: its reading buffer, the decoder's
// threads and reordering, the frame under way: eight or nine were measured
// in the program on two cores. A keyframe that has not come after several
// times as many never will: ffmpeg does not show this stream's keyframes.
constexpr int kMostFramesBeforeKeyframe = 60;

HANDLE OpenForFeeding(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

}  // namespace

FedDecoder::~FedDecoder() {
  child_.Terminate();  // a write under way fails: the feeding thread ends
  if (feeder_.joinable()) feeder_.join();
  if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
}

bool FedDecoder::CanFeed(const std::string& inputPath) {
  const HANDLE file = OpenForFeeding(inputPath);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string head(kTransportPacketBytes * kTransportPacketsChecked, '\0');
  DWORD count = 0;
  const bool read = ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &count, nullptr);
  CloseHandle(file);
  head.resize(read ? count : 0);
  return IsPlainTransportStream(head);
}

bool FedDecoder::Start(const std::string& toolDirectory, const std::string& inputPath,
                       std::int64_t inputStartUs, int width, int height) {
  Serve(inputPath, inputStartUs, width, height);
  input_ = OpenForFeeding(inputPath);
  if (input_ == INVALID_HANDLE_VALUE ||
      !child_.Start(toolDirectory, FedDecoderArguments(width, height))) {
    return false;
  }
  feeder_ = std::thread([this] { Feed(); });
  return true;
}

DWORD FedDecoder::ReadAt(std::int64_t offset, char* into, DWORD size) {
  LARGE_INTEGER at;
  at.QuadPart = offset;
  DWORD count = 0;
  if (!SetFilePointerEx(input_, at, nullptr, FILE_BEGIN) ||
      !ReadFile(input_, into, size, &count, nullptr)) {
    return 0;
  }
  return count;
}

void FedDecoder::Feed() {
  std::string block(kFeedBlockBytes, '\0');
  std::int64_t at = 0;
  for (;;) {
    std::optional<std::int64_t> jump;
    {
      std::lock_guard lock(feedMutex_);
      jump = feedFrom_;
    }
    const DWORD count = ReadAt(at, block.data(), kFeedBlockBytes);
    std::string_view bytes(block.data(), count);
    if (jump) {
      // The frame under way is fed whole first: one cut short leaves the
      // decoder waiting for the rest, and it then drops the keyframe's
      // first frames as out of order (measured with ffmpeg.exe 4.1).
      char first[kTransportPacketBytes];
      const int pid =
          ReadAt(*jump, first, sizeof first) == sizeof first ? PacketPid({first, sizeof first}) : -1;
      const std::size_t frameEnd = pid < 0 ? 0 : NextPesStart(bytes, pid);
      if (frameEnd != std::string_view::npos || bytes.empty()) {
        if (frameEnd != std::string_view::npos && frameEnd > 0 &&
            !child_.WriteInput(bytes.substr(0, frameEnd), false)) {
          return;
        }
        std::lock_guard lock(feedMutex_);
        at = *std::exchange(feedFrom_, std::nullopt);
        continue;
      }
    }
    // At the input's end ffmpeg gives out the frames it still holds and
    // ends, as the movie decoder does there.
    if (bytes.empty()) {
      {
        std::lock_guard lock(feedMutex_);
        if (feedFrom_) continue;  // a seek came meanwhile
      }
      child_.WriteInput({}, true);
      return;
    }
    if (!child_.WriteInput(bytes, false)) return;
    at += count;
  }
}

bool FedDecoder::Seek(const SeekAim& aim) {
  if (!aim.keyframeUs || aim.keyframeBytePos < 0 ||
      aim.keyframeBytePos % static_cast<std::int64_t>(kTransportPacketBytes) != 0) {
    return false;
  }
  {
    std::lock_guard lock(feedMutex_);
    feedFrom_ = aim.keyframeBytePos;
  }
  awaitedUs_ = keyframeUs_ = *aim.keyframeUs;
  framesBeforeKeyframe_ = 0;
  decodedUs_.reset();
  return true;
}

std::optional<PreviewDecoder::Frame> FedDecoder::Next() {
  std::optional<std::string> bitmap = child_.NextBitmap();
  if (!bitmap) return std::nullopt;
  std::optional<DecoderLine> line;
  do {
    line = child_.NextLine();
    if (!line) return std::nullopt;
  } while (line->kind != DecoderLine::Kind::Frame);
  Frame frame{std::move(*bitmap), std::nullopt, false, line->intra};
  if (line->hasTime) frame.microseconds = line->microseconds;
  if (awaitedUs_) {
    if (frame.microseconds && std::llabs(*frame.microseconds - *awaitedUs_) <= kFrameTimeSlackUs) {
      awaitedUs_.reset();
    } else if (++framesBeforeKeyframe_ > kMostFramesBeforeKeyframe) {
      lostKeyframe_ = true;
      return std::nullopt;
    }
  }
  // Frames shown before the keyframe that come after it refer to pictures
  // from before the seek: they are not the file's.
  frame.current = !awaitedUs_ && (!frame.microseconds || !keyframeUs_ ||
                                  *frame.microseconds >= *keyframeUs_ - kFrameTimeSlackUs);
  if (frame.current) decodedUs_ = frame.microseconds;
  return frame;
}

}  // namespace trellimux
