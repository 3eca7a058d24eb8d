#include <gtest/gtest.h>

#include <string>

#include "transport/ProgramTables.h"
#include "transport/TransportStreamBuilder.h"

namespace trellimux {
namespace {

using test::TransportPacket;

// A table section after its pointer field: its id, its length, `body`
// (from the field after the length on) and a CRC the reader does not check.
std::string Section(int tableId, const std::string& body) {
  const std::size_t length = body.size() + 4;
  return std::string(1, '\0') + static_cast<char>(tableId) +
         static_cast<char>(0xb0 | (length >> 8 & 0x0f)) + static_cast<char>(length & 0xff) + body +
         std::string(4, '\xcc');
}

std::string Pid(int pid) {
  return {static_cast<char>(0xe0 | pid >> 8), static_cast<char>(pid & 0xff)};
}

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

}  // namespace
}  // namespace trellimux
