// The seams between the parts of a split MPEG-TS recording. Receivers put
// a header of a few KiB before a part's first packet, and some repeat the
// last packets of one part at the start of the next; joined as they are,
// the file jumps or stutters at every seam. This finds how many bytes to
// leave out at each part's start so that every packet comes once, in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "transport/TransportPackets.h"

namespace trellimux {

// How far into a part its first packet is looked for.
inline constexpr std::size_t kSeamHeaderSearchBytes = 1 << 20;
// Packets of sync bytes in a row that make a packet start: more than fit in
// a header of a few KiB that happens to hold sync bytes 188 apart.
inline constexpr std::size_t kSeamSyncPackets = 32;
// How far back from the end of the part before a repetition is looked for
// (about 3 MiB; one receiver repeats 47 KiB).
inline constexpr std::size_t kSeamLookBackPackets = 16384;

// The offset of the first packet in `head` (a file's first bytes): the
// first from which the sync byte 0x47 begins kSeamSyncPackets packets in a
// row, or every whole packet up to the end of `head` when fewer fit (at
// least two). Nothing when there is no such offset.
std::optional<std::size_t> FirstPacketOffset(std::string_view head);

// How many packets at the start of `head` repeat the end of `tail` (both
// whole packets, `tail` ending where its part ends): the longest run of
// `head`'s first packets equal, byte for byte (so also in PID and
// continuity counter), to `tail`'s last ones. A run of null packets only,
// alike as they are in any stream, is no repetition.
std::size_t RepeatedPacketCount(std::string_view tail, std::string_view head);

struct PartSeam {
  bool transport = false;  // its packets were found
  std::int64_t headerBytes = 0;
  std::int64_t repeatedPackets = 0;

  // Where the part is read from.
  std::int64_t Start() const {
    return headerBytes + repeatedPackets * static_cast<std::int64_t>(kTransportPacketBytes);
  }
};

struct SeamPart {
  std::int64_t size = 0;
  TransportReader read;  // empty: not an MPEG-TS, read whole
};

// Each part's seam, the first one's too (it is read from its first packet).
// A part without packets is read whole, and the next one is not compared
// with it; neither is a part with one that does not end on a whole packet.
std::vector<PartSeam> FindPartSeams(std::span<const SeamPart> parts);

// Whether any part is read from elsewhere than its first byte.
bool AnyPartSkips(std::span<const PartSeam> seams);

}  // namespace trellimux
