// The output container lists "A" of the Concat and Trim pages: recognising
// an input's container from its extension, and the output path a container
// choice gives.
#pragma once

#include <string>
#include <string_view>

#include "model/MessageRequest.h"

namespace trellimux {

inline constexpr MessageRequest kUnsupportedContainerNote{
    " Note",
    "Input container format not supported, you are on your own.\r\n\r\n"
    "Anyway, you can try to concatenate using Easy Mode or Expert Mode.\r\n\r\n"
    "Check the video for A/V disturbances at the connection points!",
    MessageIcon::Warning, MessageButtons::Ok};

struct RecognisedContainer {
  int item = 0;              // item of container list A; 0 "Container"
  bool unsupported = false;  // the note is to be shown
};

// An item equal to the extension ignoring case; else the first item that
// begins with its first three characters ignoring case; else item 0 with
// the note. An empty extension gives item 0 without the note.
RecognisedContainer RecogniseContainer(std::string_view extension);

// The path without its extension, then the item's text, or for item 0 (or
// an item outside the list) the input's own extension.
std::string OutputPathForContainer(std::string_view outputPath, int item,
                                   std::string_view inputExtension);

}  // namespace trellimux
