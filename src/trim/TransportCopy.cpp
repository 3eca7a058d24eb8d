#include "trim/TransportCopy.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "transport/PacketTimes.h"
#include "transport/ProgramTables.h"

namespace trellimux {
namespace {

constexpr std::size_t kReadBytes = kTransportPacketBytes * 5586;  // about 1 MiB
// After the video's copy, the other streams' last PES packets end within
// this many bytes (a broadcast interleaves them within a second or so).
constexpr std::int64_t kClosingBytes = std::int64_t{32} << 20;
constexpr int kPids = 8192;
// Times read back from ffprobe's microseconds may lie a tick off the PES's.
constexpr std::int64_t kTickSlack = 2;

// Whether the payload of a packet that begins a unit is a PES packet (its
// start code) rather than a table section.
bool CarriesPes(std::string_view packet) {
  return PacketPayload(packet).starts_with(std::string_view("\0\0\1", 3));
}

// Writes packets with the cut's own continuity counters and moved times.
class CutWriter {
 public:
  CutWriter(const TransportWriter& write, std::int64_t moveTicks)
      : write_(write), moveTicks_(moveTicks) {}

  void Add(std::string packet) {
    const int pid = PacketPid(packet);
    if (CarriesPayload(packet)) SetContinuityCounter(packet, counters_[pid]++);
    MovePacketTimes(packet, moveTicks_);
    buffer_ += packet;
  }
  // Writes what was added; false when the writer stopped.
  bool Flush() {
    if (buffer_.empty()) return true;
    const bool written = write_(buffer_);
    buffer_.clear();
    return written;
  }

 private:
  const TransportWriter& write_;
  std::int64_t moveTicks_;
  std::array<unsigned, kPids> counters_{};
  std::string buffer_;
};

// A PES packet of a piece, with the transport packets that carry it.
struct PieceUnit {
  std::int64_t dts = 0;
  std::string packets;
};

// The PES packets of `pieces` in decoding order; their tables are left out.
std::optional<std::vector<PieceUnit>> ReadPieceUnits(const PieceReader& readPiece,
                                                     const std::vector<std::string>& pieces) {
  std::vector<PieceUnit> units;
  for (const std::string& path : pieces) {
    const std::optional<std::string> bytes = readPiece(path);
    if (!bytes) return std::nullopt;
    std::array<int, kPids> open;  // each PID's unit being read; -1: none, or a table
    open.fill(-1);
    for (std::size_t at = 0; at + kTransportPacketBytes <= bytes->size();
         at += kTransportPacketBytes) {
      const std::string_view packet = std::string_view(*bytes).substr(at, kTransportPacketBytes);
      const int pid = PacketPid(packet);
      if (pid < 0) continue;
      if (BeginsPesPacket(packet)) {
        open[pid] = -1;
        if (!CarriesPes(packet)) continue;
        const std::optional<std::int64_t> dts = PesDecodingTime(packet);
        if (!dts) continue;
        open[pid] = static_cast<int>(units.size());
        units.push_back({*dts, {}});
      }
      if (open[pid] >= 0) units[static_cast<std::size_t>(open[pid])].packets += packet;
    }
  }
  std::ranges::stable_sort(units, [](const PieceUnit& a, const PieceUnit& b) {
    return PesTicksBetween(a.dts, b.dts) < 0;
  });
  return units;
}

void AddUnits(CutWriter& writer, const std::vector<PieceUnit>& units) {
  for (const PieceUnit& unit : units)
    for (std::size_t at = 0; at < unit.packets.size(); at += kTransportPacketBytes)
      writer.Add(unit.packets.substr(at, kTransportPacketBytes));
}

// Another stream's state in the copy.
struct OtherState {
  std::int64_t from = 0, to = 0;  // ticks
  bool open = false;              // its current PES packet is copied
  bool ended = false;             // the video's copy ended before its next one began
};

}  // namespace

TransportCopyOutcome CopyTransportCut(const TransportReader& read, const PieceReader& readPiece,
                                      const TransportCut& cut, const TransportWriter& write) {
  TransportCopyOutcome outcome;
  auto failed = [&outcome](TransportCopyFailure failure) {
    outcome.failure = failure;
    return outcome;
  };
  if (cut.pids.empty()) return failed(TransportCopyFailure::Tables);
  const int videoPid = cut.pids.front();
  const std::optional<TransportProgram> program = FindProgramOf(read, videoPid);
  const std::optional<ProgramTablePackets> tables =
      program ? MakeProgramTables(*program, cut.pids) : std::nullopt;
  if (!tables) return failed(TransportCopyFailure::Tables);
  const std::optional<std::vector<PieceUnit>> first = ReadPieceUnits(readPiece, cut.firstPieces);
  const std::optional<std::vector<PieceUnit>> last = ReadPieceUnits(readPiece, cut.lastPieces);
  if (!first || !last) return failed(TransportCopyFailure::Piece);

  CutWriter writer(write, PesTicksOf(cut.moveMicroseconds));
  auto addTables = [&] {
    writer.Add(tables->association);
    writer.Add(tables->map);
  };
  addTables();
  AddUnits(writer, *first);

  if (cut.video) {
    const TransportCopyRange& range = *cut.video;
    const std::int64_t keyframe = PesTicksOf(range.keyframePts);
    const bool stops = range.stopDts.has_value();
    const std::int64_t stop = stops ? PesTicksOf(*range.stopDts) : 0;
    std::array<int, kPids> other;  // index into `others`; -1: not copied
    other.fill(-1);
    std::vector<OtherState> others;
    for (const CopiedStream& stream : cut.others) {
      if (stream.pid < 0 || stream.pid >= kPids || stream.pid == videoPid) continue;
      other[stream.pid] = static_cast<int>(others.size());
      others.push_back({PesTicksOf(stream.fromPts), PesTicksOf(stream.toPts)});
    }
    bool keeping = false;  // the video's current PES packet is copied
    bool firstVideo = true;
    std::int64_t videoEnded = -1;  // the byte where the video's copy ended
    for (std::int64_t offset = range.fromByte;;) {
      const std::string chunk = read(offset, kReadBytes);
      const std::size_t whole = chunk.size() / kTransportPacketBytes * kTransportPacketBytes;
      if (whole == 0) break;
      for (std::size_t at = 0; at < whole; at += kTransportPacketBytes) {
        std::string packet = chunk.substr(at, kTransportPacketBytes);
        const int pid = PacketPid(packet);
        if (pid < 0) continue;  // lost sync: a damaged packet is not copied
        const bool unitStart = BeginsPesPacket(packet);
        if (pid == 0) {
          if (unitStart && videoEnded < 0) addTables();  // the cut's own, where the source's were
          continue;
        }
        if (pid == videoPid) {
          if (videoEnded >= 0) continue;
          if (unitStart) {
            const std::optional<std::int64_t> pts = PesPresentationTime(packet);
            const std::optional<std::int64_t> dts = PesDecodingTime(packet);
            if (firstVideo) {
              if (!pts || std::llabs(PesTicksBetween(*pts, keyframe)) > kTickSlack)
                return failed(TransportCopyFailure::Keyframe);
              firstVideo = false;
            }
            if (stops && dts && PesTicksBetween(*dts, stop) >= -kTickSlack) {
              videoEnded = offset + static_cast<std::int64_t>(at);
              continue;
            }
            keeping = !pts || PesTicksBetween(*pts, keyframe) >= -kTickSlack;
            if (keeping)
              ++outcome.count.pictures;
            else
              ++outcome.count.leftOut;
          } else if (firstVideo) {
            return failed(TransportCopyFailure::Keyframe);
          }
          if (keeping) writer.Add(std::move(packet));
          continue;
        }
        if (other[pid] < 0) continue;  // the source's other tables and streams
        OtherState& state = others[static_cast<std::size_t>(other[pid])];
        if (state.ended) continue;
        if (unitStart) {
          state.open = false;
          if (videoEnded >= 0) {
            state.ended = true;
            continue;
          }
          const std::optional<std::int64_t> pts = PesPresentationTime(packet);
          state.open = pts && PesTicksBetween(*pts, state.from) >= -kTickSlack &&
                       PesTicksBetween(*pts, state.to) < -kTickSlack;
        }
        if (state.open) writer.Add(std::move(packet));
      }
      if (!writer.Flush()) return failed(TransportCopyFailure::Writer);
      offset += static_cast<std::int64_t>(whole);
      if (whole < kReadBytes) break;
      if (videoEnded >= 0 &&
          (offset - videoEnded > kClosingBytes ||
           std::ranges::none_of(others, [](const OtherState& state) { return state.open; })))
        break;
    }
    if (firstVideo) return failed(TransportCopyFailure::Keyframe);
  }

  addTables();
  AddUnits(writer, *last);
  if (!writer.Flush()) return failed(TransportCopyFailure::Writer);
  return outcome;
}

}  // namespace trellimux
