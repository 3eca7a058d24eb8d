// The Trim preview's decoder child (see preview/DecoderCommand.h): started
// for one input and picture size, told where to seek through its standard
// input, read one frame at a time. A thread of its own reads the frames'
// lines from standard error, so that only the unread frames hold the child.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "jobs/win/ChildProcess.h"
#include "preview/DecoderCommand.h"

namespace trellimux {

class FrameDecoder {
 public:
  FrameDecoder() = default;
  FrameDecoder(const FrameDecoder&) = delete;
  FrameDecoder& operator=(const FrameDecoder&) = delete;
  // Ends the child.
  ~FrameDecoder();

  // Writes the graph to `graphScriptPath` and starts ffmpeg.exe from
  // `toolDirectory` on it; false when it could not be started.
  bool Start(const std::string& toolDirectory, const std::string& graphScriptPath,
             const std::string& inputPath, std::int64_t inputStartUs, int width, int height);
  bool Serves(const std::string& inputPath, int width, int height) const;

  // The time stamp of the last frame read since the last seek was carried
  // out, or just before the input's first after the start; nothing while a
  // seek is under way.
  std::optional<std::int64_t> DecodedUs() const { return decodedUs_; }

  // Sends a seek, after reading over the first frame and what an earlier
  // seek still owes; false when the child is gone.
  bool Seek(std::int64_t microseconds);

  struct Frame {
    std::string bitmap;
    std::optional<std::int64_t> microseconds;
    bool current = false;  // decoded after the last seek was carried out
    bool intra = false;    // decoded from itself alone
  };
  // The next frame; nothing once the child's output ended or broke off.
  std::optional<Frame> Next();

  // From any thread: ends the child, so that a read under way ends.
  void Terminate();

 private:
  void ReadErrors();
  // The next frame's or seek's line; nothing when the child's standard
  // error ended or it printed no line for a frame in time.
  std::optional<DecoderLine> NextLine();

  ChildProcess child_;
  std::string inputPath_;
  int width_ = 0;
  int height_ = 0;
  std::optional<std::int64_t> decodedUs_;
  int seeksOwed_ = 0;  // seeks sent whose answer was not read yet
  bool framesCame_ = false;  // its graph is set up: it takes seeks
  std::mutex mutex_;
  std::condition_variable lineCame_;
  std::deque<DecoderLine> lines_;
  bool errorsEnded_ = false;
  std::thread errorReader_;
};

}  // namespace trellimux
