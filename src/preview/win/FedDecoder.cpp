#include "preview/win/FedDecoder.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "preview/DecoderCommand.h"
#include "preview/FrameSearch.h"
#include "transport/TransportPackets.h"

namespace trellimux {
namespace {

// Pictures shown this little before the frame asked for are all fed, so
// that stepping back a few frames from it finds them made: six at 25
// frames a second.
constexpr std::int64_t kAllFedBeforeTargetUs = 240000;
// Frames in ffmpeg from before a seek: its reading buffer, the decoder's
// threads and reordering, the frame under way: eight or nine were measured
// in the program on two cores. A keyframe that has not come after several
// times as many never will: ffmpeg does not show this stream's keyframes.
constexpr int kMostFramesBeforeKeyframe = 60;

}  // namespace

FedDecoder::~FedDecoder() {
  child_.Terminate();  // a write under way fails: the feeding thread ends
  if (feeder_.joinable()) feeder_.join();
}

bool FedDecoder::CanFeed(const InputFile& input) {
  return IsPlainTransportStream(
      input.ReadAt(0, kTransportPacketBytes * kTransportPacketsChecked));
}

bool FedDecoder::CanFeed(const std::string& inputPath) {
  InputFile input;
  return input.Open(inputPath) && CanFeed(input);
}

bool FedDecoder::Start(const std::string& toolDirectory, const std::string& inputPath,
                       std::int64_t inputStartUs, int width, int height, VideoCoding coding) {
  Serve(inputPath, inputStartUs, width, height);
  if (!input_.Open(inputPath) ||
      !child_.Start(toolDirectory, FedDecoderArguments(width, height))) {
    return false;
  }
  feed_.emplace(
      [this](std::int64_t offset, std::size_t size) { return input_.ReadAt(offset, size); },
      coding);
  feeder_ = std::thread([this] { Feed(); });
  return true;
}

void FedDecoder::Feed() {
  for (;;) {
    {
      std::lock_guard lock(feedMutex_);
      if (feedJump_) feed_->JumpTo(*std::exchange(feedJump_, std::nullopt));
    }
    const std::string bytes = feed_->Next();
    {
      TransportFeed::LeftOut leftOut = feed_->TakeLeftOut();
      std::lock_guard lock(feedMutex_);
      if (leftOut.jump == seeks_)
        leftOutUs_.insert(leftOutUs_.end(), leftOut.microseconds.begin(),
                          leftOut.microseconds.end());
      // At the input's end ffmpeg gives out the frames it still holds and
      // ends, as the movie decoder does there; unless a seek came meanwhile.
      if (bytes.empty() && feedJump_) continue;
    }
    if (!child_.WriteInput(bytes, bytes.empty()) || bytes.empty()) return;
  }
}

bool FedDecoder::Seek(const SeekAim& aim) {
  if (!aim.keyframeUs || aim.keyframeBytePos < 0 ||
      aim.keyframeBytePos % static_cast<std::int64_t>(kTransportPacketBytes) != 0) {
    return false;
  }
  {
    std::lock_guard lock(feedMutex_);
    feedJump_ = {aim.keyframeBytePos, aim.targetUs - kAllFedBeforeTargetUs, ++seeks_};
    leftOutUs_.clear();
  }
  awaitedUs_ = keyframeUs_ = *aim.keyframeUs;
  framesBeforeKeyframe_ = 0;
  decodedUs_.reset();
  return true;
}

bool FedDecoder::GapBefore(std::int64_t microseconds) {
  if (!decodedUs_) return false;
  std::lock_guard lock(feedMutex_);
  return std::any_of(leftOutUs_.begin(), leftOutUs_.end(), [&](std::int64_t leftOut) {
    return leftOut > *decodedUs_ + kFrameTimeSlackUs && leftOut < microseconds - kFrameTimeSlackUs;
  });
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
  if (frame.current) {
    frame.followsGap = frame.microseconds && GapBefore(*frame.microseconds);
    decodedUs_ = frame.microseconds;
  }
  return frame;
}

}  // namespace trellimux
