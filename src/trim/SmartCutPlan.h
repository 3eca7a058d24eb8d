// How a Smart Copy cut is made of the source's own video packets: the
// frames from the In up to the first keyframe shown at or after it are
// encoded again (the head), the packets from that keyframe on are copied,
// and the frames just before the Out that a copy cannot keep are encoded
// again too (the end).
//
// A copy can only begin with a keyframe. It keeps packets in decoding
// order, and any run of packets from a keyframe on decodes, since a packet
// refers only to packets decoded before it. So what is copied is the longest
// run from the keyframe whose frames are all shown before the Out and before
// every frame decoded after the run; the B-frames shown just before the Out
// that refer to a frame shown after it are the end. An open GOP's keyframe
// (a recovery point) is followed by leading pictures that refer to the GOP
// before and are shown before the keyframe: they belong to the head and are
// left out of the copy.
//
// Times are the file's own presentation and decoding times in microseconds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "trim/CutList.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {

// Frames in display order, from `firstPts` to `lastPts`; none when count is 0.
struct FrameRun {
  std::int64_t firstPts = 0;
  std::int64_t lastPts = 0;
  int count = 0;
  // An encoded run: the keyframe at or before its first frame, where its
  // decoding must begin.
  std::optional<Keyframe> decodeFrom;
};

struct SmartCutPlan {
  FrameRun head;  // none: the In is a keyframe's time
  FrameRun copied;
  FrameRun end;  // none: every frame up to the Out is copied
  // The copied packets: decoding-order positions [copyBegin, copyEnd) of
  // the packets given, without `leftOut` (the keyframe's leading pictures).
  std::size_t copyBegin = 0;
  std::size_t copyEnd = 0;
  std::vector<std::size_t> leftOut;
  // The decoding time of the first packet after the copy (ffmpeg stops a
  // copy there); nothing when the copy runs to the list's end.
  std::optional<std::int64_t> copyStopDts;
  std::int64_t copyStopByte = -1;  // that packet's first byte; -1: not known
};

// The time of the cut's first frame: the In may lie between frames.
inline std::int64_t FirstShown(const SmartCutPlan& plan) {
  return plan.head.count > 0 ? plan.head.firstPts : plan.copied.firstPts;
}

// The packets sorted by decoding time, each once (ffprobe's windows may list
// a packet twice).
std::vector<VideoPacket> InDecodingOrder(std::vector<VideoPacket> packets);

// The plan of the cut [in, out) over `packets` in decoding order (the copy
// begins with a keyframe that copyMayBegin): the first
// frame is the first shown at or after `in`, the last the last shown before
// `out` (a frame less than kFrameTimeSlackUs before a time counts as at it).
// The packets must reach from a keyframe at or before `in` to past the
// first packet shown at or after `out`. A cut without a keyframe shown
// inside it is all head; nothing when no frame of the list is in the cut or
// the list has no keyframe at or before the In.
std::optional<SmartCutPlan> PlanSmartCut(std::span<const VideoPacket> packets, std::int64_t in,
                                         std::int64_t out);

// A cut of the page planned over the list SmartCutProbeArguments prints.
struct PlannedSmartCut {
  std::int64_t in = 0;  // the file's own times of the cut's In and Out
  std::int64_t out = 0;
  SmartCutPlan plan;
  // The packet the copy begins with; none when nothing is copied.
  std::optional<Keyframe> copyFrom;
};

// Each cut's plan; none for a cut the list cannot plan: no frame or no
// keyframe before it listed, or a long cut whose first keyframe lies past
// the window after its In (the frames between the windows are not listed,
// so such a cut would lose them). In a long cut the copy's frame count
// leaves out the frames between the windows.
// Whether a copy may begin with a listed keyframe (VideoPacket::copyMayBegin),
// as the file's bytes tell; none: with every keyframe.
using CopyStartCheck = std::function<bool(const VideoPacket& keyframe)>;
std::vector<std::optional<PlannedSmartCut>> PlanListedSmartCuts(
    std::string_view packetList, std::int64_t startMicroseconds, std::span<const Cut> cuts,
    const CopyStartCheck& mayBeginCopy = {});

}  // namespace trellimux
