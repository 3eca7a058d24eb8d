#include "preview/win/FrameMaker.h"

#include <atomic>

#include "jobs/win/ToolOutput.h"
#include "jobs/win/WholeFile.h"
#include "preview/FrameRequest.h"
#include "preview/PreviewSource.h"
#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {
namespace {

// The waiting child's filter script: one file for each maker.
std::string ScriptPath() {
  static std::atomic<unsigned> made{0};
  return ProgramTempFilePath("frame") + "-" + std::to_string(++made) + ".txt";
}

}  // namespace

FrameMaker::FrameMaker(HWND window, std::string toolDirectory)
    : window_(window),
      toolDirectory_(std::move(toolDirectory)),
      scriptPath_(ScriptPath()),
      worker_([this] { Work(); }) {}

FrameMaker::~FrameMaker() {
  {
    std::lock_guard lock(mutex_);
    quitting_ = true;
    newest_ = 0;
    if (running_) running_->Terminate();
  }
  wake_.notify_one();
  worker_.join();
  DeleteFileA(scriptPath_.c_str());
}

void FrameMaker::Order(FrameOrder order) {
  std::lock_guard lock(mutex_);
  newest_ = order.serial;
  pending_ = std::move(order);
  workAhead_ = true;
  if (running_) endedEarly_ = running_->Terminate();
  wake_.notify_one();
}

void FrameMaker::Cancel() {
  std::lock_guard lock(mutex_);
  newest_ = 0;
  pending_.reset();
  made_.reset();
  workAhead_ = false;
  if (running_) endedEarly_ = running_->Terminate();
  wake_.notify_one();
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
  return SupersededLocked(serial);
}

bool FrameMaker::SupersededLocked(unsigned serial) const {
  if (serial == 0) return pending_.has_value() || !workAhead_ || quitting_;
  return serial != newest_ || quitting_;
}

void FrameMaker::Work() {
  for (;;) {
    std::optional<FrameOrder> order;
    bool ahead = false;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] {
        return quitting_ || pending_.has_value() || (workAhead_ ? HasWorkAhead() : !!waiting_);
      });
      if (quitting_) break;
      order = std::move(pending_);
      pending_.reset();
      ahead = workAhead_;
    }
    if (!order) {
      if (ahead)
        WorkAhead();
      else
        EndWaitingChild();  // cancelled: no child stays while a job runs
      continue;
    }
    MadeFrame frame = Make(*order);
    std::lock_guard lock(mutex_);
    if (order->serial != newest_ || quitting_) continue;
    made_ = std::move(frame);
    PostMessageA(window_, kPreviewFrameMessage, order->serial, 0);
  }
  EndWaitingChild();
}

bool FrameMaker::HasWorkAhead() const {
  if (!input_ || !keyframes_) return false;
  return keyframes_->NextIndexWindow(input_->durationMs) || (!waiting_ && !waitingFailed_);
}

void FrameMaker::WorkAhead() {
  const std::optional<KeyframeCache::Window> window =
      keyframes_->NextIndexWindow(input_->durationMs);
  if (!window) {
    StartWaitingChild();
    return;
  }
  // A probe that failed lists nothing: its window then has no keyframes
  // and frames there are read from their own time, as without a list.
  const std::optional<std::string> packets =
      Probe(KeyframeListArguments(input_->inputPath, input_->startMicroseconds, window->fromMs,
                                  window->toMs),
            0);
  if (packets) keyframes_->Add(*window, ParseKeyframes(*packets));
}

bool FrameMaker::StartWaitingChild() {
  if (waiting_) return true;
  auto child = std::make_unique<ChildProcess>();
  waitingFailed_ = !StartTool(*child, toolDirectory_, FfmpegTool::Ffmpeg,
                              WaitingFrameArguments("pipe:0", scriptPath_));
  if (!waitingFailed_) waiting_ = std::move(child);
  return !waitingFailed_;
}

void FrameMaker::EndWaitingChild() {
  if (!waiting_) return;
  waiting_->Terminate();
  waiting_->WaitAndClose();
  waiting_.reset();
}

std::optional<KeyframeBefore> FrameMaker::KeyframeFor(const FrameOrder& order) {
  KeyframeCache::Lookup found = keyframes_->Find(order.positionMs);
  if (found.known) return found.keyframe;
  const KeyframeCache::Window window = KeyframeCache::WindowAround(order.positionMs);
  const std::optional<std::string> packets = Probe(
      KeyframeListArguments(order.inputPath, order.startMicroseconds, window.fromMs, window.toMs),
      order.serial);
  if (!packets || packets->empty()) return std::nullopt;
  keyframes_->Add(window, ParseKeyframes(*packets));
  return keyframes_->Find(order.positionMs).keyframe;
}

MadeFrame FrameMaker::Make(const FrameOrder& order) {
  if (!keyframes_ || !input_ || input_->input != order.input)
    keyframes_.emplace(order.startMicroseconds);
  input_ = order;
  waitingFailed_ = false;
  MadeFrame frame{order.serial, order.positionMs, false, {}};
  // Read from just before the keyframe at or before the position: a seek
  // straight to the position may land past that keyframe and show a later
  // one.
  const std::optional<KeyframeBefore> keyframe = KeyframeFor(order);
  if (Superseded(order.serial) || !StartWaitingChild()) return frame;
  // A newer order finds the child still waiting.
  if (Superseded(order.serial)) return frame;
  const std::int64_t seekMs = keyframe ? keyframe->seekMs : order.positionMs;
  std::int64_t timeMs = order.positionMs;
  if (order.keyframe && keyframe) {
    frame.keyframe = true;
    frame.timeMs = KeyframeCutMs(keyframe->ptsMicroseconds);
    timeMs = keyframe->ptsMicroseconds / 1000;  // floored: the keyframe is the first frame after it
  }
  const FrameInput input = WaitingFrameInput(order.inputPath, seekMs, order.startMicroseconds,
                                             timeMs, order.width, order.height);
  // The child reads its script only after the list, so this one is its.
  std::unique_ptr<ChildProcess> child = std::move(waiting_);
  if (WriteWholeFile(scriptPath_, input.filters) != 0 || !child->WriteInput(input.list, true)) {
    child->Terminate();
    child->WaitAndClose();
    return frame;
  }
  frame.bitmap = ReadToEnd(*child, order.serial).value_or(std::string());
  return frame;
}

std::optional<std::string> FrameMaker::Probe(const std::string& arguments, unsigned serial) {
  if (Superseded(serial)) return std::nullopt;
  EndWaitingChild();  // one child at a time
  ChildProcess child;
  if (!StartTool(child, toolDirectory_, FfmpegTool::Ffprobe, arguments)) return std::string();
  return ReadToEnd(child, serial);
}

std::optional<std::string> FrameMaker::ReadToEnd(ChildProcess& child, unsigned serial) {
  {
    // Published only now: an order that came during the start ends it here.
    std::lock_guard lock(mutex_);
    endedEarly_ = false;
    if (SupersededLocked(serial)) endedEarly_ = child.Terminate();
    running_ = &child;
  }
  std::string output = child.ReadToEnd();
  bool endedEarly = false;
  {
    std::lock_guard lock(mutex_);
    running_ = nullptr;
    endedEarly = endedEarly_;
  }
  child.WaitAndClose();
  if (endedEarly) return std::nullopt;
  return output;
}

}  // namespace trellimux
