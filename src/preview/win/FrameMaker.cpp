#include "preview/win/FrameMaker.h"

#include <utility>

#include "preview/PreviewSource.h"
#include "preview/TransportSeek.h"
#include "preview/win/FedDecoder.h"
#include "preview/win/FrameDecoder.h"
#include "process/win/WholeFile.h"
#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {
namespace {

constexpr auto kQuietBeforeListing = std::chrono::milliseconds(300);
// About 370 frames of a 16:9 picture at its size in the window (400x225,
// 24 bits): 15 s at 25 frames a second to step back through.
constexpr std::size_t kDecodedFramesBytes = 96u << 20;

}  // namespace

FrameMaker::FrameMaker(HWND window, std::string toolDirectory)
    : window_(window),
      toolDirectory_(std::move(toolDirectory)),
      scriptPath_(NumberedProgramTempFilePath("frame", ".txt")),  // the decoder's filter graph
      decoded_(kDecodedFramesBytes),
      worker_([this] { Work(); }) {}

FrameMaker::~FrameMaker() {
  {
    std::lock_guard lock(mutex_);
    quitting_ = true;
    newest_ = 0;
    if (probing_) probing_->Terminate();
    if (liveDecoder_) liveDecoder_->Terminate();
    if (liveListing_) liveListing_->Terminate();
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
  quietFrom_ = std::chrono::steady_clock::now() + kQuietBeforeListing;
  if (probing_) probing_->Terminate();
  wake_.notify_one();
}

void FrameMaker::Cancel() {
  std::lock_guard lock(mutex_);
  newest_ = 0;
  pending_.reset();
  made_.reset();
  workAhead_ = false;
  if (probing_) probing_->Terminate();
  // No child stays while a job runs.
  if (liveDecoder_) liveDecoder_->Terminate();
  if (liveListing_) liveListing_->Terminate();
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
        return quitting_ || pending_.has_value() || listingDone_ ||
               (workAhead_ ? HasWorkAhead() : decoder_ || listing_);
      });
      if (quitting_) break;
      if (std::exchange(listingDone_, false)) {
        lock.unlock();
        CollectListing();
        continue;
      }
      if (!pending_ && workAhead_ && wake_.wait_until(lock, quietFrom_, [this] {
            return quitting_ || pending_.has_value() || !workAhead_ || listingDone_;
          })) {
        continue;
      }
      order = std::move(pending_);
      pending_.reset();
      ahead = workAhead_;
    }
    if (!order) {
      if (ahead) {
        WorkAhead();
      } else {  // cancelled: a job may change the input meanwhile
        EndDecoder();
        EndListing();
        decoded_.Clear();
        inputFile_.Close();
      }
      continue;
    }
    MadeFrame frame = Make(*order);
    std::lock_guard lock(mutex_);
    if (order->serial != newest_ || quitting_) continue;
    made_ = std::move(frame);
    PostMessageA(window_, kPreviewFrameMessage, order->serial, 0);
  }
  EndDecoder();
  EndListing();
}

bool FrameMaker::HasWorkAhead() const {
  if (!input_ || !keyframes_) return false;
  return (!decoder_ && !decoderFailed_) || (decoder_ && !decoderFed_ && WantsFedDecoder()) ||
         (!listing_ && keyframes_->NextIndexWindow(input_->durationMs));
}

bool FrameMaker::WantsFedDecoder() const {
  return feedable_ && !feedRefused_ && keyframes_ && input_ &&
         (FindsKeyframesInFile() || !keyframes_->NextIndexWindow(input_->durationMs));
}

bool FrameMaker::FindsKeyframesInFile() const {
  return feedable_ && input_ && input_->videoPid >= 0 && input_->coding != VideoCoding::Other;
}

void FrameMaker::WorkAhead() {
  // A decoder that reached the input's end or was ended is ready again
  // before the next move; the movie decoder gives way to the fed one as
  // soon as it can.
  if ((!decoder_ && !decoderFailed_) || (decoder_ && !decoderFed_ && WantsFedDecoder())) {
    StartDecoder(*input_);
    return;
  }
  const std::optional<KeyframeCache::Window> window =
      keyframes_->NextIndexWindow(input_->durationMs);
  if (listing_ || !window) return;
  auto listing = std::make_unique<BackgroundToolRun>();
  const bool started =
      listing->Start(toolDirectory_, FfmpegTool::Ffprobe,
                     KeyframeListArguments(input_->inputPath, input_->startMicroseconds,
                                           window->fromMs, window->toMs),
                     [this] {
                       std::lock_guard lock(mutex_);
                       listingDone_ = true;
                       wake_.notify_one();
                     });
  listingWindow_ = *window;
  // One that could not start lists nothing: its window then has no
  // keyframes and seeks there aim at the frame's own time.
  if (!started) {
    keyframes_->Add(*window, {});
    return;
  }
  listing_ = std::move(listing);
  std::lock_guard lock(mutex_);
  liveListing_ = listing_.get();
  if (!workAhead_ || quitting_) liveListing_->Terminate();
}

void FrameMaker::CollectListing() {
  if (!listing_) return;
  {
    std::lock_guard lock(mutex_);
    liveListing_ = nullptr;
  }
  // A listing that failed lists nothing, as one that could not start.
  const std::optional<std::string> packets = listing_->Finish();
  listing_.reset();
  if (!packets) return;
  std::vector<Keyframe> keyframes = ParseKeyframes(*packets);
  {
    std::lock_guard lock(mutex_);
    if (listedInput_ != input_->input) listedKeyframes_.clear();
    listedInput_ = input_->input;
    // Where the keyframe is the frame shown: its time, not rounded up.
    for (const Keyframe& keyframe : keyframes)
      listedKeyframes_.push_back((keyframe.pts - input_->startMicroseconds) / 1000);
  }
  keyframes_->Add(listingWindow_, std::move(keyframes));
  PostMessageA(window_, kPreviewKeyframesMessage, 0, 0);
}

std::vector<std::int64_t> FrameMaker::TakeListedKeyframes(unsigned input) {
  std::lock_guard lock(mutex_);
  if (listedInput_ != input) return {};
  return std::exchange(listedKeyframes_, {});
}

void FrameMaker::EndListing() {
  if (!listing_) return;
  {
    std::lock_guard lock(mutex_);
    liveListing_ = nullptr;
    listingDone_ = false;
  }
  listing_->Terminate();
  listing_.reset();
}

bool FrameMaker::StartDecoder(const FrameOrder& order) {
  EndDecoder();
  const bool fed = WantsFedDecoder();
  std::unique_ptr<PreviewDecoder> decoder;
  if (fed) {
    auto feeding = std::make_unique<FedDecoder>();
    if (feeding->Start(toolDirectory_, order.inputPath, order.startMicroseconds, order.width,
                       order.height, order.coding))
      decoder = std::move(feeding);
  } else {
    auto movie = std::make_unique<FrameDecoder>();
    if (movie->Start(toolDirectory_, scriptPath_, order.inputPath, order.startMicroseconds,
                     order.width, order.height))
      decoder = std::move(movie);
  }
  if (!decoder) {
    decoderFailed_ = true;
    return false;
  }
  decoder_ = std::move(decoder);
  decoderFed_ = fed;
  decoded_.Break();
  std::lock_guard lock(mutex_);
  liveDecoder_ = decoder_.get();
  // Cancelled while it started: the worker ends it next.
  if (!workAhead_ || quitting_) liveDecoder_->Terminate();
  return true;
}

void FrameMaker::EndDecoder() {
  if (!decoder_) return;
  {
    std::lock_guard lock(mutex_);
    liveDecoder_ = nullptr;
  }
  decoder_.reset();
}

std::optional<KeyframeBefore> FrameMaker::KeyframeFor(const FrameOrder& order) {
  KeyframeCache::Lookup found = keyframes_->Find(order.positionMs);
  if (found.known) return found.keyframe;
  if (!order.keyframe) return FindsKeyframesInFile() ? KeyframeInFile(order) : std::nullopt;
  const KeyframeCache::Window window = KeyframeCache::WindowAround(order.positionMs);
  const std::optional<std::string> packets = Probe(
      KeyframeListArguments(order.inputPath, order.startMicroseconds, window.fromMs, window.toMs),
      order.serial);
  if (!packets || packets->empty()) return std::nullopt;
  keyframes_->Add(window, ParseKeyframes(*packets));
  return keyframes_->Find(order.positionMs).keyframe;
}

std::optional<Keyframe> FrameMaker::KeyframeInFileNear(const FrameOrder& order, std::int64_t us,
                                                       bool after) const {
  const TransportReader read = [this](std::int64_t offset, std::size_t size) {
    return inputFile_.ReadAt(offset, size);
  };
  const TransportVideo video{order.videoPid, order.coding, order.startMicroseconds};
  return after ? FindNextTransportKeyframe(read, inputFile_.Size(), video, us)
               : FindTransportKeyframe(read, inputFile_.Size(), video, us);
}

std::optional<KeyframeBefore> FrameMaker::KeyframeInFile(const FrameOrder& order) const {
  const std::int64_t start = order.startMicroseconds;
  const std::optional<Keyframe> found =
      KeyframeInFileNear(order, start + order.positionMs * 1000, false);
  if (!found) return std::nullopt;
  return SeekTo(*found, start);
}

std::optional<std::int64_t> FrameMaker::KeyframeStepMs(const FrameOrder& order) const {
  if (!FindsKeyframesInFile()) return std::nullopt;
  const std::int64_t start = order.startMicroseconds;
  const std::int64_t at = start + order.positionMs * 1000;
  const bool next = order.keyframeStep > 0;
  const std::optional<Keyframe> found =
      KeyframeInFileNear(order, next ? at + kFrameTimeSlackUs : at - 2 * kFrameTimeSlackUs, next);
  if (!found) return std::nullopt;
  return KeyframeCutMs(found->pts - start);
}

MadeFrame FrameMaker::Make(const FrameOrder& asked) {
  FrameOrder order = asked;
  if (!keyframes_ || !input_ || input_->input != order.input) {
    EndListing();
    keyframes_.emplace(order.startMicroseconds);
    decoded_.Clear();
    inputFile_.Close();
    feedRefused_ = false;
  } else if (input_->width != order.width || input_->height != order.height) {
    decoded_.Clear();
  }
  input_ = order;
  if (!inputFile_.IsOpen())
    feedable_ = inputFile_.Open(order.inputPath) && FedDecoder::CanFeed(inputFile_);
  decoderFailed_ = false;
  if (order.keyframeStep != 0) {
    const std::optional<std::int64_t> stepped = KeyframeStepMs(order);
    // No keyframe that way: no picture, the one shown stays.
    if (!stepped) return {order.serial, order.positionMs, false, {}};
    order.positionMs = *stepped;
  }
  MadeFrame frame{order.serial, order.positionMs, false, {}};
  if (order.copyResumes && FindsKeyframesInFile()) {
    const std::int64_t start = order.startMicroseconds;
    if (const std::optional<Keyframe> resumes =
            KeyframeInFileNear(order, start + order.positionMs * 1000 - kFrameTimeSlackUs, true))
      frame.copyFromMs = KeyframeCutMs(resumes->pts - start);
  }
  const std::optional<KeyframeBefore> keyframe = KeyframeFor(order);
  if (Superseded(order.serial)) return frame;
  const std::int64_t start = order.startMicroseconds;
  FrameGoal goal{start + order.positionMs * 1000, std::nullopt, std::nullopt, start};
  if (keyframe) {
    goal.keyframeUs = start + keyframe->ptsMicroseconds;
    goal.keyframeSeekUs = start + keyframe->seekMs * 1000;
    goal.keyframeBytePos = keyframe->bytePos;
    if (order.keyframe) {
      frame.keyframe = true;
      frame.timeMs = KeyframeCutMs(keyframe->ptsMicroseconds);
      goal.targetUs = *goal.keyframeUs;
    }
  }
  frame.bitmap = Decode(order, goal);
  return frame;
}

std::string FrameMaker::Decode(const FrameOrder& order, const FrameGoal& goal) {
  // The frame the search would take: the first at or after the target.
  if (const std::string* made = decoded_.Find(goal.targetUs - kFrameTimeSlackUs)) return *made;
  aim_ = {0, goal.keyframeUs, goal.keyframeBytePos, goal.targetUs};
  std::optional<FrameSearch> search;
  std::optional<std::int64_t> seek;
  bool startedAgain = false;
  // A decoder that ended (it reached the input's end, or broke) is started
  // anew for each seek further back, and once more for the same.
  while (!Superseded(order.serial)) {
    if ((!decoder_ || !decoder_->Serves(order.inputPath, order.width, order.height)) &&
        !StartDecoder(order)) {
      return {};
    }
    if (!search) {
      search.emplace(goal, decoder_->DecodedUs());
      seek = search->FirstSeek();
    }
    std::string bitmap;
    switch (Search(order.serial, *search, seek, bitmap)) {
      case SearchEnd::Found:
        return bitmap;
      case SearchEnd::Superseded:
        return {};
      case SearchEnd::Refused:  // the movie decoder, from where it starts
        feedRefused_ = true;
        EndDecoder();
        search.reset();
        break;
      case SearchEnd::DecoderEnded:
        EndDecoder();
        // The frame asked for lies past the input's last: that last one.
        if (!bitmap.empty()) return bitmap;
        if (search->OnEnd() == FrameSearch::Step::SeekAgain)
          seek = search->SeekUs();
        else if (std::exchange(startedAgain, true))
          return {};
        break;
    }
  }
  return {};
}

FrameMaker::SearchEnd FrameMaker::Search(unsigned serial, FrameSearch& search,
                                         std::optional<std::int64_t> seek, std::string& bitmap) {
  if (seek) {
    if (const std::optional<SearchEnd> end = SeekDecoder(*seek)) return *end;
  }
  for (;;) {
    if (Superseded(serial)) return SearchEnd::Superseded;
    std::optional<PreviewDecoder::Frame> frame = decoder_->Next();
    if (!frame)
      return decoderFed_ && decoder_->LostItsKeyframe() ? SearchEnd::Refused
                                                        : SearchEnd::DecoderEnded;
    if (!frame->current) continue;
    if (frame->followsGap) decoded_.Gap();
    if (frame->microseconds)
      decoded_.Add(*frame->microseconds, frame->intra, frame->bitmap);
    else
      decoded_.Break();
    switch (search.OnFrame(frame->microseconds)) {
      case FrameSearch::Step::ReadOn:
        bitmap = std::move(frame->bitmap);
        break;
      case FrameSearch::Step::Take:
        bitmap = std::move(frame->bitmap);
        return SearchEnd::Found;
      case FrameSearch::Step::SeekAgain:
        bitmap.clear();
        if (const std::optional<SearchEnd> end = SeekDecoder(search.SeekUs())) return *end;
        break;
    }
  }
}

std::optional<FrameMaker::SearchEnd> FrameMaker::SeekDecoder(std::int64_t microseconds) {
  decoded_.Break();
  aim_.microseconds = microseconds;
  // The fed decoder goes to the keyframe itself, whatever the time, and
  // refuses a seek only when none is listed.
  if (!decoder_->Seek(aim_)) return decoderFed_ ? SearchEnd::Refused : SearchEnd::DecoderEnded;
  return std::nullopt;  // under way
}

std::optional<std::string> FrameMaker::Probe(const std::string& arguments, unsigned serial) {
  if (Superseded(serial)) return std::nullopt;
  BackgroundToolRun probe;
  if (!probe.Start(toolDirectory_, FfmpegTool::Ffprobe, arguments, [] {})) return std::string();
  {
    // Published only now: an order that came during the start ends it here.
    std::lock_guard lock(mutex_);
    if (SupersededLocked(serial)) probe.Terminate();
    probing_ = &probe;
  }
  std::optional<std::string> output = probe.Finish();
  std::lock_guard lock(mutex_);
  probing_ = nullptr;
  return output;
}

}  // namespace trellimux
