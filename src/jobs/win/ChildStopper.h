// Stopping a running ffmpeg at the user's request. Each request climbs one
// step: first ask the way a user at ffmpeg's console would, so that it
// finishes a playable file; where a request cannot be delivered, the next
// step follows at once, the last being the forced end.
#pragma once

#include "jobs/win/ChildProcess.h"

namespace trellimux {

class ChildStopper {
 public:
  explicit ChildStopper(ChildProcess& child) : child_(child) {}

  // One user request: waits 100 ms, then delivers the next step that works.
  void Request();

  // Whether the child was ended by force; its output then ends wherever it
  // was cut off.
  bool Forced() const { return forced_; }

 private:
  enum Step { kQuitKey, kCtrlC, kTerminate, kNothingLeft };

  ChildProcess& child_;
  int next_ = kQuitKey;
  bool forced_ = false;
};

}  // namespace trellimux
