#include "transport/PacketTimes.h"

#include <string_view>

#include "transport/TransportPackets.h"

namespace trellimux {
namespace {

constexpr std::int64_t kTickWrap = std::int64_t{1} << 33;
constexpr std::size_t kHeaderBytes = 4;
constexpr unsigned kHasPcr = 0x10;  // in the adaptation field's flags
constexpr unsigned kHasPts = 0x80;  // the PES header's PTS_DTS_flags
constexpr unsigned kHasDts = 0x40;

unsigned Byte(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

std::int64_t Moved(std::int64_t time, std::int64_t ticks) {
  return ((time + ticks) % kTickWrap + kTickWrap) % kTickWrap;
}

// The 5-byte time stamp at `at`, its marker bits and prefix kept.
void MoveStamp(std::string& packet, std::size_t at, std::int64_t ticks) {
  const std::int64_t time = static_cast<std::int64_t>(Byte(packet, at) >> 1 & 0x7) << 30 |
                            static_cast<std::int64_t>(Byte(packet, at + 1)) << 22 |
                            static_cast<std::int64_t>(Byte(packet, at + 2) >> 1) << 15 |
                            static_cast<std::int64_t>(Byte(packet, at + 3)) << 7 |
                            Byte(packet, at + 4) >> 1;
  const std::int64_t moved = Moved(time, ticks);
  packet[at] = static_cast<char>((Byte(packet, at) & 0xf1) | (moved >> 29 & 0x0e));
  packet[at + 1] = static_cast<char>(moved >> 22 & 0xff);
  packet[at + 2] = static_cast<char>((moved >> 14 & 0xfe) | 0x01);
  packet[at + 3] = static_cast<char>(moved >> 7 & 0xff);
  packet[at + 4] = static_cast<char>((moved << 1 & 0xfe) | 0x01);
}

// The PCR's 33-bit base at `at` (its 9-bit extension stays).
void MovePcr(std::string& packet, std::size_t at, std::int64_t ticks) {
  const std::int64_t base = static_cast<std::int64_t>(Byte(packet, at)) << 25 |
                            static_cast<std::int64_t>(Byte(packet, at + 1)) << 17 |
                            static_cast<std::int64_t>(Byte(packet, at + 2)) << 9 |
                            static_cast<std::int64_t>(Byte(packet, at + 3)) << 1 |
                            Byte(packet, at + 4) >> 7;
  const std::int64_t moved = Moved(base, ticks);
  packet[at] = static_cast<char>(moved >> 25 & 0xff);
  packet[at + 1] = static_cast<char>(moved >> 17 & 0xff);
  packet[at + 2] = static_cast<char>(moved >> 9 & 0xff);
  packet[at + 3] = static_cast<char>(moved >> 1 & 0xff);
  packet[at + 4] = static_cast<char>((Byte(packet, at + 4) & 0x7f) | (moved << 7 & 0x80));
}

}  // namespace

void MovePacketTimes(std::string& packet, std::int64_t ticks) {
  if (PacketPid(packet) < 0 || ticks == 0) return;
  const unsigned control = Byte(packet, 3) >> 4 & 0x3;
  std::size_t payload = kHeaderBytes;
  if (control & 0x2) {
    const std::size_t length = Byte(packet, kHeaderBytes);
    if (length >= 7 && (Byte(packet, kHeaderBytes + 1) & kHasPcr))
      MovePcr(packet, kHeaderBytes + 2, ticks);
    payload += 1 + length;
  }
  if (!(control & 0x1) || !BeginsPesPacket(packet) || payload + 9 > kTransportPacketBytes) return;
  if (packet.compare(payload, 3, std::string_view("\0\0\1", 3)) != 0 ||
      (Byte(packet, payload + 6) & 0xc0) != 0x80)
    return;
  const unsigned flags = Byte(packet, payload + 7);
  const std::size_t stamps = payload + 9;
  const std::size_t headerEnd = stamps + Byte(packet, payload + 8);
  if ((flags & kHasPts) && stamps + 5 <= headerEnd && headerEnd <= kTransportPacketBytes)
    MoveStamp(packet, stamps, ticks);
  if ((flags & (kHasPts | kHasDts)) == (kHasPts | kHasDts) && stamps + 10 <= headerEnd &&
      headerEnd <= kTransportPacketBytes)
    MoveStamp(packet, stamps + 5, ticks);
}

void SetContinuityCounter(std::string& packet, unsigned counter) {
  packet[3] = static_cast<char>((Byte(packet, 3) & 0xf0) | (counter & 0x0f));
}

bool CarriesPayload(const std::string& packet) { return (Byte(packet, 3) & 0x10) != 0; }

}  // namespace trellimux
