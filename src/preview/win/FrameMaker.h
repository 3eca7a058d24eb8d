// Makes the Trim preview's frames beside the job machinery: a worker thread
// of its own runs ffmpeg.exe (and, for keyframes, ffprobe.exe) hidden, one
// child at a time, and posts each finished frame to the window. A newer
// order supersedes the one being made: its child is ended at once and only
// the newest order's frame is ever posted, so a drag through many positions
// leaves at most one child running and shows where it stopped.
//
// Under Wine a child's start costs about half a second, more than making
// the frame. So while the user looks, the worker lists the input's
// keyframes ahead, window by window, and then starts the next frame child
// so that it waits for its frame: an order then costs only the frame.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "jobs/win/ChildProcess.h"
#include "preview/KeyframeCache.h"

namespace trellimux {

// Posted to the window with the order's serial number as wParam.
inline constexpr UINT kPreviewFrameMessage = WM_APP + 1;

struct FrameOrder {
  unsigned serial = 0;
  unsigned input = 0;  // a new number for each probed input: its keyframes are its own
  std::string inputPath;
  std::int64_t positionMs = 0;         // the time asked for, from the input's start
  bool keyframe = false;               // the keyframe at or before it instead (Copy)
  std::int64_t startMicroseconds = 0;  // the input's start_time
  std::int64_t durationMs = 0;         // how far its keyframes are listed ahead
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
  // Ends the children and waits for the worker.
  ~FrameMaker();

  // Replaces any order not yet finished.
  void Order(FrameOrder order);
  // Drops every order and ends every child: nothing more is made, listed
  // ahead or posted until the next order.
  void Cancel();
  // The frame of the message's serial number, when it is still the newest.
  std::optional<MadeFrame> Take(unsigned serial);

 private:
  void Work();
  MadeFrame Make(const FrameOrder& order);
  // The keyframe at or before the position, from the list made ahead or a
  // probe.
  std::optional<KeyframeBefore> KeyframeFor(const FrameOrder& order);
  // The worker's work while no order waits: the next window of keyframes,
  // else a frame child started to wait.
  bool HasWorkAhead() const;
  void WorkAhead();
  bool StartWaitingChild();
  void EndWaitingChild();
  // What ffprobe printed; nothing when it was ended for an order.
  std::optional<std::string> Probe(const std::string& arguments, unsigned serial);
  // Publishes the started child to the orders that may end it and reads it
  // to its end; nothing when it was ended for an order.
  std::optional<std::string> ReadToEnd(ChildProcess& child, unsigned serial);
  // `serial` 0: work ahead, which any order supersedes.
  bool Superseded(unsigned serial);
  bool SupersededLocked(unsigned serial) const;  // with the mutex held

  HWND window_;
  std::string toolDirectory_;
  std::string scriptPath_;  // the waiting child's filter script
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<FrameOrder> pending_;
  unsigned newest_ = 0;  // the serial of the last order; 0: cancelled
  bool workAhead_ = false;  // from an order until a cancel
  ChildProcess* running_ = nullptr;
  bool endedEarly_ = false;  // the running child was ended for an order
  std::optional<MadeFrame> made_;
  bool quitting_ = false;
  // The worker's own.
  std::optional<FrameOrder> input_;  // the last order's input, listed ahead
  std::optional<KeyframeCache> keyframes_;  // input_'s
  std::unique_ptr<ChildProcess> waiting_;
  bool waitingFailed_ = false;  // no child could be started: none until the next order
  std::thread worker_;
};

}  // namespace trellimux
