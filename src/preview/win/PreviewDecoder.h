// What the frame maker asks of the decoder child that keeps the preview's
// input open: the movie filter's, which seeks by time (FrameDecoder), or
// the one the program feeds a transport stream from a keyframe's packet
// (FedDecoder).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace trellimux {

// Where a seek goes: to the last frame the decoder can land on at or
// before `microseconds` (the file's own time stamps), which is the
// keyframe given, when the keyframe list holds one.
struct SeekAim {
  std::int64_t microseconds = 0;
  std::optional<std::int64_t> keyframeUs;
  std::int64_t keyframeBytePos = -1;  // its packet's first byte; -1: not known
  std::int64_t targetUs = 0;  // the frame wanted: the first at or after it
};

class PreviewDecoder {
 public:
  virtual ~PreviewDecoder() = default;

  bool Serves(const std::string& inputPath, int width, int height) const {
    return inputPath == inputPath_ && width == width_ && height == height_;
  }

  // The time stamp of the last frame read since the last seek was carried
  // out, or just before the input's first after the start; nothing while a
  // seek is under way.
  std::optional<std::int64_t> DecodedUs() const { return decodedUs_; }

  // False when the child is gone, or when this decoder cannot go there
  // (the fed decoder without a known keyframe): another kind is then
  // needed.
  virtual bool Seek(const SeekAim& aim) = 0;

  struct Frame {
    std::string bitmap;
    std::optional<std::int64_t> microseconds;
    bool current = false;  // decoded after the last seek was carried out
    bool intra = false;    // decoded from itself alone
    // A picture shown between the last frame and this one was not decoded
    // (the fed decoder leaves out some on the way to the frame wanted).
    bool followsGap = false;
  };
  // The next frame; nothing once the child's output ended or broke off.
  virtual std::optional<Frame> Next() = 0;
  // After Next gave nothing: the fed decoder never saw the keyframe it was
  // fed from, so it cannot follow this stream; another kind is needed.
  virtual bool LostItsKeyframe() const { return false; }

  // From any thread: ends the child, so that a read under way ends.
  virtual void Terminate() = 0;

 protected:
  // At the start: what the decoder serves; it decodes from the input's
  // first frame on (a millisecond after `inputStartUs`, as the frame search
  // counts).
  void Serve(const std::string& inputPath, std::int64_t inputStartUs, int width, int height) {
    inputPath_ = inputPath;
    width_ = width;
    height_ = height;
    decodedUs_ = inputStartUs - 1000;
  }

  std::optional<std::int64_t> decodedUs_;

 private:
  std::string inputPath_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace trellimux
