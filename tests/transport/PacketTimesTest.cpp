#include <gtest/gtest.h>

#include <string>

#include "transport/PacketTimes.h"
#include "transport/TransportStreamBuilder.h"

namespace trellimux {
namespace {

using test::PesHeaderWithPts;
using test::PesHeaderWithTimes;
using test::TransportPacket;

constexpr std::int64_t kWrap = std::int64_t{1} << 33;

// A packet whose adaptation field carries a PCR of `base` (and extension
// 299), then `payload`.
std::string PacketWithPcr(std::int64_t base, const std::string& payload) {
  std::string packet = TransportPacket(0x100, true, payload);
  std::string field = {0x07,
                       0x10,
                       static_cast<char>(base >> 25 & 0xff),
                       static_cast<char>(base >> 17 & 0xff),
                       static_cast<char>(base >> 9 & 0xff),
                       static_cast<char>(base >> 1 & 0xff),
                       static_cast<char>((base << 7 & 0x80) | 0x7e | 0x01),
                       static_cast<char>(0x2b)};
  std::string made = packet.substr(0, 4) + field + payload;
  made[3] = 0x30;
  made.resize(188, '\xff');
  return made;
}

std::int64_t PcrBase(const std::string& packet) {
  auto byte = [&](std::size_t at) {
    return static_cast<std::int64_t>(static_cast<unsigned char>(packet[at]));
  };
  return byte(6) << 25 | byte(7) << 17 | byte(8) << 9 | byte(9) << 1 | byte(10) >> 7;
}

// Every time moves by the same ticks, round the 33-bit clock either way;
// the extension, the markers and the payload stay.
TEST(PacketTimes, MovesTheClockAndTheTimeStampsAlike) {
  const struct {
    std::int64_t pts, dts, pcr, ticks;
  } cases[] = {
      {900000, 896400, 880000, -810000},
      {kWrap - 900, kWrap - 4500, kWrap - 9000, 90000},  // over the wrap
      {1800, 900, 450, -9000},                           // under 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pts);
    const std::string payload = PesHeaderWithTimes(c.pts, c.dts) + "picture";
    std::string packet = PacketWithPcr(c.pcr, payload);
    MovePacketTimes(packet, c.ticks);
    EXPECT_EQ(*PesPresentationTime(packet), ((c.pts + c.ticks) % kWrap + kWrap) % kWrap);
    EXPECT_EQ(*PesDecodingTime(packet), ((c.dts + c.ticks) % kWrap + kWrap) % kWrap);
    EXPECT_EQ(PcrBase(packet), ((c.pcr + c.ticks) % kWrap + kWrap) % kWrap);
    EXPECT_EQ(packet[11], 0x2b) << "the extension";
    EXPECT_EQ(PacketPayload(packet).substr(19, 7), "picture");
  }
  // A PES packet's continuation has no times; a PTS alone moves alone.
  std::string going = TransportPacket(0x100, false, "going on");
  const std::string before = going;
  MovePacketTimes(going, 9000);
  EXPECT_EQ(going, before);
  std::string ptsOnly = TransportPacket(0x101, true, PesHeaderWithPts(3600) + "tone");
  MovePacketTimes(ptsOnly, 9000);
  EXPECT_EQ(*PesPresentationTime(ptsOnly), 12600);
}

}  // namespace
}  // namespace trellimux
