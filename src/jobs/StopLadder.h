// The steps that stop a running ffmpeg at the user's request, politest
// first, and when a further press may climb to the next one. A polite step
// makes ffmpeg finish its output (an MP4's index, an MKV's cues, the frames
// its encoder still holds); a harder step during that work cuts the file
// short, so a press climbs only once the last step has had its grace and
// the child is still running. A press within the grace is held back and
// answered with a notice instead.
#pragma once

#include <chrono>
#include <string>

namespace trellimux {

// How long a polite request is given before a press may climb. Measured
// under Wine on two busy cores (quit_finish_bench, 1080-line MPEG-2 input):
// closing an MP4 or MKV after "q" takes 0.1 s even with an hour of samples
// in its index; an encoder's delayed frames take longest: 2.7 s for H.264
// "medium", 8.6 s for HEVC, 12.7 s for H.264 "slow". The grace is more
// than twice the longest.
inline constexpr std::chrono::milliseconds kPoliteStopGrace{30000};

enum class StopStep {
  AskToQuit,  // "q" and a line end on standard input
  CtrlC,      // Ctrl-C into the child's console
  Force,      // ended by force: the output is left wherever it was cut off
  HeldBack,   // nothing now: the last step is still within its grace
  Nothing,    // every step was delivered already
};

class StopLadder {
 public:
  using Clock = std::chrono::steady_clock;

  explicit StopLadder(std::chrono::milliseconds grace = kPoliteStopGrace) : grace_(grace) {}

  // A press of "Cancel Job" at `now`: the step to deliver now.
  StopStep Press(Clock::time_point now);
  // The step just returned could not be delivered (the child reads no
  // input, has no console): the next one, at once.
  StopStep Undelivered();

  // Time left of the last delivered step's grace; zero when none applies.
  std::chrono::milliseconds GraceLeft(Clock::time_point now) const;
  // The step a press after the grace would deliver first.
  StopStep Upcoming() const;

 private:
  StopStep Next();

  std::chrono::milliseconds grace_;
  int next_ = 0;  // index of the next step in the climbing order
  bool delivered_ = false;
  Clock::time_point deliveredAt_{};
};

// The "Progress" frame's caption from the first delivered step to the
// job's end: the press was taken, even while the log window is hidden.
inline constexpr char kStoppingCaption[] = " Stopping\xE2\x80\xA6 ";

// The log's line for a held-back press: the seconds of grace left and what
// a later press will do.
std::string HeldBackNotice(std::chrono::milliseconds graceLeft, StopStep upcoming);

}  // namespace trellimux
