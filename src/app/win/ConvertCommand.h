// Rebuilding the Convert page's command box from its tables and controls.
#pragma once

namespace trellimux {

// In expert mode the box gets the per-stream command (or is emptied without
// container or streams); in easy mode it is left as it is.
void RebuildConvertCommand();

}  // namespace trellimux
