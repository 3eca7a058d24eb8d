#include "preview/PreviewSource.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "probe/FrameRate.h"
#include "probe/ProbedDuration.h"
#include "text/AsciiText.h"
#include "text/ReportLines.h"
#include "trim/CutTime.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {
namespace {

// The lines of the first stream section whose codec_type is video; empty
// when there is none.
std::string_view FirstVideoSection(std::string_view report) {
  bool inStream = false, video = false;
  const char* begin = nullptr;
  while (!report.empty()) {
    const char* lineStart = report.data();
    const std::string_view line = TakeReportLine(report);
    if (EqualsIgnoringCase(line, "[STREAM]")) {
      inStream = true;
      video = false;
      begin = report.data();
    } else if (EqualsIgnoringCase(line, "[/STREAM]")) {
      if (inStream && video) return {begin, static_cast<std::size_t>(lineStart - begin)};
      inStream = false;
    } else if (inStream && EqualsIgnoringCase(line, "codec_type=video")) {
      video = true;
    }
  }
  return {};
}

std::string_view ValueOf(std::string_view section, std::string_view key) {
  while (!section.empty()) {
    if (const std::optional<std::string_view> value = ReportLineValue(TakeReportLine(section), key))
      return *value;
  }
  return {};
}

int WholeNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() && value > 0 ? value : 0;
}

// Milliseconds of one frame at a rate "25/1" or "30000/1001"; nothing for
// "0/0" or rates outside 1-300 per second.
std::optional<std::int64_t> FrameMsOfRate(std::string_view text) {
  const FrameRate rate = ReadFrameRate(text);
  if (rate.num == 0) return std::nullopt;
  const double perSecond = static_cast<double>(rate.num) / rate.den;
  if (perSecond < 1 || perSecond > 300) return std::nullopt;
  return std::max<std::int64_t>(1, std::llround(1000 / perSecond));
}

// "0x100" as ffprobe prints a transport stream's PID; -1 for anything else
// ("N/A" in other containers).
int StreamId(std::string_view id) {
  if (id.size() < 3 || id.size() > 6 || (id.substr(0, 2) != "0x" && id.substr(0, 2) != "0X"))
    return -1;
  int value = 0;
  const auto [end, error] = std::from_chars(id.data() + 2, id.data() + id.size(), value, 16);
  return error == std::errc{} && end == id.data() + id.size() ? value : -1;
}

}  // namespace

std::optional<PreviewSource> PreviewSourceOf(std::string_view report) {
  const std::string_view video = FirstVideoSection(report);
  const std::optional<double> seconds = ProbedDuration(report);
  if (video.empty() || !seconds) return std::nullopt;
  PreviewSource source;
  source.durationMs = std::llround(*seconds * 1000);
  if (const std::optional<std::string_view> start = FormatSectionValue(report, "start_time"))
    source.startMicroseconds = ParseStartTimeMicroseconds(*start);
  source.width = WholeNumber(ValueOf(video, "width"));
  source.height = WholeNumber(ValueOf(video, "height"));
  source.sampleAspect = ValueOf(video, "sample_aspect_ratio");
  source.displayAspect = ValueOf(video, "display_aspect_ratio");
  source.frameMs = FrameMsOfRate(ValueOf(video, "avg_frame_rate"))
                       .value_or(FrameMsOfRate(ValueOf(video, "r_frame_rate")).value_or(40));
  source.coding = VideoCodingNamed(ValueOf(video, "codec_name"));
  source.streamId = StreamId(ValueOf(video, "id"));
  return source;
}

SliderSteps SliderStepsFor(const PreviewSource& source) {
  const std::int64_t last = std::clamp<std::int64_t>(source.durationMs, 1, INT32_MAX);
  return {static_cast<int>(std::min(source.frameMs, last)),
          static_cast<int>(std::max<std::int64_t>(1000, last / 20)), static_cast<int>(last)};
}

std::int64_t FrameTimeOfPosition(int position, const PreviewSource& source) {
  const std::int64_t lastFrame = std::max<std::int64_t>(0, source.durationMs - 2 * source.frameMs);
  return std::clamp<std::int64_t>(position, 0, lastFrame);
}

std::vector<std::int64_t> SliderKeyframeMarks(std::span<const std::int64_t> keyframeMs,
                                              std::int64_t rangeMs, int widthPixels) {
  std::vector<std::int64_t> marks;
  if (widthPixels <= 0) return marks;
  const std::int64_t spacing = rangeMs * kMarkSpacingPixels / widthPixels;
  for (const std::int64_t ms : keyframeMs)
    if (marks.empty() || ms - marks.back() >= spacing) marks.push_back(ms);
  return marks;
}

std::string PreviewTimeText(std::int64_t milliseconds, bool keyframe,
                            std::optional<std::int64_t> copyFromMs) {
  std::string text = (keyframe ? "keyframe " : "") + MillisecondsAsCutTime(milliseconds);
  if (copyFromMs) text += " · copy from " + MillisecondsAsCutTime(*copyFromMs);
  return text;
}

std::int64_t KeyframeCutMs(std::int64_t microseconds) {
  return (std::max<std::int64_t>(microseconds, 0) + 999) / 1000;
}

}  // namespace trellimux
