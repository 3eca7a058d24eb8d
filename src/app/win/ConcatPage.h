// The Concat page: its input list, output container, option lists and the
// ffmpeg line they make, shown in the command box.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trellimux {

// Rewrites the command box from the page; an option list without a
// selection is reported and leaves the box as it was.
void RebuildConcatCommand();

// A chosen input: the first one of an empty list sets the page up from its
// container (easy mode, output folder, option and mode defaults); every
// one is then appended, selected and the line rebuilt.
void AddConcatInput(const std::string& path);
// Several at once, in this order, the command rebuilt once; the first sets
// up an empty list.
void AddConcatInputs(const std::vector<std::string>& paths);

// The Add dialog offers only files of this extension: the first input's
// while the list has entries; empty (all files) otherwise.
std::string_view ConcatFilterExtension();

// The list buttons; each ends with the keyboard focus in the list.
void RemoveConcatInput();
void MoveConcatInputUp();
void MoveConcatInputDown();
void ResetConcatInputs();

// The output path takes the chosen container's extension (item 0: the first
// input's) and the option lists its defaults; false without a selection.
bool ApplyConcatContainer();

// Container list A changed, or the Expert Mode button was pressed.
void OnConcatContainerChange();
void ToggleConcatExpertMode();

}  // namespace trellimux
