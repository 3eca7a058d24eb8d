#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "transport/TransportStreamBuilder.h"
#include "trim/TransportCopy.h"
#include "trim/TransportCopyLine.h"

namespace trellimux {
namespace {

using test::PesHeaderWithTimes;
using test::PesPackets;
using test::TransportPacket;

constexpr int kVideo = 0x100;
constexpr int kAudio = 0x101;

// Microseconds of a 90 kHz time.
std::int64_t Us(std::int64_t ticks) { return ticks * 100 / 9; }

struct Picture {
  std::int64_t pts, dts;  // ticks
  int packets;
};

// A stream that a multiplexer could have written: a table packet, then
// pictures of two packets each with an audio packet after each, the
// continuity counters counting per PID.
struct Source {
  std::string bytes;
  std::int64_t keyframeByte = -1;
};

Source MakeSource(const std::vector<Picture>& pictures, std::size_t keyframe) {
  Source source;
  std::vector<std::string> packets = {TransportPacket(0, true, std::string("\0\0\xb0\x0d", 4))};
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    if (i == keyframe) source.keyframeByte = static_cast<std::int64_t>(packets.size()) * 188;
    const std::string pes = PesHeaderWithTimes(pictures[i].pts, pictures[i].dts) +
                            std::string(static_cast<std::size_t>(pictures[i].packets) * 184 - 19,
                                        static_cast<char>('a' + i));
    for (const std::string& packet : PesPackets(kVideo, pes)) packets.push_back(packet);
    packets.push_back(TransportPacket(kAudio, true, std::string("\0\0\1\xc0", 4) + "tone"));
    if (i == keyframe + 1)
      packets.push_back(TransportPacket(0, true, std::string("\0\0\xb0\x0d", 4)));
  }
  std::vector<unsigned> counters(8192, 5);  // any start
  for (std::string& packet : packets) {
    const int pid = PacketPid(packet);
    packet[3] = static_cast<char>((packet[3] & 0xf0) | (counters[pid]++ & 0x0f));
    source.bytes += packet;
  }
  return source;
}

struct Copied {
  std::optional<TransportCopyCount> count;
  std::string bytes;
};

Copied Copy(const Source& source, std::int64_t keyframeTicks, std::optional<std::int64_t> stopTicks,
            std::int64_t fromByte) {
  Copied copied;
  TransportCopyRange range{kVideo, fromByte, Us(keyframeTicks),
                           stopTicks ? std::optional(Us(*stopTicks)) : std::nullopt};
  copied.count = CopyTransportVideo(
      [&](std::int64_t offset, std::size_t size) {
        return offset >= static_cast<std::int64_t>(source.bytes.size())
                   ? std::string()
                   : source.bytes.substr(static_cast<std::size_t>(offset), size);
      },
      range,
      [&](std::string_view bytes) {
        copied.bytes += bytes;
        return true;
      });
  return copied;
}

// An open GOP's keyframe (shown at 9000) with two leading pictures decoded
// after it, then a P and its two B-frames, then the P where the copy stops.
const std::vector<Picture> kPictures = {
    {4500, 3600, 2},                     // the GOP before
    {9000, 6300, 2},                     // the keyframe
    {7200, 7200, 1},   {8100, 8100, 2},  // its leading pictures
    {11700, 9000, 2},  {9900, 9900, 1},
    {10800, 10800, 1}, {14400, 11700, 2},  // the first packet not copied
};

TEST(TransportCopy, CopiesTheVideoFromTheKeyframeWithoutItsLeadingPictures) {
  const Source source = MakeSource(kPictures, 1);
  const Copied copied = Copy(source, 9000, 11700, source.keyframeByte);
  ASSERT_TRUE(copied.count);
  EXPECT_EQ(copied.count->pictures, 4);
  EXPECT_EQ(copied.count->leftOut, 2);

  std::vector<std::int64_t> shown;
  std::vector<int> counters[2];
  for (std::size_t at = 0; at + 188 <= copied.bytes.size(); at += 188) {
    const std::string packet = copied.bytes.substr(at, 188);
    const int pid = PacketPid(packet);
    ASSERT_TRUE(pid == kVideo || pid == 0) << "only the video and the tables: " << pid;
    counters[pid == kVideo].push_back(packet[3] & 0x0f);
    if (pid == kVideo && BeginsPesPacket(packet)) shown.push_back(*PesPresentationTime(packet));
    // Byte for byte the source's packet, but for the counter.
    std::string original = packet;
    bool found = false;
    for (std::size_t from = 0; from + 188 <= source.bytes.size() && !found; from += 188) {
      std::string candidate = source.bytes.substr(from, 188);
      candidate[3] = original[3];
      found = candidate == original;
    }
    EXPECT_TRUE(found) << "packet " << at / 188;
  }
  EXPECT_EQ(shown, (std::vector<std::int64_t>{9000, 11700, 9900, 10800}));
  for (const std::vector<int>& pid : counters)
    for (std::size_t i = 1; i < pid.size(); ++i) EXPECT_EQ(pid[i], (pid[i - 1] + 1) % 16);
  EXPECT_EQ(counters[0].size(), 1u) << "the table after the keyframe";

  // Without a stop, to the end of the file.
  const Copied whole = Copy(source, 9000, std::nullopt, source.keyframeByte);
  ASSERT_TRUE(whole.count);
  EXPECT_EQ(whole.count->pictures, 5);
}

TEST(TransportCopy, RefusesAStartThatIsNotTheKeyframeAndStopsWithTheWriter) {
  const Source source = MakeSource(kPictures, 1);
  EXPECT_FALSE(Copy(source, 9000, 11700, source.keyframeByte + 188).count)
      << "the keyframe's second packet";
  EXPECT_FALSE(Copy(source, 4500, 11700, source.keyframeByte).count) << "another picture";
  EXPECT_FALSE(Copy(source, 9000, 11700, static_cast<std::int64_t>(source.bytes.size())).count)
      << "past the end";
  TransportCopyRange range{kVideo, source.keyframeByte, Us(9000), std::nullopt};
  EXPECT_FALSE(CopyTransportVideo(
      [&](std::int64_t offset, std::size_t size) {
        return source.bytes.substr(static_cast<std::size_t>(offset), size);
      },
      range, [](std::string_view) { return false; }))
      << "a full disk";
}

// The box's copy line reads back as the copy it was written for; a line
// edited out of shape reads as none.
TEST(TransportCopy, ItsLineReadsBackAsTheCopy) {
  const TransportCopyStep stops{
      "D:\\Rec\\film.ts", "D:\\T\\temp0-copy.ts", {256, 1316, 1410000, 3370000}};
  const std::string line = TransportCopyLine(stops);
  EXPECT_EQ(line,
            " Copy video packets: PID 256 from byte 1316, keyframe 1.410000 s, to decoding time"
            " 3.370000 s, from \"D:\\Rec\\film.ts\" to \"D:\\T\\temp0-copy.ts\"");
  TransportCopyStep toTheEnd = stops;
  toTheEnd.range.stopDts.reset();
  for (const TransportCopyStep& step : {stops, toTheEnd}) {
    const std::optional<TransportCopyStep> read = ParseTransportCopyLine(TransportCopyLine(step));
    ASSERT_TRUE(read) << TransportCopyLine(step);
    EXPECT_TRUE(IsTransportCopyLine(TransportCopyLine(step)));
    EXPECT_EQ(read->inputPath, step.inputPath);
    EXPECT_EQ(read->outputPath, step.outputPath);
    EXPECT_EQ(read->range.videoPid, step.range.videoPid);
    EXPECT_EQ(read->range.fromByte, step.range.fromByte);
    EXPECT_EQ(read->range.keyframePts, step.range.keyframePts);
    EXPECT_EQ(read->range.stopDts, step.range.stopDts);
  }
  for (const std::string& edited :
       {line.substr(0, line.size() - 1), line + " -y", line.substr(0, 30),
        std::string(" Copy video packets: PID 9000") + line.substr(29)})
    EXPECT_FALSE(ParseTransportCopyLine(edited)) << edited;
  EXPECT_FALSE(IsTransportCopyLine(" -i \"D:\\a.ts\""));
}

}  // namespace
}  // namespace trellimux
