#include "transport/TransportPackets.h"

#include <gtest/gtest.h>

#include <string>

#include "transport/TransportStreamBuilder.h"

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

TEST(TransportPackets, ReadsAFramesTimeStampAndGathersItsBytes) {
  using test::PesHeaderWithPts;
  using test::TransportPacket;
  constexpr int kVideo = 0x100;
  constexpr std::int64_t kLatePts = (std::int64_t{1} << 33) - 3;  // every bit of the 33 used
  const std::string header = PesHeaderWithPts(kLatePts);
  const std::string stuffed = TransportPacket(kVideo, true, header + "abc");
  EXPECT_EQ(PesPresentationTime(stuffed), kLatePts) << "after an adaptation field";
  EXPECT_EQ(PesPresentationTime(TransportPacket(kVideo, true, PesHeaderWithPts(1234567) +
                                                                 std::string(200, 'x'))),
            1234567);
  std::string noPts = header;
  noPts[7] = 0;  // PTS_DTS_flags '00'
  EXPECT_EQ(PesPresentationTime(TransportPacket(kVideo, true, noPts)), std::nullopt);
  EXPECT_EQ(PesPresentationTime(TransportPacket(kVideo, false, header)), std::nullopt)
      << "not the start of a PES packet";

  const std::string frame = TransportPacket(kVideo, true, header + "first ") +
                            TransportPacket(0x101, true, "audio") +
                            TransportPacket(kVideo, false, "second ") +
                            TransportPacket(kVideo, false, "third");
  const std::string next = TransportPacket(kVideo, true, header + "next");
  EXPECT_EQ(PesPayload(frame + next), "first second third");
  EXPECT_EQ(PesPayload(frame), std::nullopt) << "its end not seen";
  EXPECT_EQ(PesPayload(frame.substr(kTransportPacketBytes) + next), std::nullopt)
      << "no PES packet begins there";
}

}  // namespace
}  // namespace trellimux
