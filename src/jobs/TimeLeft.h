// How far a job is and how long it still needs, from the positions its
// ffmpeg runs report and the wall-clock time each arrived. The caller passes
// every time in; nothing here reads a clock.
//
// A job is one or more parts, each one ffmpeg run whose "time=" starts at 0:
// a Convert or Concat job is one part; a Trim job is a part per cut and one
// for the join. Each part has a weight, its share of the job's work: for
// runs of one kind its media seconds. A stream-copy join after reencoded
// cuts costs far less per second than a cut, so it gets a smaller weight
// than its seconds. The rate is measured in weight per wall-clock second,
// so a weight that is off misleads the fraction, and the time left only
// until the rate window has seen the part run.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace trellimux {

struct JobPart {
  double mediaSeconds = 0;  // where the run's "time=" ends
  double weight = 0;        // its share of the job's work

  bool operator==(const JobPart&) const = default;
};

// No estimate in a job's first seconds: the rate of a run that has just
// started (probing, filling an encoder's lookahead) says little.
inline constexpr std::chrono::seconds kFirstEstimateAfter{3};
// The rate is taken over the last kRateWindow of wall-clock time (since
// the first position while the job is younger): a job's pace changes with its content
// and with what else the machine runs, and the time left follows the pace
// of now rather than an average that still holds a start long gone.
inline constexpr std::chrono::seconds kRateWindow{20};
// The time left that rate gives is smoothed with this time constant before
// it is shown: an encoder that writes its output in bursts moves "time=" in
// steps, and each step would otherwise move the time left by many seconds.
inline constexpr std::chrono::seconds kLeftSmoothing{5};

class TimeLeftEstimate {
 public:
  using Clock = std::chrono::steady_clock;

  // A job whose parts run one after another, the first starting at `start`.
  TimeLeftEstimate(std::vector<JobPart> parts, Clock::time_point start);

  // Part `index` (0-based) starts its run; every part before it is done.
  // An index before the current part is ignored.
  void StartPart(std::size_t index, Clock::time_point now);
  // The current part's run reported `seconds` of output at `now`.
  void Reached(double seconds, Clock::time_point now);

  std::size_t PartIndex() const { return part_; }
  std::size_t PartCount() const { return parts_.size(); }

  // The job's share done, 0 to 1; it never goes back.
  double Fraction() const { return total_ > 0 ? std::min(done_ / total_, 1.0) : 0; }

  // Whole seconds left (rounded up) at `now`, counting down from the latest
  // estimate; nothing before the first position, in the job's first
  // kFirstEstimateAfter, or when nothing moved within the rate window.
  std::optional<std::chrono::seconds> Left(Clock::time_point now) const;

 private:
  using Seconds = std::chrono::duration<double>;
  struct Sample {
    Clock::time_point at;
    double done;
  };

  void Record(double done, Clock::time_point now);

  std::vector<JobPart> parts_;
  double total_ = 0;
  Clock::time_point start_;
  std::size_t part_ = 0;
  double partsBefore_ = 0;  // weight of the parts before the current one
  double done_ = 0;         // weight done so far
  bool positioned_ = false;
  // The latest sample at or before the window's start, then the samples
  // within it: the newest is the latest position.
  std::deque<Sample> samples_;
  std::optional<Seconds> left_;  // smoothed time left at leftAt_
  Clock::time_point leftAt_{};
};

}  // namespace trellimux
