// The ffmpeg muxer that writes each container of the Convert list: ffmpeg
// picks it by the output's extension, which a temporary name ("Film.mp4.part")
// does not have, so it is then named with "-f".
#pragma once

#include <string_view>

namespace trellimux {

// The muxer for a container extension (".mkv"), ASCII case ignored; empty
// for one not in the table.
std::string_view MuxerOfExtension(std::string_view extension);

}  // namespace trellimux
