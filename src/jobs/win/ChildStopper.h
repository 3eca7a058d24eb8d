// Stopping a running ffmpeg at the user's request, along the stop ladder:
// first ask the way a user at ffmpeg's console would, so that it finishes a
// playable file; a further press climbs only once that request has had its
// grace, and a step that cannot be delivered gives way to the next at once,
// the last being the forced end.
#pragma once

#include <chrono>
#include <string>

#include "jobs/StopLadder.h"
#include "process/win/ChildProcess.h"

namespace trellimux {

class ChildStopper {
 public:
  ChildStopper(ChildProcess& child, std::chrono::milliseconds grace)
      : child_(child), ladder_(grace) {}

  // One user request: after 100 ms the next step that works is delivered.
  // A request within the last step's grace is held back; the result is then
  // the notice for the log, otherwise empty.
  std::string Request();

  // Whether the child was ended by force; its output then ends wherever it
  // was cut off.
  bool Forced() const { return forced_; }

 private:
  bool Deliver(StopStep step);

  ChildProcess& child_;
  StopLadder ladder_;
  bool forced_ = false;
};

}  // namespace trellimux
