#include "preview/TransportPackets.h"

#include <gtest/gtest.h>

#include <string>

namespace trellimux {
namespace {

// A packet of `pid`, beginning a PES packet or going on with one.
std::string Packet(int pid, bool pesStart) {
  std::string packet(kTransportPacketBytes, '\0');
  packet[0] = 0x47;
  packet[1] = static_cast<char>((pesStart ? 0x40 : 0) | (pid >> 8 & 0x1f));
  packet[2] = static_cast<char>(pid & 0xff);
  return packet;
}

TEST(TransportPackets, OnlyAStreamOf188BytePacketsFromItsFirstByteIsFed) {
  std::string stream;
  for (std::size_t n = 0; n < kTransportPacketsChecked; ++n) stream += Packet(256, n == 0);
  std::string broken = stream;
  broken[kTransportPacketBytes * (kTransportPacketsChecked - 1)] = '\0';  // the last sync byte lost
  const struct {
    std::string head;
    bool fed;
  } kCases[] = {
      {stream, true},
      {stream + "more", true},
      {stream.substr(0, stream.size() - 1), false},  // too short to tell
      {std::string(4, '\0') + stream, false},        // 192-byte packets' time code first
      {broken, false},
      {"", false},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(IsPlainTransportStream(c.head), c.fed) << c.head.size() << " bytes";
}

TEST(TransportPackets, FindsWhereTheStreamsNextFrameBegins) {
  constexpr int kVideo = 0x1e1;  // both bytes of the PID in use
  constexpr int kAudio = 0x1e2;
  EXPECT_EQ(PacketPid(Packet(kVideo, false)), kVideo);
  EXPECT_EQ(PacketPid(Packet(kVideo, false).substr(1)), -1) << "not a whole packet";
  const std::string packets = Packet(kVideo, false) + Packet(kAudio, true) +
                              Packet(kVideo, false) + Packet(kVideo, true) + Packet(kVideo, false);
  EXPECT_EQ(NextPesStart(packets, kVideo), 3 * kTransportPacketBytes);
  EXPECT_EQ(NextPesStart(packets, kAudio), kTransportPacketBytes);
  EXPECT_EQ(NextPesStart(packets.substr(0, 3 * kTransportPacketBytes), kVideo),
            std::string::npos);
  EXPECT_EQ(NextPesStart(packets, 0x100), std::string::npos);
}

}  // namespace
}  // namespace trellimux
