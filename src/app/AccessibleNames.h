// The names a screen reader says for the main window's controls. Most come
// from the control table (a button's caption, a drop-down's caption item);
// the controls whose caption is empty or a sign (">", "X") are named here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/ControlTable.h"

namespace trellimux {

// The control's name. `shownText` is what the control shows now: a button's
// or frame's text (the page frame's changes with the page), a drop-down's
// item 0 (the easy-mode lists change theirs with the container), which names
// the list when it is a caption rather than a choice.
std::string AccessibleNameOf(const ControlEntry& control, std::string_view shownText = {});

// The progress bar's value: its share, "42 %".
std::string ProgressShareText(int percent);

// The preview picture's name with the time of the frame it shows, or
// without one before a frame is shown.
std::string PreviewPictureName(std::optional<std::string_view> frameTime);

}  // namespace trellimux
