#include "transport/PartSeams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "transport/TransportStreamBuilder.h"

namespace trellimux {
namespace {

using test::TransportPacket;

constexpr std::size_t kPacket = kTransportPacketBytes;
constexpr int kNullPid = 0x1fff;

// A stream's packets: a video PID and an audio PID taking turns, each
// packet's continuity counter running on and its payload numbered, as a
// receiver writes them, so that no two packets are alike.
std::string Recording(std::size_t packets) {
  std::string stream;
  for (std::size_t n = 0; n < packets; ++n) {
    const int pid = n % 4 == 3 ? 0x101 : 0x100;
    std::string packet = TransportPacket(pid, n % 16 == 0, "payload " + std::to_string(n));
    packet[3] = static_cast<char>(packet[3] | (n & 0x0f));
    stream += packet;
  }
  return stream;
}

std::string NullPackets(std::size_t count) {
  std::string packets;
  for (std::size_t n = 0; n < count; ++n) packets += TransportPacket(kNullPid, false, "");
  return packets;
}

// A header as receivers write one: bytes of their own, among them sync
// bytes 188 apart for a few packets, as if packets began there.
std::string Header(std::size_t size) {
  std::string header(size, '\0');
  for (std::size_t i = 0; i < size; ++i) header[i] = static_cast<char>(i * 7 % 251);
  for (std::size_t n = 0; n < 6 && n * kPacket < size; ++n) header[10 + n * kPacket] = 0x47;
  return header;
}

SeamPart PartOf(const std::string& bytes) {
  return {static_cast<std::int64_t>(bytes.size()), [&bytes](std::int64_t offset, std::size_t size) {
            if (offset >= static_cast<std::int64_t>(bytes.size())) return std::string();
            return bytes.substr(static_cast<std::size_t>(offset), size);
          }};
}

// The parts joined as the seams say.
std::string Joined(const std::vector<std::string>& parts, const std::vector<PartSeam>& seams) {
  std::string joined;
  for (std::size_t i = 0; i < parts.size(); ++i)
    joined += parts[i].substr(static_cast<std::size_t>(seams[i].Start()));
  return joined;
}

TEST(PartSeams, TheFirstPacketIsWhereSyncBytesRunOn) {
  const std::string stream = Recording(40);
  std::string noSyncAtAll(4096, '\0');
  const struct {
    const char* what;
    std::string head;
    std::optional<std::size_t> first;
  } kCases[] = {
      {"packets from the first byte", stream, 0},
      {"a header of 4 KiB with a few sync bytes in it", Header(4096) + stream, 4096},
      {"a header of one byte", "x" + stream, 1},
      {"two packets only", stream.substr(0, 2 * kPacket), 0},
      {"one packet: too short to tell", stream.substr(0, kPacket), std::nullopt},
      {"192-byte packets, a time code first",
       [&] {
         std::string packets;
         for (std::size_t n = 0; n < 40; ++n)
           packets += "tc.." + stream.substr(n * kPacket, kPacket);
         return packets;
       }(),
       std::nullopt},
      {"no packets", noSyncAtAll, std::nullopt},
      {"nothing", "", std::nullopt},
  };
  for (const auto& c : kCases) EXPECT_EQ(FirstPacketOffset(c.head), c.first) << c.what;
}

TEST(PartSeams, TheRepeatIsTheLongestRunOfTheNextPartsFirstPacketsEndingThePartBefore) {
  // Letters stand for packets; alike letters are alike packets.
  const auto packets = [](std::string_view letters) {
    std::string made;
    for (char letter : letters)
      made +=
          letter == 'N' ? NullPackets(1) : TransportPacket(0x100, false, std::string(1, letter));
    return made;
  };
  const struct {
    const char* tail;
    const char* head;
    std::size_t repeated;
  } kCases[] = {
      {"abcdef", "defghi", 3}, {"abcdef", "ghijkl", 0},
      {"ababa", "babac", 4},                       // the first candidate "ba" is not the longest
      {"abcaab", "abcd", 2},   {"abc", "abc", 3},  // a whole part repeated
      {"abNN", "NNcd", 0},                         // null packets are alike in any stream
      {"aNN", "aNNb", 3},                          // with a real packet among them
      {"xaN", "aNb", 2},       {"", "abc", 0},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(RepeatedPacketCount(packets(c.tail), packets(c.head)), c.repeated)
        << c.tail << " | " << c.head;
}

TEST(PartSeams, JoinedAsTheSeamsSayThePartsGiveEveryPacketOnceInOrder) {
  const std::string recording = Recording(3000);
  const std::size_t cuts[] = {0, 1000, 2000, 3000};  // in packets
  const auto piece = [&](std::size_t from, std::size_t to) {
    return recording.substr(from * kPacket, (to - from) * kPacket);
  };
  const struct {
    const char* what;
    std::size_t header;
    std::size_t repeated;
  } kCases[] = {
      {"cut at packets", 0, 0},
      {"256 packets repeated at each seam", 0, 256},
      {"a header of 4 KiB before each part", 4096, 0},
      {"both", 4096, 256},
      {"one packet repeated", 0, 1},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> parts;
    for (std::size_t i = 0; i + 1 < std::size(cuts); ++i) {
      const std::size_t from = i == 0 ? 0 : cuts[i] - c.repeated;
      parts.push_back(Header(c.header) + piece(from, cuts[i + 1]));
    }
    std::vector<SeamPart> seamParts;
    for (const std::string& part : parts) seamParts.push_back(PartOf(part));
    const std::vector<PartSeam> seams = FindPartSeams(seamParts);
    ASSERT_EQ(seams.size(), parts.size());
    for (std::size_t i = 0; i < seams.size(); ++i) {
      EXPECT_TRUE(seams[i].transport);
      EXPECT_EQ(seams[i].headerBytes, static_cast<std::int64_t>(c.header)) << "part " << i + 1;
      EXPECT_EQ(seams[i].repeatedPackets, static_cast<std::int64_t>(i == 0 ? 0 : c.repeated))
          << "part " << i + 1;
    }
    EXPECT_EQ(AnyPartSkips(seams), c.header > 0 || c.repeated > 0);
    EXPECT_TRUE(Joined(parts, seams) == recording);
  }
}

TEST(PartSeams, PartsThatCannotBeComparedAreReadWhole) {
  const std::string recording = Recording(600);
  const std::string first = recording.substr(0, 300 * kPacket);
  const std::string repeating = recording.substr(290 * kPacket);
  const std::string notPackets(10000, 'x');
  const struct {
    const char* what;
    std::vector<std::string> parts;
    bool readable[2];
    std::int64_t secondRepeats;
    bool secondTransport;
  } kCases[] = {
      {"the part before has no packets", {notPackets, repeating}, {true, true}, 0, true},
      {"the part before ends in half a packet", {first + "half", repeating}, {true, true}, 0, true},
      {"a part not looked at for its name", {first, repeating}, {true, false}, 0, false},
      {"both looked at", {first, repeating}, {true, true}, 10, true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    std::vector<SeamPart> parts;
    for (std::size_t i = 0; i < 2; ++i) {
      parts.push_back(PartOf(c.parts[i]));
      if (!c.readable[i]) parts.back().read = nullptr;
    }
    const std::vector<PartSeam> seams = FindPartSeams(parts);
    EXPECT_EQ(seams[1].transport, c.secondTransport);
    EXPECT_EQ(seams[1].repeatedPackets, c.secondRepeats);
    EXPECT_EQ(seams[0].Start(), 0);
  }
}

}  // namespace
}  // namespace trellimux
