#include "trim/KeyframeSearch.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

#include "text/CommandText.h"
#include "text/SecondsText.h"
#include "trim/CutTime.h"

namespace trellimux {
namespace {

// Seconds with three decimals for ffprobe's -read_intervals.
std::string SecondsText(std::int64_t microseconds) {
  const std::int64_t milliseconds = std::max<std::int64_t>(microseconds, 0) / 1000;
  std::string fraction = std::to_string(1000 + milliseconds % 1000).substr(1);
  return std::to_string(milliseconds / 1000) + "." + fraction;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

// A first interval that reaches the start reads from the file's beginning
// (no start given): a seek to the start time lands after the first
// keyframe. Later intervals always name their start: without one, ffprobe
// goes on from where the one before stopped and leaves out the packet it
// stopped at (ffprobe.exe 5.1 lost the keyframe at 2.64 s of a TS that way).
std::string IntervalText(std::int64_t startMicroseconds, std::int64_t from, std::int64_t to,
                         bool first) {
  return (first && from <= startMicroseconds ? "" : SecondsText(from)) + "%" + SecondsText(to);
}

std::string PacketListArguments(std::string_view inputPath, const std::string& intervals) {
  std::string arguments = " -v error -select_streams v:0 -read_intervals " + intervals +
                          " -show_entries packet=pts_time,dts_time,pos,flags -of csv";
  AppendQuotedPath(arguments, inputPath);
  return arguments;
}

}  // namespace

// "packet,<pts_time>,<dts_time>,<pos>,<flags>..." lines; a K in the flags
// marks a keyframe (ffprobe prints the fields in its own order, not in the
// order asked for).
std::vector<VideoPacket> ParseVideoPackets(std::string_view list) {
  std::vector<VideoPacket> packets;
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find('\n', start);
    if (end == std::string_view::npos) end = list.size();
    std::string_view line = list.substr(start, end - start);
    start = end + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() < 5 || fields[0] != "packet") continue;
    const std::optional<std::int64_t> pts = SecondsAsMicroseconds(fields[1]);
    const std::optional<std::int64_t> dts = SecondsAsMicroseconds(fields[2]);
    std::int64_t bytePos = -1;
    if (const auto [end, error] =
            std::from_chars(fields[3].data(), fields[3].data() + fields[3].size(), bytePos);
        error != std::errc() || end != fields[3].data() + fields[3].size()) {
      bytePos = -1;  // "N/A"
    }
    const bool key = fields[4].find('K') != std::string_view::npos;
    if (pts) packets.push_back({*pts, dts.value_or(*pts), key, bytePos});
  }
  return packets;
}

std::vector<Keyframe> ParseKeyframes(std::string_view list) {
  std::vector<Keyframe> keyframes;
  for (const VideoPacket& packet : ParseVideoPackets(list))
    if (packet.key) keyframes.push_back({packet.pts, packet.dts, packet.bytePos});
  return keyframes;
}

namespace {

// The keyframe shown last at or before `in` (microseconds as the file
// counts them), within the search window. One less than kFrameTimeSlackUs
// after it is at it: cut times are whole milliseconds and time stamps are
// not, so a keyframe chosen as the In lies up to a millisecond after it
// (measured: 22 us, and the copy began a whole GOP earlier).
std::optional<Keyframe> LastKeyframeAtOrBefore(const std::vector<Keyframe>& keyframes,
                                               std::int64_t in) {
  std::optional<Keyframe> last;
  for (const Keyframe& keyframe : keyframes)
    if (keyframe.pts < in + kFrameTimeSlackUs && keyframe.pts > in - kKeyframeSearchMs * 1000 &&
        (!last || keyframe.pts > last->pts))
      last = keyframe;
  return last;
}

// Floored to whole milliseconds, then 1 ms earlier: the seek lands on the
// keyframe or a frame before it, never on one after it.
std::int64_t SeekMs(const Keyframe& keyframe, std::int64_t startMicroseconds) {
  return std::max<std::int64_t>((keyframe.dts - startMicroseconds) / 1000 - 1, 0);
}

// The packet list of windows around each cut's ends, in time order, windows
// that meet read as one: from kKeyframeSearchMs before each In to
// `afterInMs` after it, and from kCopyEndSearchMs before each Out to 1 s
// after it.
std::string CutEndsProbeArguments(std::string_view inputPath, std::int64_t startMicroseconds,
                                  std::span<const Cut> cuts, std::int64_t afterInMs) {
  std::vector<std::pair<std::int64_t, std::int64_t>> windows;
  for (const Cut& cut : cuts) {
    const std::int64_t in = startMicroseconds + CutTimeMilliseconds(cut.in) * 1000;
    const std::int64_t out = startMicroseconds + CutTimeMilliseconds(cut.out) * 1000;
    windows.emplace_back(std::max(startMicroseconds, in - kKeyframeSearchMs * 1000),
                         in + afterInMs * 1000);
    windows.emplace_back(std::max(startMicroseconds, out - kCopyEndSearchMs * 1000), out + 1000000);
  }
  std::sort(windows.begin(), windows.end());
  std::string intervals;
  std::int64_t from = 0, to = -1;
  auto flush = [&] {
    if (to < 0) return;
    const bool first = intervals.empty();
    if (!first) intervals += ',';
    intervals += IntervalText(startMicroseconds, from, to, first);
  };
  for (const auto& [windowFrom, windowTo] : windows) {
    if (to >= 0 && windowFrom <= to) {
      to = std::max(to, windowTo);
      continue;
    }
    flush();
    from = windowFrom;
    to = windowTo;
  }
  flush();
  return PacketListArguments(inputPath, intervals);
}

}  // namespace

std::string StartTimeProbeArguments(std::string_view inputPath) {
  std::string arguments = " -v error -show_entries format=start_time -of csv=p=0";
  AppendQuotedPath(arguments, inputPath);
  return arguments;
}

std::int64_t ParseStartTimeMicroseconds(std::string_view output) {
  while (!output.empty() &&
         (output.back() == '\n' || output.back() == '\r' || output.back() == ' '))
    output.remove_suffix(1);
  const std::size_t lineStart = output.find_last_of('\n');
  if (lineStart != std::string_view::npos) output.remove_prefix(lineStart + 1);
  return SecondsAsMicroseconds(output).value_or(0);
}

std::string KeyframeProbeArguments(std::string_view inputPath, std::int64_t startMicroseconds,
                                   std::span<const Cut> cuts) {
  std::string intervals;
  for (const Cut& cut : cuts) {
    const std::int64_t in = startMicroseconds + CutTimeMilliseconds(cut.in) * 1000;
    const std::int64_t from = std::max(startMicroseconds, in - kKeyframeSearchMs * 1000);
    const bool first = intervals.empty();
    if (!first) intervals += ',';
    intervals += IntervalText(startMicroseconds, from, in + 1000000, first);
  }
  return PacketListArguments(inputPath, intervals);
}

std::string CopyCutProbeArguments(std::string_view inputPath, std::int64_t startMicroseconds,
                                  std::span<const Cut> cuts) {
  return CutEndsProbeArguments(inputPath, startMicroseconds, cuts, 1000);
}

std::string SmartCutProbeArguments(std::string_view inputPath, std::int64_t startMicroseconds,
                                   std::span<const Cut> cuts) {
  return CutEndsProbeArguments(inputPath, startMicroseconds, cuts, kKeyframeSearchMs);
}

std::string KeyframeListArguments(std::string_view inputPath, std::int64_t startMicroseconds,
                                  std::int64_t fromMs, std::int64_t toMs) {
  return PacketListArguments(inputPath,
                             IntervalText(startMicroseconds, startMicroseconds + fromMs * 1000,
                                          startMicroseconds + toMs * 1000, true));
}

std::vector<std::string> CopyCutStarts(std::string_view packetList, std::int64_t startMicroseconds,
                                       std::span<const Cut> cuts) {
  const std::vector<Keyframe> keyframes = ParseKeyframes(packetList);
  std::vector<std::string> starts;
  for (const Cut& cut : cuts) {
    const std::int64_t inMs = CutTimeMilliseconds(cut.in);
    const std::int64_t in = startMicroseconds + inMs * 1000;
    const std::optional<Keyframe> last = LastKeyframeAtOrBefore(keyframes, in);
    if (!last) {
      starts.push_back(MillisecondsAsCutTime(inMs));
      continue;
    }
    starts.push_back(MillisecondsAsCutTime(std::min(SeekMs(*last, startMicroseconds), inMs)));
  }
  return starts;
}

std::vector<std::string> CopyCutEnds(std::string_view packetList, std::int64_t startMicroseconds,
                                     std::span<const Cut> cuts) {
  const std::vector<VideoPacket> packets = ParseVideoPackets(packetList);
  std::vector<std::string> ends;
  for (const Cut& cut : cuts) {
    const std::int64_t outMs = CutTimeMilliseconds(cut.out);
    const std::int64_t out = startMicroseconds + outMs * 1000;
    // Packets of the window around the Out only: the list may hold a window
    // near an In as well, and ffprobe may list a packet twice.
    std::optional<std::int64_t> firstShownAfter;
    for (const VideoPacket& packet : packets)
      if (packet.pts >= out && packet.dts >= out - kCopyEndSearchMs * 1000 &&
          (!firstShownAfter || packet.dts < *firstShownAfter))
        firstShownAfter = packet.dts;
    // Floored to whole milliseconds: the copy stops at that packet, not after it.
    const std::int64_t endMs =
        firstShownAfter ? std::min(outMs, (*firstShownAfter - startMicroseconds) / 1000) : outMs;
    ends.push_back(MillisecondsAsCutTime(endMs));
  }
  return ends;
}

CopyCutTimes FindCopyCutTimes(std::string_view packetList, std::int64_t startMicroseconds,
                              std::span<const Cut> cuts) {
  return {CopyCutStarts(packetList, startMicroseconds, cuts),
          CopyCutEnds(packetList, startMicroseconds, cuts)};
}

std::optional<KeyframeBefore> KeyframeAtOrBefore(std::string_view packetList,
                                                 std::int64_t startMicroseconds,
                                                 std::int64_t positionMs) {
  const std::optional<Keyframe> last =
      LastKeyframeAtOrBefore(ParseKeyframes(packetList), startMicroseconds + positionMs * 1000);
  if (!last) return std::nullopt;
  return SeekTo(*last, startMicroseconds);
}

KeyframeBefore SeekTo(const Keyframe& keyframe, std::int64_t startMicroseconds) {
  return {std::max<std::int64_t>(keyframe.pts - startMicroseconds, 0),
          SeekMs(keyframe, startMicroseconds), keyframe.bytePos};
}

}  // namespace trellimux
