#include "trim/TransportCopy.h"

#include <array>
#include <cstdlib>
#include <string>

namespace trellimux {
namespace {

constexpr std::size_t kReadBytes = kTransportPacketBytes * 5586;  // about 1 MiB
constexpr int kPids = 8192;
// Times read back from ffprobe's microseconds may lie a tick off the PES's.
constexpr std::int64_t kTickSlack = 2;

unsigned Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

// Its counter counts on only when a packet says it carries a payload.
bool HasPayload(std::string_view packet) { return (Byte(packet, 3) & 0x10) != 0; }

// Whether the payload of a packet that begins a unit is a PES packet (its
// start code) rather than a table section.
bool CarriesPes(std::string_view packet) {
  return PacketPayload(packet).starts_with(std::string_view("\0\0\1", 3));
}

enum class PidKind : unsigned char { Unknown, Tables, Pes };

}  // namespace

std::optional<TransportCopyCount> CopyTransportVideo(const TransportReader& read,
                                                     const TransportCopyRange& range,
                                                     const TransportWriter& write) {
  const std::int64_t keyframe = PesTicksOf(range.keyframePts);
  const bool stops = range.stopDts.has_value();
  const std::int64_t stop = stops ? PesTicksOf(*range.stopDts) : 0;
  std::array<PidKind, kPids> kinds{};
  std::array<unsigned, kPids> counters{};
  std::array<bool, kPids> counting{};
  TransportCopyCount count;
  bool keeping = false;  // the video's current PES packet is copied
  bool first = true;
  std::string out;
  for (std::int64_t offset = range.fromByte;;) {
    const std::string chunk = read(offset, kReadBytes);
    const std::size_t whole = chunk.size() / kTransportPacketBytes * kTransportPacketBytes;
    if (whole == 0) break;
    offset += static_cast<std::int64_t>(whole);
    out.clear();
    bool stopped = false;
    for (std::size_t at = 0; at < whole && !stopped; at += kTransportPacketBytes) {
      std::string packet = chunk.substr(at, kTransportPacketBytes);
      const int pid = PacketPid(packet);
      if (pid < 0) continue;  // lost sync: a damaged packet is not copied
      const bool unitStart = BeginsPesPacket(packet);
      if (unitStart && kinds[pid] == PidKind::Unknown)
        kinds[pid] = CarriesPes(packet) ? PidKind::Pes : PidKind::Tables;
      bool keep = kinds[pid] == PidKind::Tables;
      if (pid == range.videoPid) {
        if (unitStart) {
          const std::optional<std::int64_t> pts = PesPresentationTime(packet);
          const std::optional<std::int64_t> dts = PesDecodingTime(packet);
          if (first) {
            if (!pts || std::llabs(PesTicksBetween(*pts, keyframe)) > kTickSlack)
              return std::nullopt;
            first = false;
          }
          if (stops && dts && PesTicksBetween(*dts, stop) >= -kTickSlack) {
            stopped = true;
            break;
          }
          keeping = !pts || PesTicksBetween(*pts, keyframe) >= -kTickSlack;
          if (keeping)
            ++count.pictures;
          else
            ++count.leftOut;
        } else if (first) {
          return std::nullopt;
        }
        keep = keeping;
      }
      if (!keep) continue;
      if (HasPayload(packet)) {
        // The first packet kept of a PID keeps its counter; later ones
        // count on from it.
        if (counting[pid]) {
          counters[pid] = (counters[pid] + 1) & 0x0f;
          packet[3] = static_cast<char>((Byte(packet, 3) & 0xf0) | counters[pid]);
        } else {
          counters[pid] = Byte(packet, 3) & 0x0f;
          counting[pid] = true;
        }
      }
      out += packet;
    }
    if (!out.empty() && !write(out)) return std::nullopt;
    if (stopped || whole < kReadBytes) break;
  }
  if (first) return std::nullopt;
  return count;
}

}  // namespace trellimux
