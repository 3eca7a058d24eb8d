#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "transport/TransportStreamBuilder.h"
#include "trim/TransportCopy.h"
#include "trim/TransportCopyLine.h"

namespace trellimux {
namespace {

using test::PesHeaderWithPts;
using test::PesHeaderWithTimes;
using test::PesPackets;
using test::Pid;
using test::Section;
using test::TransportPacket;

constexpr int kVideo = 0x100;
constexpr int kAudio = 0x101;
constexpr int kMap = 0x1000;

// Microseconds of a 90 kHz time.
std::int64_t Us(std::int64_t ticks) { return ticks * 100 / 9; }

struct Picture {
  std::int64_t pts, dts;  // ticks
  int packets;
};

std::string Tables() {
  const std::string pat = Section(0x00, std::string("\x00\x01\xc1\x00\x00\x00\x01", 7) + Pid(kMap));
  const std::string pmt = Section(
      0x02, std::string("\x00\x01\xc1\x00\x00", 5) + Pid(kVideo) + std::string("\xf0\x00\x1b", 3) +
                Pid(kVideo) + std::string("\xf0\x00\x04", 3) + Pid(kAudio) +
                std::string("\xf0\x00\x06", 3) + Pid(0x102) + std::string("\xf0\x00", 2));
  return TransportPacket(0, true, pat) + TransportPacket(kMap, true, pmt);
}

// A stream that a multiplexer could have written: its tables, then
// pictures, each followed by an audio PES packet of two packets shown a
// picture's time (3600 ticks) before it is decoded, the second packet after
// the next picture; the tables again after the keyframe; the continuity
// counters counting per PID.
struct Source {
  std::string bytes;
  std::int64_t keyframeByte = -1;
  std::vector<std::int64_t> pictureBytes;
};

Source MakeSource(const std::vector<Picture>& pictures, std::size_t keyframe) {
  Source source;
  std::vector<std::string> packets;
  auto add = [&](const std::string& bytes) {
    for (std::size_t at = 0; at < bytes.size(); at += 188) packets.push_back(bytes.substr(at, 188));
  };
  add(Tables());
  std::string audioRest;
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    source.pictureBytes.push_back(static_cast<std::int64_t>(packets.size()) * 188);
    if (i == keyframe) source.keyframeByte = source.pictureBytes.back();
    const std::string pes = PesHeaderWithTimes(pictures[i].pts, pictures[i].dts) +
                            std::string(static_cast<std::size_t>(pictures[i].packets) * 184 - 19,
                                        static_cast<char>('a' + i));
    for (const std::string& packet : PesPackets(kVideo, pes)) packets.push_back(packet);
    if (!audioRest.empty()) packets.push_back(audioRest);
    const std::vector<std::string> audio =
        PesPackets(kAudio, PesHeaderWithPts(pictures[i].dts - 3600) + std::string(300, 't'));
    packets.push_back(audio[0]);
    audioRest = audio[1];
    if (i == keyframe + 1) add(Tables());
  }
  std::vector<unsigned> counters(8192, 5);  // any start
  for (std::string& packet : packets) {
    const int pid = PacketPid(packet);
    packet[3] = static_cast<char>((packet[3] & 0xf0) | (counters[pid]++ & 0x0f));
    source.bytes += packet;
  }
  return source;
}

struct Made {
  TransportCopyOutcome outcome;
  std::string bytes;
};

Made Copy(const Source& source, const TransportCut& cut,
          const std::map<std::string, std::string>& pieces = {}) {
  Made made;
  made.outcome = CopyTransportCut(
      [&](std::int64_t offset, std::size_t size) {
        return offset >= static_cast<std::int64_t>(source.bytes.size())
                   ? std::string()
                   : source.bytes.substr(static_cast<std::size_t>(offset), size);
      },
      [&](const std::string& path) -> std::optional<std::string> {
        const auto found = pieces.find(path);
        if (found == pieces.end()) return std::nullopt;
        return found->second;
      },
      cut,
      [&](std::string_view bytes) {
        made.bytes += bytes;
        return true;
      });
  return made;
}

TransportCut VideoCut(const Source& source, std::int64_t keyframeTicks,
                      std::optional<std::int64_t> stopTicks) {
  TransportCut cut;
  cut.pids = {kVideo};
  cut.video = TransportCopyRange{source.keyframeByte, Us(keyframeTicks),
                                 stopTicks ? std::optional(Us(*stopTicks)) : std::nullopt};
  return cut;
}

// What a player reads of a cut: per PID, the times of its PES packets in
// file order, whether each PID's counters count on, and the PIDs listed by
// the map table.
struct Read {
  std::map<int, std::vector<std::int64_t>> shown;
  std::map<int, int> packets;
  bool countersCountOn = true;
  std::vector<int> tablePackets;  // the packet indexes of the map table
};

Read ReadCut(const std::string& bytes) {
  Read read;
  std::map<int, int> last;
  for (std::size_t at = 0; at + 188 <= bytes.size(); at += 188) {
    const std::string packet = bytes.substr(at, 188);
    const int pid = PacketPid(packet);
    ++read.packets[pid];
    const int counter = packet[3] & 0x0f;
    if (last.contains(pid) && counter != (last[pid] + 1) % 16) read.countersCountOn = false;
    last[pid] = counter;
    if (pid == kMap) read.tablePackets.push_back(static_cast<int>(at / 188));
    if ((pid == kVideo || pid == kAudio) && BeginsPesPacket(packet))
      read.shown[pid].push_back(*PesPresentationTime(packet));
  }
  return read;
}

// An open GOP's keyframe (shown at 9000) with two leading pictures decoded
// after it, then a P and its two B-frames, then the P where the copy stops.
const std::vector<Picture> kPictures = {
    {4500, 3600, 2},                     // the GOP before
    {9000, 6300, 2},                     // the keyframe
    {7200, 7200, 1},   {8100, 8100, 2},  // its leading pictures
    {11700, 9000, 2},  {9900, 9900, 1},
    {10800, 10800, 1}, {14400, 11700, 2},  // the first packet not copied
    {12600, 12600, 1},
};

TEST(TransportCopy, CopiesTheVideoFromTheKeyframeWithoutItsLeadingPictures) {
  const Source source = MakeSource(kPictures, 1);
  const Made made = Copy(source, VideoCut(source, 9000, 11700));
  ASSERT_EQ(made.outcome.failure, TransportCopyFailure::None);
  EXPECT_EQ(made.outcome.count.pictures, 4);
  EXPECT_EQ(made.outcome.count.leftOut, 2);
  Read read = ReadCut(made.bytes);
  EXPECT_EQ(read.shown[kVideo], (std::vector<std::int64_t>{9000, 11700, 9900, 10800}));
  EXPECT_EQ(read.packets[kAudio], 0) << "a stream not asked for";
  EXPECT_TRUE(read.countersCountOn);
  // The cut's tables first, where the source's were, and at the end.
  EXPECT_EQ(read.tablePackets, (std::vector<int>{1, 5, 11}));
  // The video's packets are byte for byte the source's, but for the counter.
  for (std::size_t at = 0; at + 188 <= made.bytes.size(); at += 188) {
    std::string packet = made.bytes.substr(at, 188);
    if (PacketPid(packet) != kVideo) continue;
    bool found = false;
    for (std::size_t from = 0; from + 188 <= source.bytes.size() && !found; from += 188) {
      std::string candidate = source.bytes.substr(from, 188);
      candidate[3] = packet[3];
      found = candidate == packet;
    }
    EXPECT_TRUE(found) << "packet " << at / 188;
  }

  // Without a stop, to the end of the file.
  const Made whole = Copy(source, VideoCut(source, 9000, std::nullopt));
  ASSERT_EQ(whole.outcome.failure, TransportCopyFailure::None);
  EXPECT_EQ(whole.outcome.count.pictures, 6);
}

// Another stream: its PES packets shown within its span that begin in the
// video's copy, the one under way when the copy stops finished, the one
// under way at the keyframe's byte left out; the pieces before and after in
// decoding order without their tables; and every time moved as one.
TEST(TransportCopy, PutsTheOtherStreamsAndThePiecesAroundTheCopy) {
  const Source source = MakeSource(kPictures, 1);
  TransportCut cut = VideoCut(source, 9000, 11700);
  cut.pids = {kVideo, kAudio};
  cut.others = {{kAudio, Us(3600), Us(8100)}};
  // A head piece: a table, video and audio of its own, out of order.
  std::string head = Tables();
  for (const std::string& packet :
       PesPackets(kAudio, PesHeaderWithPts(1800) + std::string(200, 'h')))
    head += packet;
  for (const std::string& packet :
       PesPackets(kVideo, PesHeaderWithTimes(2700, 900) + std::string(100, 'v')))
    head += packet;
  cut.firstPieces = {"head.ts"};
  cut.lastPieces = {"end.ts"};
  const std::string end =
      PesPackets(kVideo, PesHeaderWithTimes(13500, 12600) + std::string(100, 'e')).front();
  const Made made = Copy(source, cut, {{"head.ts", head}, {"end.ts", end}});
  ASSERT_EQ(made.outcome.failure, TransportCopyFailure::None);
  Read read = ReadCut(made.bytes);
  EXPECT_EQ(read.shown[kVideo], (std::vector<std::int64_t>{2700, 9000, 11700, 9900, 10800, 13500}));
  // The source's audio from the keyframe's byte on is shown at 2700, 3600,
  // ...: from 3600 up to 8100, the one under way at the stop (7200) whole.
  EXPECT_EQ(read.shown[kAudio], (std::vector<std::int64_t>{1800, 3600, 4500, 5400, 6300, 7200}));
  EXPECT_EQ(read.packets[kAudio], 2 + 5 * 2);
  EXPECT_TRUE(read.countersCountOn);
  EXPECT_EQ(read.tablePackets.front(), 1) << "the pieces' tables give way to the cut's";

  cut.moveMicroseconds = Us(-900);
  const Made moved = Copy(source, cut, {{"head.ts", head}, {"end.ts", end}});
  read = ReadCut(moved.bytes);
  EXPECT_EQ(read.shown[kVideo], (std::vector<std::int64_t>{1800, 8100, 10800, 9000, 9900, 12600}));
  EXPECT_EQ(read.shown[kAudio].front(), 900);
}

TEST(TransportCopy, FailsOnAWrongStartMissingTablesOrPiecesAndAFullDisk) {
  const Source source = MakeSource(kPictures, 1);
  TransportCut cut = VideoCut(source, 9000, 11700);
  cut.video->fromByte += 188;
  EXPECT_EQ(Copy(source, cut).outcome.failure, TransportCopyFailure::Keyframe)
      << "the keyframe's second packet";
  EXPECT_EQ(Copy(source, VideoCut(source, 4500, 11700)).outcome.failure,
            TransportCopyFailure::Keyframe)
      << "another picture";
  cut = VideoCut(source, 9000, 11700);
  cut.video->fromByte = static_cast<std::int64_t>(source.bytes.size());
  EXPECT_EQ(Copy(source, cut).outcome.failure, TransportCopyFailure::Keyframe) << "past the end";
  cut = VideoCut(source, 9000, 11700);
  cut.pids = {0x300};
  EXPECT_EQ(Copy(source, cut).outcome.failure, TransportCopyFailure::Tables)
      << "a video no table lists";
  cut = VideoCut(source, 9000, 11700);
  cut.firstPieces = {"gone.ts"};
  EXPECT_EQ(Copy(source, cut).outcome.failure, TransportCopyFailure::Piece);
  const TransportCopyOutcome full = CopyTransportCut(
      [&](std::int64_t offset, std::size_t size) {
        return source.bytes.substr(static_cast<std::size_t>(offset), size);
      },
      [](const std::string&) { return std::optional<std::string>(); },
      VideoCut(source, 9000, std::nullopt), [](std::string_view) { return false; });
  EXPECT_EQ(full.failure, TransportCopyFailure::Writer) << "a full disk";
}

// The box's copy line reads back as the cut it was written for; a line
// edited out of shape reads as none.
TEST(TransportCopy, ItsLineReadsBackAsTheCut) {
  TransportCopyStep full{"D:\\Rec\\film.ts", "D:\\T\\temp0.ts", {}};
  full.cut.pids = {256, 257};
  full.cut.firstPieces = {"D:\\T\\temp0-head.ts", "D:\\T\\temp0-head-257.ts"};
  full.cut.video = TransportCopyRange{1316, 1410000, 3370000};
  full.cut.others = {{257, 1380000, 3350000}};
  full.cut.lastPieces = {"D:\\T\\temp0-end.ts"};
  full.cut.moveMicroseconds = -58600000;
  const std::string line = TransportCopyLine(full);
  EXPECT_EQ(line,
            " Copy packets from \"D:\\Rec\\film.ts\" to \"D:\\T\\temp0.ts\": PIDs 256 257; first"
            " \"D:\\T\\temp0-head.ts\" \"D:\\T\\temp0-head-257.ts\"; video from byte 1316,"
            " keyframe 1.410000 s, to decoding time 3.370000 s; PID 257 from 1.380000 s to"
            " 3.350000 s; last \"D:\\T\\temp0-end.ts\"; times moved by -58.600000 s");
  TransportCopyStep toTheEnd = full;
  toTheEnd.cut.video->stopDts.reset();
  toTheEnd.cut.lastPieces.clear();
  toTheEnd.cut.moveMicroseconds = 0;
  TransportCopyStep piecesOnly = full;
  piecesOnly.cut.video.reset();
  piecesOnly.cut.others.clear();
  for (const TransportCopyStep& step : {full, toTheEnd, piecesOnly}) {
    const std::string written = TransportCopyLine(step);
    const std::optional<TransportCopyStep> read = ParseTransportCopyLine(written);
    ASSERT_TRUE(read) << written;
    EXPECT_TRUE(IsTransportCopyLine(written));
    EXPECT_EQ(TransportCopyLine(*read), written);
  }
  for (const std::string& edited :
       {line.substr(0, line.size() - 1), line + " -y", line.substr(0, 30),
        line.substr(0, line.find("PIDs") + 5) + "9000 257" + line.substr(line.find(";")),
        line.substr(0, line.find("; video")) + "; video from byte -5" +
            line.substr(line.find(",", line.find("; video")))})
    EXPECT_FALSE(ParseTransportCopyLine(edited)) << edited;
  EXPECT_FALSE(IsTransportCopyLine(" -i \"D:\\a.ts\""));
}

}  // namespace
}  // namespace trellimux
