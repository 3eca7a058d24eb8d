#include "trim/StreamSpans.h"

#include <algorithm>
#include <string>

#include "trim/CutTime.h"

namespace trellimux {
namespace {

constexpr std::size_t kReadBytes = kTransportPacketBytes * 5586;  // about 1 MiB

std::int64_t MicrosecondsOfTicks(std::int64_t ticks) { return ticks * 100 / 9; }

}  // namespace

std::optional<std::int64_t> FirstPesShownFrom(const TransportReader& read, int pid,
                                              std::int64_t fromByte, std::int64_t notBefore) {
  const std::int64_t wanted = PesTicksOf(notBefore - kFrameTimeSlackUs);
  for (std::int64_t offset = fromByte; offset - fromByte < kStreamSearchBytes;) {
    const std::string chunk = read(offset, kReadBytes);
    const std::size_t whole = chunk.size() / kTransportPacketBytes * kTransportPacketBytes;
    for (std::size_t at = 0; at < whole; at += kTransportPacketBytes) {
      const std::string_view packet = std::string_view(chunk).substr(at, kTransportPacketBytes);
      if (PacketPid(packet) != pid || !BeginsPesPacket(packet)) continue;
      const std::optional<std::int64_t> pts = PesPresentationTime(packet);
      if (pts && PesTicksBetween(*pts, wanted) >= 0)
        return MicrosecondsOfTicks(wanted + PesTicksBetween(*pts, wanted));
    }
    if (whole < kReadBytes) break;
    offset += static_cast<std::int64_t>(whole);
  }
  return std::nullopt;
}

std::vector<CopiedStream> OtherStreamSpans(const TransportReader& read, std::span<const int> pids,
                                           const PlannedSmartCut& cut) {
  const std::int64_t firstShown = FirstShown(cut.plan);
  std::vector<CopiedStream> spans;
  for (const int pid : pids) {
    CopiedStream span{pid, cut.out, cut.out};
    if (cut.copyFrom && cut.copyFrom->bytePos >= 0) {
      span.fromPts = std::min(
          FirstPesShownFrom(read, pid, cut.copyFrom->bytePos, firstShown).value_or(firstShown),
          cut.out);
      if (cut.plan.copyStopByte >= 0) {
        const std::optional<std::int64_t> after =
            FirstPesShownFrom(read, pid, cut.plan.copyStopByte, span.fromPts);
        if (after) span.toPts = std::min(*after, cut.out);
      }
    }
    spans.push_back(span);
  }
  return spans;
}

}  // namespace trellimux
