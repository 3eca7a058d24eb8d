// The Trim page's three choices (output container, cut mode, concat mode):
// their defaults by container and the pair remembered for each mode.
#pragma once

namespace trellimux {

// Cut mode entries: 0 is the caption.
enum CutModeItem : int { kNoCutMode = 0, kReencodeCut = 1, kCopyCut = 2, kSmartCopyCut = 3 };

// "Copy" and "Smart Copy" copy the streams; the page and the lines it
// shows before the lookup treat both alike.
constexpr bool CopiesCuts(int cutMode) { return cutMode == kCopyCut || cutMode == kSmartCopyCut; }

struct TrimChoices {
  int container = 0;  // item of the Trim container list A
  int cutMode = 0;
  int concatMode = 0;  // item of concat-mode list B
};

struct TrimModeDefaults {
  int cutMode;
  int concatMode;
};

// The cut and concat modes an input of this container starts with.
TrimModeDefaults TrimDefaultsFor(int container);

// Easy mode and expert mode each keep their own three choices; switching
// stores the current ones for the mode being left and returns the other's.
class TrimChoiceMemory {
 public:
  TrimChoices EnterExpert(const TrimChoices& current);
  TrimChoices LeaveExpert(const TrimChoices& current);

 private:
  TrimChoices easy_;
  TrimChoices expert_;
};

}  // namespace trellimux
