// The Trim preview's decoder for a plain MPEG-TS (see FedDecoderArguments):
// a thread of its own writes the file to ffmpeg's standard input as fast
// as ffmpeg reads it (TransportFeed), and a seek makes it go on from a
// keyframe's packet (listed by ffprobe, or found in the file), without the
// pictures on the way that nothing refers to. ffmpeg decodes on all
// cores, about twice as fast as the movie filter's one thread. The frames
// still in ffmpeg from before a seek come first; the first frame with the
// keyframe's time stamp is the first from there.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "preview/TransportFeed.h"
#include "preview/win/DecoderChild.h"
#include "preview/win/PreviewDecoder.h"
#include "process/win/InputFile.h"

namespace trellimux {

class FedDecoder final : public PreviewDecoder {
 public:
  FedDecoder() = default;
  // Ends the child and waits for the feeding thread.
  ~FedDecoder() override;

  // Whether the file can be fed this way: a plain MPEG-TS.
  static bool CanFeed(const InputFile& input);
  static bool CanFeed(const std::string& inputPath);

  // Opens the input and starts ffmpeg.exe from `toolDirectory`, fed from
  // the input's first byte; false when either failed. `coding` is its
  // first video stream's: which pictures can be left out.
  bool Start(const std::string& toolDirectory, const std::string& inputPath,
             std::int64_t inputStartUs, int width, int height, VideoCoding coding);

  // Feeds on from the aim's keyframe; false only without one (a
  // child that ended shows as the end of its frames). Pictures nothing
  // refers to that are shown well before the aim's target are left out.
  bool Seek(const SeekAim& aim) override;
  std::optional<Frame> Next() override;
  bool LostItsKeyframe() const override { return lostKeyframe_; }
  void Terminate() override { child_.Terminate(); }

 private:
  void Feed();
  // Whether a picture was left out between the last frame read since the
  // seek (decodedUs_) and one at `microseconds`.
  bool GapBefore(std::int64_t microseconds);

  DecoderChild child_;
  InputFile input_;
  // After a seek: the keyframe's time stamp, until its frame came.
  std::optional<std::int64_t> awaitedUs_;
  std::optional<std::int64_t> keyframeUs_;  // the last seek's: frames before it are not from there
  int framesBeforeKeyframe_ = 0;
  bool lostKeyframe_ = false;
  std::mutex feedMutex_;
  // Guarded by feedMutex_:
  std::optional<TransportFeed::Jump> feedJump_;  // a seek the feeding thread has yet to take
  unsigned seeks_ = 0;                           // the serial of the last seek
  std::vector<std::int64_t> leftOutUs_;          // pictures its jump left out so far
  // The feeding thread's own.
  std::optional<TransportFeed> feed_;
  std::thread feeder_;
};

}  // namespace trellimux
