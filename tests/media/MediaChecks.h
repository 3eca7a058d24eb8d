// What the media checks of cut files read of them with the real tools, and
// a file read as the program reads an input.
#pragma once

#include <string>
#include <vector>

#include "transport/TransportPackets.h"

namespace trellimux::test {

// The MD5 sums of a file's video packets as ffprobe prints them, sorted:
// the packets two files share are the intersection.
std::vector<std::string> PacketHashes(const std::string& file);

// Reads `path` at any offset, as the program reads an input.
TransportReader FileReader(const std::string& path);

}  // namespace trellimux::test
