// The Convert page's command in easy mode: the container's preset choices
// of the twenty slots turned into one argument text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cmdline/EasySlots.h"
#include "cmdline/ExpertCommand.h"

namespace trellimux {

// The Convert page's inputs of both modes, and the odd-size flag that only
// easy mode reads.
struct EasyCommandInput : ExpertCommandInput {
  unsigned oddSizeFlag = 0;  // nonzero: a source stream has an odd size
};

struct EasyCommand {
  // nullopt in expert mode (the box is left as it is); the empty text when
  // the box is to be emptied; otherwise the whole text, never cut.
  std::optional<std::string> text;
  // Set once the build has looked at the stream slot: its nine slots are
  // disabled for "No Video" / "No Audio" and enabled otherwise.
  std::optional<bool> videoSlotsEnabled;
  std::optional<bool> audioSlotsEnabled;
};

EasyCommand BuildEasyCommand(const EasyCommandInput& input, const SlotLists& slots);

}  // namespace trellimux
