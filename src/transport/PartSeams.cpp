#include "transport/PartSeams.h"

#include <algorithm>
#include <string>

namespace trellimux {
namespace {

constexpr std::size_t kPacket = kTransportPacketBytes;
constexpr int kNullPid = 0x1fff;

std::string_view PacketAt(std::string_view packets, std::size_t index) {
  return packets.substr(index * kPacket, kPacket);
}

}  // namespace

std::optional<std::size_t> FirstPacketOffset(std::string_view head) {
  for (std::size_t at = 0; at < head.size() && at < kSeamHeaderSearchBytes; ++at) {
    const std::size_t fit = (head.size() - at) / kPacket;
    const std::size_t needed = std::min(fit, kSeamSyncPackets);
    if (needed < 2) break;
    std::size_t n = 0;
    while (n < needed && head[at + n * kPacket] == 0x47) ++n;
    if (n == needed) return at;
  }
  return std::nullopt;
}

std::size_t RepeatedPacketCount(std::string_view tail, std::string_view head) {
  // The longest prefix of `head` that is a suffix of `tail`, packets as
  // letters: Knuth-Morris-Pratt, linear in packets.
  const std::size_t headCount = std::min(head.size(), tail.size()) / kPacket;
  const std::size_t tailCount = tail.size() / kPacket;
  if (headCount == 0) return 0;
  std::vector<std::size_t> fallback(headCount, 0);
  for (std::size_t i = 1, k = 0; i < headCount; ++i) {
    while (k > 0 && PacketAt(head, i) != PacketAt(head, k)) k = fallback[k - 1];
    if (PacketAt(head, i) == PacketAt(head, k)) ++k;
    fallback[i] = k;
  }
  std::size_t matched = 0;
  for (std::size_t i = 0; i < tailCount; ++i) {
    if (matched == headCount) matched = fallback[matched - 1];
    while (matched > 0 && PacketAt(tail, i) != PacketAt(head, matched))
      matched = fallback[matched - 1];
    if (PacketAt(tail, i) == PacketAt(head, matched)) ++matched;
  }
  for (std::size_t i = 0; i < matched; ++i)
    if (PacketPid(PacketAt(head, i)) != kNullPid) return matched;
  return 0;
}

std::vector<PartSeam> FindPartSeams(std::span<const SeamPart> parts) {
  std::vector<PartSeam> seams(parts.size());
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const SeamPart& part = parts[i];
    PartSeam& seam = seams[i];
    if (!part.read) continue;
    const auto first =
        FirstPacketOffset(part.read(0, kSeamHeaderSearchBytes + kSeamSyncPackets * kPacket));
    if (!first) continue;
    seam.transport = true;
    seam.headerBytes = static_cast<std::int64_t>(*first);
    if (i == 0 || !seams[i - 1].transport) continue;

    const SeamPart& before = parts[i - 1];
    const PartSeam& beforeSeam = seams[i - 1];
    const std::int64_t beforeBytes = before.size - beforeSeam.Start();
    if (beforeBytes <= 0 || beforeBytes % static_cast<std::int64_t>(kPacket) != 0) continue;
    const std::int64_t beforePackets = beforeBytes / static_cast<std::int64_t>(kPacket);
    const std::int64_t ownPackets =
        (part.size - seam.headerBytes) / static_cast<std::int64_t>(kPacket);
    const std::size_t packets = static_cast<std::size_t>(
        std::min({beforePackets, ownPackets, static_cast<std::int64_t>(kSeamLookBackPackets)}));
    if (packets == 0) continue;
    const std::size_t bytes = packets * kPacket;
    const std::string tail = before.read(before.size - static_cast<std::int64_t>(bytes), bytes);
    const std::string head = part.read(seam.headerBytes, bytes);
    seam.repeatedPackets = static_cast<std::int64_t>(RepeatedPacketCount(tail, head));
  }
  return seams;
}

bool AnyPartSkips(std::span<const PartSeam> seams) {
  return std::ranges::any_of(seams, [](const PartSeam& seam) { return seam.Start() > 0; });
}

}  // namespace trellimux
