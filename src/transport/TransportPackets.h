// Just enough of an MPEG-TS's packets to feed the preview's decoder from a
// keyframe and to copy a stretch of one: which files are made of them,
// where a frame's packets begin (so that the frame before a jump reaches
// the decoder whole), and a frame's time stamps and coded bytes (so that
// pictures nothing refers to can be left out, and a keyframe found by its
// time).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace trellimux {

inline constexpr std::size_t kTransportPacketBytes = 188;
inline constexpr std::size_t kTransportPacketsChecked = 8;
inline constexpr std::int64_t kPesTicksPerSecond = 90000;  // of PES time stamps

// Up to `size` bytes of a transport stream file from `offset`: fewer at its
// end, none past it or when it cannot be read.
using TransportReader = std::function<std::string(std::int64_t offset, std::size_t size)>;

// Whether a file that begins with `head` is an MPEG-TS of 188-byte packets
// from its first byte on (not one of 192-byte packets, as on Blu-ray discs
// and camcorders): each of the first kTransportPacketsChecked packets
// begins with the sync byte 0x47. Only such a file can be fed from a
// keyframe's packet as ffprobe lists its byte position.
bool IsPlainTransportStream(std::string_view head);

// The packet identifier (PID) of the packet `packet` begins with; -1 when
// it is no whole packet.
int PacketPid(std::string_view packet);

// Whether `packet` (a whole packet) begins a PES packet: its payload unit
// start bit is set.
bool BeginsPesPacket(std::string_view packet);

// The bytes of `packet` (a whole packet) after its header and adaptation
// field; empty when it carries none.
std::string_view PacketPayload(std::string_view packet);

// The offset of the first packet in `packets` (whole packets, from a
// packet's start) of `pid` that begins a PES packet (its payload unit
// start bit set): where the next frame of that stream begins, as a
// broadcast puts one frame in each PES packet. npos when none does.
std::size_t NextPesStart(std::string_view packets, int pid);

// The presentation time stamp (90 kHz, 33 bits) of the PES packet that
// `packet` begins; nothing when it begins none, or its header has none.
std::optional<std::int64_t> PesPresentationTime(std::string_view packet);

// Its decoding time stamp: the PTS when the header gives no other.
std::optional<std::int64_t> PesDecodingTime(std::string_view packet);

// `a` - `b` in ticks, the shorter way round the 33-bit clock.
std::int64_t PesTicksBetween(std::int64_t a, std::int64_t b);
// Microseconds as ticks, rounded down.
std::int64_t PesTicksOf(std::int64_t microseconds);

// The payload of the PES packet that the first packet of `packets` begins
// (a frame's coded bytes), gathered from the packets of its PID up to the
// next that begins a PES packet. Nothing when `packets` ends before that,
// or its first packet begins no PES packet; when `packets` is a whole
// stream (`wholeStream`), its end ends the last PES packet too. When its
// first `firstBytes` are enough, it ends there, whether the PES packet ends
// or not.
std::optional<std::string> PesPayload(std::string_view packets,
                                      std::size_t firstBytes = std::string_view::npos,
                                      bool wholeStream = false);

}  // namespace trellimux
