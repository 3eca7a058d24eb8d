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

// How an audio stream's packets follow each other, in seconds: the largest
// gap from one's end to the next one's start, and the largest overlap.
struct AudioSeams {
  double gap = 0;
  double overlap = 0;
  int packets = 0;
  double first = -1, end = -1;  // the first packet's start, the last one's end
};
AudioSeams AudioSeamsOf(const std::string& file, const std::string& stream);

// Reads `path` at any offset, as the program reads an input.
TransportReader FileReader(const std::string& path);

// Runs one line of a Trim box: an ffmpeg line with the real ffmpeg, or the
// program's own copy (TransportCopyLine) as the job runs it. Empty when it
// succeeded; what went wrong otherwise.
std::string RunTrimLine(const std::string& line);

}  // namespace trellimux::test
