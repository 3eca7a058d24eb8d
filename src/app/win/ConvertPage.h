// The Convert page's own handlers: the command rebuilds of both modes, the
// container list, the easy-mode lists and the "Expert Mode" switch.
#pragma once

#include <optional>

#include "batch/ConvertBatch.h"

namespace trellimux {

// The expert command from the parameter table; nothing in easy mode.
// The start and end pickers' times in seconds, each while ticked.
std::optional<double> ConvertStartSeconds();
// What each file of a batch is converted with: the page as it is now.
BatchSettings ConvertBatchSettings();
std::optional<double> ConvertEndSeconds();

void RebuildExpertCommand();
// The easy-mode command from the slot choices; nothing in expert mode.
void RebuildEasyCommand();
// The command of the current mode.
void RebuildConvertCommand();

// A container was chosen (or the choice is issued again): easy mode fills
// and restores the slot lists; both modes give the output path the
// container's extension and rebuild.
void OnConvertContainerChange();

// A choice in easy-mode list `id` (0x4221 to 0x4240).
void OnEasySlotChange(int id);

// The "Expert Mode" button: each mode keeps its own container.
void ToggleConvertExpertMode();

// A new input: both stream slots back to their two fixed items.
void ResetEasyStreamLists();

}  // namespace trellimux
