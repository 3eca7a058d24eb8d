// Makes the Trim preview's frames beside the job machinery: a worker thread
// of its own runs ffmpeg.exe (and, for a keyframe, ffprobe.exe) hidden, one
// child at a time, and posts each finished frame to the window. A newer
// order supersedes the one being made: its child is ended at once and only
// the newest order's frame is ever posted, so a drag through many positions
// leaves at most one child running and shows where it stopped.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "preview/KeyframeCache.h"

namespace trellimux {

class ChildProcess;

// Posted to the window with the order's serial number as wParam.
inline constexpr UINT kPreviewFrameMessage = WM_APP + 1;

struct FrameOrder {
  unsigned serial = 0;
  unsigned input = 0;  // a new number for each probed input: its keyframes are its own
  std::string inputPath;
  std::int64_t positionMs = 0;         // the time asked for, from the input's start
  bool keyframe = false;               // the keyframe at or before it instead (Copy)
  std::int64_t startMicroseconds = 0;  // the input's start_time
  int width = 0;                       // the picture's size in the window
  int height = 0;
};

struct MadeFrame {
  unsigned serial = 0;
  std::int64_t timeMs = 0;  // the time the picture shows, as a cut time
  bool keyframe = false;    // a keyframe was found and shown
  std::string bitmap;       // what ffmpeg printed: a bitmap file, or nothing
};

class FrameMaker {
 public:
  // `toolDirectory` holds ffmpeg.exe and ffprobe.exe.
  FrameMaker(HWND window, std::string toolDirectory);
  FrameMaker(const FrameMaker&) = delete;
  FrameMaker& operator=(const FrameMaker&) = delete;
  // Ends a running child and waits for the worker.
  ~FrameMaker();

  // Replaces any order not yet finished.
  void Order(FrameOrder order);
  // Drops every order: nothing more is made or posted until the next one.
  void Cancel();
  // The frame of the message's serial number, when it is still the newest.
  std::optional<MadeFrame> Take(unsigned serial);

 private:
  void Work();
  MadeFrame Make(const FrameOrder& order);
  // The keyframe at or before the position, from the cache or a probe.
  std::optional<KeyframeBefore> KeyframeFor(const FrameOrder& order);
  // What the child printed; empty when it could not start or was superseded.
  std::string RunChild(bool probe, const std::string& arguments, unsigned serial);
  bool Superseded(unsigned serial);

  HWND window_;
  std::string toolDirectory_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<FrameOrder> pending_;
  unsigned newest_ = 0;  // the serial of the last order; 0: cancelled
  ChildProcess* running_ = nullptr;
  std::optional<MadeFrame> made_;
  bool quitting_ = false;
  // The worker's own.
  unsigned cachedInput_ = 0;
  std::optional<KeyframeCache> keyframes_;
  std::thread worker_;
};

}  // namespace trellimux
