#include "transport/TransportPackets.h"

namespace trellimux {
namespace {

constexpr char kSyncByte = 0x47;
constexpr unsigned char kPayloadUnitStart = 0x40;  // in the header's second byte
constexpr std::size_t kPacketHeaderBytes = 4;
// A PES header with its optional fields: start code, stream id, length,
// two bytes of flags, the fields' length (ISO/IEC 13818-1, 2.4.3.6).
constexpr std::size_t kPesFixedHeaderBytes = 9;
constexpr std::size_t kPtsBytes = 5;
constexpr unsigned kHasPts = 0x80;  // PTS_DTS_flags '10' or '11'
constexpr unsigned kHasDts = 0x40;  // '11'
constexpr std::int64_t kTickWrap = std::int64_t{1} << 33;

unsigned Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

// The PES header at the start of a payload, with the optional fields that
// every video and audio stream's has: nothing when it is none.
std::optional<std::string_view> PesHeader(std::string_view payload) {
  constexpr std::string_view kStartCode("\0\0\1", 3);
  if (payload.size() < kPesFixedHeaderBytes || payload.substr(0, 3) != kStartCode ||
      (Byte(payload, 6) & 0xc0) != 0x80) {
    return std::nullopt;
  }
  const std::size_t size = kPesFixedHeaderBytes + Byte(payload, 8);
  if (payload.size() < size) return std::nullopt;
  return payload.substr(0, size);
}

}  // namespace

bool IsPlainTransportStream(std::string_view head) {
  if (head.size() < kTransportPacketBytes * kTransportPacketsChecked) return false;
  for (std::size_t packet = 0; packet < kTransportPacketsChecked; ++packet) {
    if (head[packet * kTransportPacketBytes] != kSyncByte) return false;
  }
  return true;
}

int PacketPid(std::string_view packet) {
  if (packet.size() < kTransportPacketBytes || packet[0] != kSyncByte) return -1;
  return (static_cast<unsigned char>(packet[1]) & 0x1f) << 8 |
         static_cast<unsigned char>(packet[2]);
}

bool BeginsPesPacket(std::string_view packet) { return Byte(packet, 1) & kPayloadUnitStart; }

std::string_view PacketPayload(std::string_view packet) {
  const unsigned control = Byte(packet, 3) >> 4 & 0x3;
  if (!(control & 0x1)) return {};
  std::size_t at = kPacketHeaderBytes;
  if (control & 0x2) at += 1 + Byte(packet, kPacketHeaderBytes);
  return at < kTransportPacketBytes ? packet.substr(at, kTransportPacketBytes - at)
                                    : std::string_view();
}

std::size_t NextPesStart(std::string_view packets, int pid) {
  for (std::size_t at = 0; at + kTransportPacketBytes <= packets.size();
       at += kTransportPacketBytes) {
    const std::string_view packet = packets.substr(at, kTransportPacketBytes);
    if (PacketPid(packet) == pid && BeginsPesPacket(packet)) return at;
  }
  return std::string_view::npos;
}

namespace {

// The time stamp in the 5 bytes at `at` of the PES header of `packet`,
// when its flags have `flag`.
std::optional<std::int64_t> PesTime(std::string_view packet, unsigned flag, std::size_t at) {
  if (PacketPid(packet) < 0 || !BeginsPesPacket(packet)) return std::nullopt;
  const std::optional<std::string_view> header = PesHeader(PacketPayload(packet));
  if (!header || (Byte(*header, 7) & flag) != flag || header->size() < at + kPtsBytes)
    return std::nullopt;
  const std::string_view time = header->substr(at, kPtsBytes);
  return static_cast<std::int64_t>(Byte(time, 0) >> 1 & 0x7) << 30 |
         static_cast<std::int64_t>(Byte(time, 1)) << 22 |
         static_cast<std::int64_t>(Byte(time, 2) >> 1) << 15 |
         static_cast<std::int64_t>(Byte(time, 3)) << 7 | Byte(time, 4) >> 1;
}

}  // namespace

std::optional<std::int64_t> PesPresentationTime(std::string_view packet) {
  return PesTime(packet, kHasPts, kPesFixedHeaderBytes);
}

std::optional<std::int64_t> PesDecodingTime(std::string_view packet) {
  const std::optional<std::int64_t> dts =
      PesTime(packet, kHasPts | kHasDts, kPesFixedHeaderBytes + kPtsBytes);
  return dts ? dts : PesPresentationTime(packet);
}

std::int64_t PesTicksBetween(std::int64_t a, std::int64_t b) {
  const std::int64_t ahead = ((a - b) % kTickWrap + kTickWrap) % kTickWrap;
  return ahead >= kTickWrap / 2 ? ahead - kTickWrap : ahead;
}

std::int64_t PesTicksOf(std::int64_t microseconds) {
  const std::int64_t scaled = microseconds * 9;
  return scaled / 100 - (scaled % 100 < 0 ? 1 : 0);
}

std::optional<std::string> PesPayload(std::string_view packets, std::size_t firstBytes,
                                      bool wholeStream) {
  const int pid = PacketPid(packets);
  if (pid < 0 || !BeginsPesPacket(packets)) return std::nullopt;
  const std::string_view first = PacketPayload(packets.substr(0, kTransportPacketBytes));
  const std::optional<std::string_view> header = PesHeader(first);
  if (!header) return std::nullopt;
  std::string payload(first.substr(header->size()));
  if (payload.size() >= firstBytes) return payload.substr(0, firstBytes);
  for (std::size_t at = kTransportPacketBytes; at + kTransportPacketBytes <= packets.size();
       at += kTransportPacketBytes) {
    const std::string_view packet = packets.substr(at, kTransportPacketBytes);
    if (PacketPid(packet) != pid) continue;
    if (BeginsPesPacket(packet)) return payload;
    payload += PacketPayload(packet);
    if (payload.size() >= firstBytes) return payload.substr(0, firstBytes);
  }
  if (wholeStream) return payload;
  return std::nullopt;
}

}  // namespace trellimux
