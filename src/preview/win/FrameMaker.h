// Makes the Trim preview's frames beside the job machinery: a worker thread
// of its own runs ffmpeg.exe (and, for keyframes, ffprobe.exe) hidden and
// posts each finished frame to the window. A newer order supersedes the one
// being made and only the newest order's frame is ever posted, so a drag
// through many positions shows where it stopped.
//
// Under Wine a child's start costs about half a second, more than making a
// frame. So one decoder child keeps the input open for as long as the user
// looks and is told where to seek: an order costs only the frames decoded.
// While the user looks, the input's keyframes are listed ahead, window by
// window, by an ffprobe child read beside the orders, so that a seek lands
// just before the keyframe of the frame asked for. A plain transport
// stream needs no list for that: its keyframes are found in its packets
// (TransportSeek), and the decoder is the one fed from them (FedDecoder).
#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "preview/DecodedFrames.h"
#include "preview/DisposablePictures.h"
#include "preview/FrameSearch.h"
#include "preview/KeyframeCache.h"
#include "preview/win/BackgroundToolRun.h"
#include "preview/win/PreviewDecoder.h"
#include "process/win/InputFile.h"

namespace trellimux {

// Posted to the window with the order's serial number as wParam.
inline constexpr UINT kPreviewFrameMessage = WM_APP + 1;
// Posted when the listing ahead found more keyframes (TakeListedKeyframes).
inline constexpr UINT kPreviewKeyframesMessage = WM_APP + 4;

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
  VideoCoding coding = VideoCoding::Other;  // of its first video stream
  int videoPid = -1;  // that stream's packet identifier in a transport stream; -1: none
  // "Smart Copy": where the copy of a cut from this frame would begin is
  // found too.
  bool copyResumes = false;
  // A keyframe move: the frame asked for is the keyframe shown before (-1)
  // or after (+1) the position, instead of the position's.
  int keyframeStep = 0;
};

struct MadeFrame {
  unsigned serial = 0;
  std::int64_t timeMs = 0;  // the time the picture shows, as a cut time
  bool keyframe = false;    // a keyframe was found and shown
  std::string bitmap;       // what ffmpeg printed: a bitmap file, or nothing
  // The first keyframe shown at or after the frame, as a cut time's
  // milliseconds, when the order asked and the file tells.
  std::optional<std::int64_t> copyFromMs;
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
  // The keyframes listed since the last call, as the milliseconds from the
  // input's start at which each is the frame shown; for the input of
  // `input` (FrameOrder::input) only.
  std::vector<std::int64_t> TakeListedKeyframes(unsigned input);

 private:
  void Work();
  MadeFrame Make(const FrameOrder& order);
  // The keyframe at or before the position from the list made ahead, else
  // in Copy mode (which must show ffmpeg's own) from a probe, or from the
  // input's own packets when it is a transport stream that can be read so.
  std::optional<KeyframeBefore> KeyframeFor(const FrameOrder& order);
  bool FindsKeyframesInFile() const;
  // The keyframe of the file last shown at or before `us`, or (`after`)
  // first shown at or after it.
  std::optional<Keyframe> KeyframeInFileNear(const FrameOrder& order, std::int64_t us,
                                             bool after) const;
  // Where a keyframe move goes; nothing when the file does not tell.
  std::optional<std::int64_t> KeyframeStepMs(const FrameOrder& order) const;
  std::optional<KeyframeBefore> KeyframeInFile(const FrameOrder& order) const;
  // The bitmap of the goal's frame; nothing when superseded or when no
  // decoder could make it.
  std::string Decode(const FrameOrder& order, const FrameGoal& goal);
  // Refused: the fed decoder cannot seek there (no keyframe listed) or
  // lost its place (the keyframe it was fed from never came).
  enum class SearchEnd { Found, Superseded, DecoderEnded, Refused };
  // Seeks (unless `seek` is nothing) and reads the decoder up to the
  // search's frame; `bitmap` is that frame, or the last one read when the
  // decoder's output ended first.
  SearchEnd Search(unsigned serial, FrameSearch& search, std::optional<std::int64_t> seek,
                   std::string& bitmap);
  // The worker's work while no order waits: the decoder started again (or
  // as the fed one), else the listing of the next window of keyframes
  // started.
  bool HasWorkAhead() const;
  void WorkAhead();
  // Adds what the finished listing found to the keyframes.
  void CollectListing();
  void EndListing();
  bool StartDecoder(const FrameOrder& order);
  // The fed decoder serves input_ from now on: a plain MPEG-TS whose
  // keyframes are found in the file or all listed, and that no seek had to
  // refuse.
  bool WantsFedDecoder() const;
  // Seeks (towards aim_'s keyframe), and marks the frames kept so far as
  // not followed by the next; nothing while the seek is under way, else
  // how the search ends.
  std::optional<SearchEnd> SeekDecoder(std::int64_t microseconds);
  void EndDecoder();
  // What ffprobe printed; nothing when it was ended for an order.
  std::optional<std::string> Probe(const std::string& arguments, unsigned serial);
  // `serial` 0: work ahead, which any order supersedes.
  bool Superseded(unsigned serial);
  bool SupersededLocked(unsigned serial) const;  // with the mutex held

  HWND window_;
  std::string toolDirectory_;
  std::string scriptPath_;  // the decoder's filter graph
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<FrameOrder> pending_;
  unsigned newest_ = 0;     // the serial of the last order; 0: cancelled
  bool workAhead_ = false;  // from an order until a cancel
  // Keyframes are listed ahead only from this moment on, a little after the
  // last order: a drag keeps the decoder the only child.
  std::chrono::steady_clock::time_point quietFrom_;
  BackgroundToolRun* probing_ = nullptr;      // a Copy move's keyframe probe
  PreviewDecoder* liveDecoder_ = nullptr;     // decoder_, for ending it from any thread
  BackgroundToolRun* liveListing_ = nullptr;  // listing_, the same
  bool listingDone_ = false;
  std::optional<MadeFrame> made_;
  bool quitting_ = false;
  std::vector<std::int64_t> listedKeyframes_;  // since the last take
  unsigned listedInput_ = 0;                   // whose they are
  // The worker's own.
  std::optional<FrameOrder> input_;         // the last order's input, listed ahead
  std::optional<KeyframeCache> keyframes_;  // input_'s
  std::unique_ptr<PreviewDecoder> decoder_;
  bool decoderFed_ = false;   // decoder_ is a FedDecoder
  InputFile inputFile_;       // input_, where its keyframes are looked for
  bool feedable_ = false;     // input_ is a plain MPEG-TS
  bool feedRefused_ = false;  // a seek in input_ needed the movie decoder
  SeekAim aim_;               // the keyframe of the order being made
  DecodedFrames decoded_;     // of input_ at its picture size
  std::unique_ptr<BackgroundToolRun> listing_;
  KeyframeCache::Window listingWindow_;
  bool decoderFailed_ = false;  // it could not be started: not again until the next order
  std::thread worker_;
};

}  // namespace trellimux
