#include "jobs/win/ChildStopper.h"

namespace trellimux {

bool ChildStopper::Deliver(StopStep step) {
  switch (step) {
    case StopStep::AskToQuit:
      return child_.AskToQuit();
    case StopStep::CtrlC:
      return child_.SendCtrlC();
    case StopStep::Force:
      return forced_ = child_.Terminate();
    default:
      return false;
  }
}

std::string ChildStopper::Request() {
  const StopLadder::Clock::time_point now = StopLadder::Clock::now();
  StopStep step = ladder_.Press(now);
  if (step == StopStep::HeldBack) return HeldBackNotice(ladder_.GraceLeft(now), ladder_.Upcoming());
  if (step == StopStep::Nothing) return {};
  Sleep(100);
  while (step != StopStep::Nothing && !Deliver(step)) step = ladder_.Undelivered();
  return {};
}

}  // namespace trellimux
