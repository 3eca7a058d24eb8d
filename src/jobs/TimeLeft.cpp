#include "jobs/TimeLeft.h"

#include <algorithm>
#include <cmath>

namespace trellimux {

TimeLeftEstimate::TimeLeftEstimate(std::vector<JobPart> parts, Clock::time_point start)
    : parts_(std::move(parts)), start_(start) {
  for (const JobPart& part : parts_) total_ += std::max(part.weight, 0.0);
}

void TimeLeftEstimate::StartPart(std::size_t index, Clock::time_point now) {
  if (index <= part_ || index >= parts_.size()) return;
  for (; part_ < index; ++part_) partsBefore_ += std::max(parts_[part_].weight, 0.0);
  Record(partsBefore_, now);
}

void TimeLeftEstimate::Reached(double seconds, Clock::time_point now) {
  if (part_ >= parts_.size()) return;
  const JobPart& part = parts_[part_];
  positioned_ = true;
  const double share =
      part.mediaSeconds > 0 ? std::clamp(seconds / part.mediaSeconds, 0.0, 1.0) : 0;
  Record(partsBefore_ + share * std::max(part.weight, 0.0), now);
}

void TimeLeftEstimate::Record(double done, Clock::time_point now) {
  done_ = std::max(done_, done);
  samples_.push_back({now, done_});
  // The rate is measured from the first position on: the time ffmpeg took
  // to start and to open its input is spent once and says nothing of its
  // pace.
  if (samples_.size() == 1) return;
  // Keep one sample at or before the window's start as its anchor.
  while (samples_.size() > 1 && samples_[1].at <= now - kRateWindow) samples_.pop_front();

  const Sample& anchor = samples_.front();
  const Seconds inWindow = now - anchor.at;
  if (inWindow.count() <= 0) return;
  const double rate = (done_ - anchor.done) / inWindow.count();
  if (rate <= 0) {  // stalled, or a cut still decoding up to its In
    left_.reset();
    return;
  }
  const Seconds measured((total_ - done_) / rate);
  // Before it is first shown the estimate follows the rate as it stands;
  // once all is done nothing is left, whatever the smoothing still holds.
  if (!left_ || now - start_ < kFirstEstimateAfter || done_ >= total_) {
    left_ = measured;
  } else {
    const Seconds sinceLast = now - leftAt_;
    const Seconds expected = *left_ - sinceLast;  // the last estimate, counted down
    const double pull = 1 - std::exp(-sinceLast / Seconds(kLeftSmoothing));
    left_ = expected + pull * (measured - expected);
  }
  leftAt_ = now;
}

std::optional<std::chrono::seconds> TimeLeftEstimate::Left(Clock::time_point now) const {
  if (!positioned_ || !left_ || now - start_ < kFirstEstimateAfter) return std::nullopt;
  const Seconds left = std::max<Seconds>(*left_ - (now - leftAt_), Seconds::zero());
  return std::chrono::ceil<std::chrono::seconds>(left);
}

}  // namespace trellimux
