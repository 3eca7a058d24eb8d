// A preview decoder's child and its two outputs: a bitmap file for each
// frame on standard output, read one at a time, and the frame's line on
// standard error. Standard error goes to a temporary file, read as lines
// are asked for: ffmpeg writes each frame's line in a dozen pieces, and
// through a pipe each piece cost round trips through Wine's server for the
// child and for the reader (about a millisecond a frame in all).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "preview/DecoderCommand.h"
#include "process/win/ChildProcess.h"

namespace trellimux {

class DecoderChild {
 public:
  DecoderChild() = default;
  DecoderChild(const DecoderChild&) = delete;
  DecoderChild& operator=(const DecoderChild&) = delete;
  // Ends the child; its standard error's file goes with it.
  ~DecoderChild();

  // Starts ffmpeg.exe from `toolDirectory`; false when it could not be.
  bool Start(const std::string& toolDirectory, const std::string& arguments);

  // The next bitmap file whole; nothing once the output ended or broke off.
  std::optional<std::string> NextBitmap();
  // The next frame's or seek's line; nothing when the child ended without
  // one more, or none came in time.
  std::optional<DecoderLine> NextLine();

  bool WriteInput(std::string_view bytes, bool last) { return child_.WriteInput(bytes, last); }
  // From any thread: ends the child, so that a read or write under way ends.
  void Terminate() { child_.Terminate(); }

 private:
  // Reads on in the file; whether there was more.
  bool ReadMoreErrors();

  ChildProcess child_;
  HANDLE errors_ = INVALID_HANDLE_VALUE;  // the file, read from where the last read ended
  std::string unread_;                    // read from it, not yet taken as lines
};

}  // namespace trellimux
