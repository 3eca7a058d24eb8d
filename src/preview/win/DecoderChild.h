// A preview decoder's child and its two outputs: a bitmap file for each
// frame on standard output, read one at a time, and the frame's line on
// standard error, which a thread of its own reads, so that only the unread
// bitmaps hold the child.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "jobs/win/ChildProcess.h"
#include "preview/DecoderCommand.h"

namespace trellimux {

class DecoderChild {
 public:
  DecoderChild() = default;
  DecoderChild(const DecoderChild&) = delete;
  DecoderChild& operator=(const DecoderChild&) = delete;
  // Ends the child and waits for the reading thread.
  ~DecoderChild();

  // Starts ffmpeg.exe from `toolDirectory`; false when it could not be.
  bool Start(const std::string& toolDirectory, const std::string& arguments);

  // The next bitmap file whole; nothing once the output ended or broke off.
  std::optional<std::string> NextBitmap();
  // The next frame's or seek's line; nothing when standard error ended or
  // no line came in time.
  std::optional<DecoderLine> NextLine();

  bool WriteInput(std::string_view bytes, bool last) { return child_.WriteInput(bytes, last); }
  // From any thread: ends the child, so that a read or write under way ends.
  void Terminate() { child_.Terminate(); }

 private:
  void ReadErrors();

  ChildProcess child_;
  std::mutex mutex_;
  std::condition_variable lineCame_;
  std::deque<DecoderLine> lines_;
  bool errorsEnded_ = false;
  std::thread errorReader_;
};

}  // namespace trellimux
