#include "preview/win/FrameMaker.h"

#include "jobs/ChildCommandLine.h"
#include "jobs/ToolInvocation.h"
#include "jobs/win/ChildProcess.h"
#include "preview/FrameRequest.h"
#include "preview/PreviewSource.h"
#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {

FrameMaker::FrameMaker(HWND window, std::string toolDirectory)
    : window_(window), toolDirectory_(std::move(toolDirectory)), worker_([this] { Work(); }) {}

FrameMaker::~FrameMaker() {
  {
    std::lock_guard lock(mutex_);
    quitting_ = true;
    newest_ = 0;
    if (running_) running_->Terminate();
  }
  wake_.notify_one();
  worker_.join();
}

void FrameMaker::Order(FrameOrder order) {
  std::lock_guard lock(mutex_);
  newest_ = order.serial;
  pending_ = std::move(order);
  if (running_) running_->Terminate();
  wake_.notify_one();
}

void FrameMaker::Cancel() {
  std::lock_guard lock(mutex_);
  newest_ = 0;
  pending_.reset();
  made_.reset();
  if (running_) running_->Terminate();
}

std::optional<MadeFrame> FrameMaker::Take(unsigned serial) {
  std::lock_guard lock(mutex_);
  if (!made_ || made_->serial != serial || serial != newest_) return std::nullopt;
  std::optional<MadeFrame> frame = std::move(made_);
  made_.reset();
  return frame;
}

bool FrameMaker::Superseded(unsigned serial) {
  std::lock_guard lock(mutex_);
  return serial != newest_ || quitting_;
}

void FrameMaker::Work() {
  for (;;) {
    FrameOrder order;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return quitting_ || pending_.has_value(); });
      if (quitting_) return;
      order = std::move(*pending_);
      pending_.reset();
    }
    MadeFrame frame = Make(order);
    std::lock_guard lock(mutex_);
    if (order.serial != newest_ || quitting_) continue;
    made_ = std::move(frame);
    PostMessageA(window_, kPreviewFrameMessage, order.serial, 0);
  }
}

std::optional<KeyframeBefore> FrameMaker::KeyframeFor(const FrameOrder& order) {
  if (!keyframes_ || cachedInput_ != order.input) {
    keyframes_.emplace(order.startMicroseconds);
    cachedInput_ = order.input;
  }
  KeyframeCache::Lookup found = keyframes_->Find(order.positionMs);
  if (found.known) return found.keyframe;
  const KeyframeCache::Window window = KeyframeCache::WindowAround(order.positionMs);
  const std::string packets = RunChild(
      true,
      KeyframeListArguments(order.inputPath, order.startMicroseconds, window.fromMs, window.toMs),
      order.serial);
  // A probe ended early lists only part of its window.
  if (packets.empty() || Superseded(order.serial)) return std::nullopt;
  keyframes_->Add(window, ParseKeyframes(packets));
  return keyframes_->Find(order.positionMs).keyframe;
}

MadeFrame FrameMaker::Make(const FrameOrder& order) {
  MadeFrame frame{order.serial, order.positionMs, false, {}};
  // Read from just before the keyframe at or before the position: a seek
  // straight to the position may land past that keyframe and show a later
  // one.
  const std::optional<KeyframeBefore> keyframe = KeyframeFor(order);
  if (Superseded(order.serial)) return frame;
  const std::int64_t seekMs = keyframe ? keyframe->seekMs : order.positionMs;
  std::int64_t timeMs = order.positionMs;
  if (order.keyframe && keyframe) {
    frame.keyframe = true;
    frame.timeMs = KeyframeCutMs(keyframe->ptsMicroseconds);
    timeMs = keyframe->ptsMicroseconds / 1000;  // floored: the keyframe is the first frame after it
  }
  frame.bitmap = RunChild(false,
                          FrameArguments(order.inputPath, seekMs, order.startMicroseconds, timeMs,
                                         order.width, order.height),
                          order.serial);
  return frame;
}

std::string FrameMaker::RunChild(bool probe, const std::string& arguments, unsigned serial) {
  if (Superseded(serial)) return {};
  const std::string program =
      ToolPath(toolDirectory_, probe ? FfmpegTool::Ffprobe : FfmpegTool::Ffmpeg);
  const std::optional<std::string> commandLine = ChildCommandLine(program, arguments);
  ChildProcess child;
  // With a console of its own, as job children start: started without one
  // (CREATE_NO_WINDOW), a child ended early could leave Wine's headless
  // console host behind, and with it the whole Wine session.
  if (!commandLine || child.Start(program, *commandLine) != 0) return {};
  {
    // Published only now: an order that came during the start ends it here.
    std::lock_guard lock(mutex_);
    if (serial != newest_ || quitting_) child.Terminate();
    running_ = &child;
  }
  std::string output = child.ReadToEnd();
  {
    std::lock_guard lock(mutex_);
    running_ = nullptr;
  }
  child.WaitAndClose();
  return output;
}

}  // namespace trellimux
