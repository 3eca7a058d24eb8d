#include "trim/SmartCutPlan.h"

#include <algorithm>
#include <limits>

#include "trim/CutTime.h"

namespace trellimux {
namespace {

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
// Packets come in decoding order: the frames shown just before a time may
// be listed up to this much after it.
constexpr std::int64_t kHeadListingMarginUs = 1000000;

// Adds a frame to a run; frames come in any order.
void Add(FrameRun& run, std::int64_t pts) {
  if (run.count == 0) run.firstPts = run.lastPts = pts;
  run.firstPts = std::min(run.firstPts, pts);
  run.lastPts = std::max(run.lastPts, pts);
  ++run.count;
}

// The keyframe shown last at or before `pts`.
std::optional<Keyframe> KeyframeAtOrBefore(std::span<const VideoPacket> packets, std::int64_t pts) {
  std::optional<Keyframe> found;
  for (const VideoPacket& packet : packets)
    if (packet.key && packet.pts <= pts && (!found || packet.pts > found->pts))
      found = Keyframe{packet.pts, packet.dts, packet.bytePos};
  return found;
}

}  // namespace

std::vector<VideoPacket> InDecodingOrder(std::vector<VideoPacket> packets) {
  auto order = [](const VideoPacket& a, const VideoPacket& b) {
    return a.dts != b.dts ? a.dts < b.dts : a.pts < b.pts;
  };
  auto same = [](const VideoPacket& a, const VideoPacket& b) {
    return a.dts == b.dts && a.pts == b.pts;
  };
  std::stable_sort(packets.begin(), packets.end(), order);
  packets.erase(std::unique(packets.begin(), packets.end(), same), packets.end());
  return packets;
}

std::optional<SmartCutPlan> PlanSmartCut(std::span<const VideoPacket> packets, std::int64_t in,
                                         std::int64_t out) {
  const std::int64_t first = in - kFrameTimeSlackUs;   // shown at or after the In
  const std::int64_t limit = out - kFrameTimeSlackUs;  // shown before the Out
  auto asked = [&](const VideoPacket& packet) { return packet.pts >= first && packet.pts < limit; };

  // A list that begins after the In would hide the frames before it.
  if (!KeyframeAtOrBefore(packets, in + kFrameTimeSlackUs)) return std::nullopt;

  // The first keyframe shown inside the cut, where the copy begins.
  std::optional<std::size_t> keyframe;
  for (std::size_t i = 0; i < packets.size(); ++i)
    if (packets[i].key && packets[i].copyMayBegin && asked(packets[i]) &&
        (!keyframe || packets[i].pts < packets[*keyframe].pts))
      keyframe = i;

  SmartCutPlan plan;
  if (keyframe) {
    const std::int64_t keyPts = packets[*keyframe].pts;
    // Packets after the keyframe that are shown before it: its leading
    // pictures. The rest of the packets from it on are the copy's
    // candidates; the copy is the longest run of them, in decoding order,
    // all shown before the Out and before every candidate after the run.
    std::vector<std::size_t> candidates;
    for (std::size_t i = *keyframe; i < packets.size(); ++i) {
      if (packets[i].pts < keyPts) {
        plan.leftOut.push_back(i);
      } else {
        candidates.push_back(i);
      }
    }
    std::vector<std::int64_t> laterMin(candidates.size() + 1, kNever);
    for (std::size_t j = candidates.size(); j-- > 0;)
      laterMin[j] = std::min(laterMin[j + 1], packets[candidates[j]].pts);
    std::size_t run = 0;  // candidates copied
    std::int64_t shownLast = std::numeric_limits<std::int64_t>::min();
    for (std::size_t j = 0; j < candidates.size() && packets[candidates[j]].pts < limit; ++j) {
      shownLast = std::max(shownLast, packets[candidates[j]].pts);
      if (shownLast < laterMin[j + 1]) run = j + 1;
    }
    if (run > 0) {
      plan.copyBegin = *keyframe;
      plan.copyEnd = run < candidates.size() ? candidates[run] : packets.size();
      if (run < candidates.size()) {
        plan.copyStopDts = packets[candidates[run]].dts;
        plan.copyStopByte = packets[candidates[run]].bytePos;
      }
      std::erase_if(plan.leftOut, [&](std::size_t i) { return i >= plan.copyEnd; });
      for (std::size_t j = 0; j < run; ++j) Add(plan.copied, packets[candidates[j]].pts);
    } else {
      plan.leftOut.clear();
    }
  }

  // Every other frame of the cut is encoded: before the copy the head,
  // after it the end. A frame shown amid the copied ones but decoded before
  // the keyframe could be neither.
  for (std::size_t i = 0; i < packets.size(); ++i) {
    const VideoPacket& packet = packets[i];
    if (!asked(packet)) continue;
    if (plan.copied.count == 0 || packet.pts < plan.copied.firstPts) {
      Add(plan.head, packet.pts);
    } else if (packet.pts > plan.copied.lastPts) {
      Add(plan.end, packet.pts);
    } else if (i < plan.copyBegin) {
      return std::nullopt;
    }
  }
  if (plan.head.count + plan.copied.count + plan.end.count == 0) return std::nullopt;
  for (FrameRun* encoded : {&plan.head, &plan.end}) {
    if (encoded->count == 0) continue;
    encoded->decodeFrom = KeyframeAtOrBefore(packets, encoded->firstPts);
    if (!encoded->decodeFrom) return std::nullopt;
  }
  return plan;
}

std::vector<std::optional<PlannedSmartCut>> PlanListedSmartCuts(
    std::string_view packetList, std::int64_t startMicroseconds, std::span<const Cut> cuts,
    const CopyStartCheck& mayBeginCopy) {
  std::vector<VideoPacket> packets = InDecodingOrder(ParseVideoPackets(packetList));
  if (mayBeginCopy)
    for (VideoPacket& packet : packets)
      if (packet.key) packet.copyMayBegin = mayBeginCopy(packet);
  std::vector<std::optional<PlannedSmartCut>> planned;
  for (const Cut& cut : cuts) {
    PlannedSmartCut one;
    one.in = startMicroseconds + CutTimeMilliseconds(cut.in) * 1000;
    one.out = startMicroseconds + CutTimeMilliseconds(cut.out) * 1000;
    std::optional<SmartCutPlan> plan = PlanSmartCut(packets, one.in, one.out);
    if (plan && plan->copied.count > 0) {
      const VideoPacket& first = packets[plan->copyBegin];
      one.copyFrom = Keyframe{first.pts, first.dts, first.bytePos};
    }
    // The windows of a long cut leave its middle out: the frames up to its
    // first keyframe must lie well inside the window after its In.
    const std::int64_t inWindowEnd = one.in + kKeyframeSearchMs * 1000;
    const bool windowsMeet = one.out - kCopyEndSearchMs * 1000 <= inWindowEnd;
    const bool headListed =
        windowsMeet || (one.copyFrom && one.copyFrom->pts < inWindowEnd - kHeadListingMarginUs);
    if (!plan || !headListed) {
      planned.emplace_back();
      continue;
    }
    one.plan = std::move(*plan);
    planned.push_back(std::move(one));
  }
  return planned;
}

}  // namespace trellimux
