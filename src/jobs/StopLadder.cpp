#include "jobs/StopLadder.h"

namespace trellimux {
namespace {

constexpr StopStep kClimbingOrder[] = {StopStep::AskToQuit, StopStep::CtrlC, StopStep::Force};
constexpr int kSteps = sizeof kClimbingOrder / sizeof kClimbingOrder[0];

}  // namespace

StopStep StopLadder::Next() {
  if (next_ >= kSteps) return StopStep::Nothing;
  return kClimbingOrder[next_++];
}

StopStep StopLadder::Press(Clock::time_point now) {
  if (next_ >= kSteps) return StopStep::Nothing;
  if (GraceLeft(now).count() > 0) return StopStep::HeldBack;
  // Delivered steps take their grace from here; an undelivered one climbs
  // at once through Undelivered.
  delivered_ = true;
  deliveredAt_ = now;
  return Next();
}

StopStep StopLadder::Undelivered() { return Next(); }

StopStep StopLadder::Upcoming() const {
  return next_ < kSteps ? kClimbingOrder[next_] : StopStep::Nothing;
}

std::chrono::milliseconds StopLadder::GraceLeft(Clock::time_point now) const {
  if (!delivered_) return std::chrono::milliseconds{0};
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deliveredAt_ + grace_ - now);
  return left.count() > 0 ? left : std::chrono::milliseconds{0};
}

std::string HeldBackNotice(std::chrono::milliseconds graceLeft, StopStep upcoming) {
  const long long seconds = (graceLeft.count() + 999) / 1000;
  const std::string when = "If it has not stopped within " + std::to_string(seconds) +
                           (seconds == 1 ? " second" : " seconds") + ", press Cancel Job again ";
  const std::string what = upcoming == StopStep::Force
                               ? "to force it"
                               : "to interrupt it; a further press after that forces it";
  return "Stopping\xE2\x80\xA6 FFmpeg was asked to stop and finish the output file. " + when + what +
         ", and a forced stop can leave an unplayable file.";
}

}  // namespace trellimux
