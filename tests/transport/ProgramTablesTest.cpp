#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "transport/ProgramTables.h"
#include "transport/TransportStreamBuilder.h"

namespace trellimux {
namespace {

using test::Pid;
using test::Section;
using test::TransportPacket;

// Two programs, as a multiplex of a satellite transponder has; the second
// carries the video on PID 511 and an audio on 512.
std::string TwoPrograms() {
  const std::string pat = Section(
      0x00, std::string("\x00\x01\xc1\x00\x00", 5) +    // stream id, version
                std::string("\x00\x00", 2) + Pid(16) +  // the network table
                std::string("\x6d\x66", 2) + Pid(100) + std::string("\x6d\x67", 2) + Pid(200));
  auto pmt = [](int number, int video) {
    return Section(
        0x02, std::string{static_cast<char>(number >> 8), static_cast<char>(number & 0xff)} +
                  std::string("\xc1\x00\x00", 3) + Pid(video) + std::string("\xf0\x00", 2) +
                  std::string("\x1b", 1) + Pid(video) + std::string("\xf0\x00", 2) +
                  std::string("\x04", 1) + Pid(video + 1) + std::string("\xf0\x03\x0a\x01\x65", 5));
  };
  return TransportPacket(0x200, false, "video going on") + TransportPacket(0, true, pat) +
         TransportPacket(100, true, pmt(28006, 401)) + TransportPacket(200, true, pmt(28007, 511));
}

TEST(ProgramTables, FindsTheProgramWhoseMapTableListsTheStream) {
  const std::string stream = TwoPrograms();
  const TransportReader read = [&](std::int64_t offset, std::size_t size) {
    return stream.substr(static_cast<std::size_t>(offset), size);
  };
  const std::optional<TransportProgram> program = FindProgramOf(read, 511);
  ASSERT_TRUE(program);
  EXPECT_EQ(program->number, 28007);
  EXPECT_EQ(program->mapPid, 200);
  EXPECT_EQ(FindProgramOf(read, 402)->number, 28006) << "an audio PID, after a descriptor";
  EXPECT_FALSE(FindProgramOf(read, 600)) << "listed by no map table";
  EXPECT_FALSE(FindProgramOf([](std::int64_t, std::size_t) { return std::string(); }, 511))
      << "an empty file";
}

// The cut's own tables: one program, its map table with only the streams
// kept and the clock moved to the first of them when its PID is not kept,
// each section's CRC as a decoder checks it (over the section and its CRC,
// the CRC of ISO/IEC 13818-1 gives 0).
TEST(ProgramTables, MakesTheCutsOwnTablesOfTheStreamsKept) {
  const std::string stream = TwoPrograms();
  const TransportReader read = [&](std::int64_t offset, std::size_t size) {
    return stream.substr(static_cast<std::size_t>(offset), size);
  };
  const std::optional<TransportProgram> program = FindProgramOf(read, 511);
  ASSERT_TRUE(program);
  auto crcOfWhole = [](std::string_view packet) {
    const std::string_view payload = PacketPayload(packet);
    const std::size_t length = (static_cast<unsigned char>(payload[2]) & 0x0f) << 8 |
                               static_cast<unsigned char>(payload[3]);
    std::uint32_t crc = 0xffffffff;
    for (const char byte : payload.substr(1, 3 + length)) {
      crc ^= static_cast<std::uint32_t>(static_cast<unsigned char>(byte)) << 24;
      for (int bit = 0; bit < 8; ++bit) crc = crc & 0x80000000 ? crc << 1 ^ 0x04c11db7 : crc << 1;
    }
    return crc;
  };
  for (const auto& [pids, listed, clock] :
       {std::tuple{std::vector<int>{511, 512}, std::vector<int>{511, 512}, 511},
        {std::vector<int>{511}, std::vector<int>{511}, 511},
        {std::vector<int>{512}, std::vector<int>{512}, 512}}) {
    const std::optional<ProgramTablePackets> tables = MakeProgramTables(*program, pids);
    ASSERT_TRUE(tables);
    ASSERT_EQ(tables->association.size(), kTransportPacketBytes);
    ASSERT_EQ(tables->map.size(), kTransportPacketBytes);
    EXPECT_EQ(PacketPid(tables->association), 0);
    EXPECT_EQ(PacketPid(tables->map), 200);
    EXPECT_EQ(crcOfWhole(tables->association), 0u);
    EXPECT_EQ(crcOfWhole(tables->map), 0u);
    // Read back as a player would: the program, and which PIDs its map lists.
    const std::string cut = tables->association + tables->map;
    const TransportReader readCut = [&](std::int64_t offset, std::size_t size) {
      return cut.substr(static_cast<std::size_t>(offset), size);
    };
    for (const int pid : {511, 512}) {
      const bool kept = std::ranges::find(listed, pid) != listed.end();
      EXPECT_EQ(FindProgramOf(readCut, pid).has_value(), kept) << pid;
    }
    const std::string_view map = PacketPayload(tables->map).substr(1);
    EXPECT_EQ((static_cast<unsigned char>(map[8]) & 0x1f) << 8 | static_cast<unsigned char>(map[9]),
              clock);
  }
  EXPECT_FALSE(MakeProgramTables({1, 200, "not a map table"}, std::vector<int>{511}));
}

}  // namespace
}  // namespace trellimux
