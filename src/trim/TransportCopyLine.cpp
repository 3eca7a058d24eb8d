#include "trim/TransportCopyLine.h"

#include <charconv>

#include "text/CommandText.h"
#include "text/SecondsText.h"

namespace trellimux {
namespace {

constexpr std::string_view kPid = " PID ";
constexpr std::string_view kFromByte = " from byte ";
constexpr std::string_view kKeyframe = ", keyframe ";
constexpr std::string_view kStopAt = " s, to decoding time ";
constexpr std::string_view kToTheEnd = " s, to the end";
constexpr std::string_view kFrom = " s, from";  // after a stop's time
constexpr std::string_view kFromAfterEnd = ", from";
constexpr std::string_view kTo = " to";

// Reads `word` at the front of `text` and drops it.
bool Take(std::string_view& text, std::string_view word) {
  if (!text.starts_with(word)) return false;
  text.remove_prefix(word.size());
  return true;
}

// Reads a whole number at the front of `text` and drops it.
template <typename Number>
bool TakeNumber(std::string_view& text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return true;
}

// Reads seconds ("1.410000") at the front of `text` and drops them.
bool TakeSeconds(std::string_view& text, std::int64_t& microseconds) {
  const std::size_t end = text.find(' ');
  const std::optional<std::int64_t> read = SecondsAsMicroseconds(text.substr(0, end));
  if (!read || end == std::string_view::npos) return false;
  microseconds = *read;
  text.remove_prefix(end);
  return true;
}

// Reads a blank and a path between double quotes at the front of `text`.
bool TakeQuotedPath(std::string_view& text, std::string& path) {
  if (!Take(text, " \"")) return false;
  const std::size_t end = text.find('"');
  if (end == std::string_view::npos || end == 0) return false;
  path = text.substr(0, end);
  text.remove_prefix(end + 1);
  return true;
}

}  // namespace

std::string TransportCopyLine(const TransportCopyStep& step) {
  const TransportCopyRange& range = step.range;
  std::string line(kTransportCopyLineStart);
  line += kPid;
  line += std::to_string(range.videoPid);
  line += kFromByte;
  line += std::to_string(range.fromByte);
  line += kKeyframe;
  line += MicrosecondsAsSeconds(range.keyframePts);
  if (range.stopDts) {
    line += kStopAt;
    line += MicrosecondsAsSeconds(*range.stopDts);
    line += kFrom;
  } else {
    line += kToTheEnd;
    line += kFromAfterEnd;
  }
  AppendQuotedPath(line, step.inputPath);
  line += kTo;
  AppendQuotedPath(line, step.outputPath);
  return line;
}

bool IsTransportCopyLine(std::string_view line) {
  return line.starts_with(kTransportCopyLineStart);
}

std::optional<TransportCopyStep> ParseTransportCopyLine(std::string_view line) {
  TransportCopyStep step;
  TransportCopyRange& range = step.range;
  if (!Take(line, kTransportCopyLineStart) || !Take(line, kPid) ||
      !TakeNumber(line, range.videoPid) || !Take(line, kFromByte) ||
      !TakeNumber(line, range.fromByte) || !Take(line, kKeyframe) ||
      !TakeSeconds(line, range.keyframePts))
    return std::nullopt;
  if (Take(line, kStopAt)) {
    std::int64_t stop = 0;
    if (!TakeSeconds(line, stop) || !Take(line, kFrom)) return std::nullopt;
    range.stopDts = stop;
  } else if (!Take(line, kToTheEnd) || !Take(line, kFromAfterEnd)) {
    return std::nullopt;
  }
  if (!TakeQuotedPath(line, step.inputPath) || !Take(line, kTo) ||
      !TakeQuotedPath(line, step.outputPath) || !line.empty())
    return std::nullopt;
  if (range.videoPid < 0 || range.videoPid > 0x1ffe || range.fromByte < 0) return std::nullopt;
  return step;
}

}  // namespace trellimux
