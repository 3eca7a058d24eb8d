#include "jobs/win/ChildStopper.h"

namespace trellimux {

void ChildStopper::Request() {
  Sleep(100);
  while (next_ != kNothingLeft) {
    const int step = next_++;
    bool delivered = false;
    switch (step) {
      case kQuitKey:
        delivered = child_.AskToQuit();
        break;
      case kCtrlC:
        delivered = child_.SendCtrlC();
        break;
      case kTerminate:
        delivered = forced_ = child_.Terminate();
        break;
    }
    if (delivered) return;
  }
}

}  // namespace trellimux
