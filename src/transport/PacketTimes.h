// Moving a transport packet's clock: the times of a cut's packets are moved
// as one when cuts are joined byte by byte, so that each follows the one
// before. The program clock reference in the adaptation field and the PES
// header's presentation and decoding times move by the same ticks; nothing
// else of the packet changes.
#pragma once

#include <cstdint>
#include <string>

namespace trellimux {

// Moves the PCR and, in a packet that begins a PES packet, its PTS and DTS
// of the whole packet `packet` by `ticks` (90 kHz, either way round the
// 33-bit clock).
void MovePacketTimes(std::string& packet, std::int64_t ticks);

// Sets the continuity counter of the whole packet `packet`.
void SetContinuityCounter(std::string& packet, unsigned counter);

// Whether the whole packet `packet` carries a payload (its counter counts
// on only then).
bool CarriesPayload(const std::string& packet);

}  // namespace trellimux
