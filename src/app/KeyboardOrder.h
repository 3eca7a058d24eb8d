// How the keyboard moves through the window: which controls Tab stops at,
// in reading order, and the keys of the frequent commands. The window asks
// at each key which control is next or which button the key presses; it
// skips the ones hidden or disabled at that moment.
#pragma once

#include <optional>
#include <vector>

#include "app/ControlTable.h"
#include "app/Pages.h"

namespace trellimux {

// Whether Tab stops at a control of `kind`: what the user works with, and
// the read-only texts a screen reader reads out; not frames, titles, lamps
// (their buttons toggle them), bars or the millisecond labels.
bool TakesTabStop(ControlKind kind);

// The ids of the controls that Tab visits on `page`, in reading order:
// the page's own, in its frame, then the common ones of the right-hand
// column (the page buttons, the job's buttons, Start last); each part row
// by row from the top, each row from the left. A control joins a row when
// its top lies above the middle of the row's first control (a drop-down
// list as high as when closed).
std::vector<int> ReadingOrder(Page page);

// The keys of the frequent commands, as the platform numbers them (the
// letter's or digit's capital, 0x74 for F5).
inline constexpr int kKeyF5 = 0x74;
struct KeyPress {
  int key = 0;
  bool control = false, shift = false;
};

// The button a key presses on `page`; nothing for other keys.
std::optional<int> ButtonOfKey(const KeyPress& press, Page page);

}  // namespace trellimux
