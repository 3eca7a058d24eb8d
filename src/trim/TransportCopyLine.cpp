#include "trim/TransportCopyLine.h"

#include <charconv>

#include "text/CommandText.h"
#include "text/SecondsText.h"

namespace trellimux {
namespace {

constexpr std::string_view kTo = " to";
constexpr std::string_view kPids = ": PIDs";
constexpr std::string_view kPart = ";";
constexpr std::string_view kFirst = " first";
constexpr std::string_view kVideoFromByte = " video from byte ";
constexpr std::string_view kKeyframe = ", keyframe ";
constexpr std::string_view kStopAt = " s, to decoding time ";
constexpr std::string_view kToTheEnd = " s, to the end";
constexpr std::string_view kPid = " PID ";
constexpr std::string_view kFromTime = " from ";
constexpr std::string_view kToTime = " s to ";
constexpr std::string_view kSeconds = " s";
constexpr std::string_view kLast = " last";
constexpr std::string_view kMoved = " times moved by ";
constexpr int kMaxPid = 0x1ffe;

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

bool TakePid(std::string_view& text, int& pid) {
  return TakeNumber(text, pid) && pid >= 0 && pid <= kMaxPid;
}

// Reads seconds ("1.410000") up to the next blank at the front of `text`.
bool TakeSeconds(std::string_view& text, std::int64_t& microseconds) {
  const std::size_t end = text.find(' ');
  const std::optional<std::int64_t> read = SecondsAsMicroseconds(text.substr(0, end));
  if (!read || end == std::string_view::npos) return false;
  microseconds = *read;
  text.remove_prefix(end);
  return true;
}

// Reads paths up to the end of the part.
bool TakePaths(std::string_view& text, std::vector<std::string>& paths) {
  while (text.starts_with(" \"")) {
    if (!TakeQuotedPath(text, paths.emplace_back())) return false;
  }
  return !paths.empty();
}

void AppendPaths(std::string& line, const std::vector<std::string>& paths) {
  for (const std::string& path : paths) AppendQuotedPath(line, path);
}

}  // namespace

std::string TransportCopyLine(const TransportCopyStep& step) {
  const TransportCut& cut = step.cut;
  std::string line(kTransportCopyLineStart);
  AppendQuotedPath(line, step.inputPath);
  line += kTo;
  AppendQuotedPath(line, step.outputPath);
  line += kPids;
  for (const int pid : cut.pids) line += " " + std::to_string(pid);
  if (!cut.firstPieces.empty()) {
    line += std::string(kPart) + std::string(kFirst);
    AppendPaths(line, cut.firstPieces);
  }
  if (cut.video) {
    line += std::string(kPart) + std::string(kVideoFromByte) + std::to_string(cut.video->fromByte);
    line += kKeyframe;
    line += MicrosecondsAsSeconds(cut.video->keyframePts);
    line += cut.video->stopDts ? std::string(kStopAt) + MicrosecondsAsSeconds(*cut.video->stopDts) +
                                     std::string(kSeconds)
                               : std::string(kToTheEnd);
    for (const CopiedStream& other : cut.others) {
      line += std::string(kPart) + std::string(kPid) + std::to_string(other.pid);
      line += std::string(kFromTime) + MicrosecondsAsSeconds(other.fromPts);
      line += std::string(kToTime) + MicrosecondsAsSeconds(other.toPts) + std::string(kSeconds);
    }
  }
  if (!cut.lastPieces.empty()) {
    line += std::string(kPart) + std::string(kLast);
    AppendPaths(line, cut.lastPieces);
  }
  if (cut.moveMicroseconds != 0)
    line += std::string(kPart) + std::string(kMoved) + MicrosecondsAsSeconds(cut.moveMicroseconds) +
            std::string(kSeconds);
  return line;
}

bool IsTransportCopyLine(std::string_view line) {
  return line.starts_with(kTransportCopyLineStart);
}

std::optional<TransportCopyStep> ParseTransportCopyLine(std::string_view line) {
  TransportCopyStep step;
  TransportCut& cut = step.cut;
  if (!Take(line, kTransportCopyLineStart) || !TakeQuotedPath(line, step.inputPath) ||
      !Take(line, kTo) || !TakeQuotedPath(line, step.outputPath) || !Take(line, kPids))
    return std::nullopt;
  while (Take(line, " ")) {
    if (!TakePid(line, cut.pids.emplace_back())) return std::nullopt;
  }
  if (cut.pids.empty()) return std::nullopt;
  // The parts, each once and in their order.
  if (Take(line, std::string(kPart) + std::string(kFirst)) && !TakePaths(line, cut.firstPieces))
    return std::nullopt;
  if (Take(line, std::string(kPart) + std::string(kVideoFromByte))) {
    TransportCopyRange& video = cut.video.emplace();
    if (!TakeNumber(line, video.fromByte) || video.fromByte < 0 || !Take(line, kKeyframe) ||
        !TakeSeconds(line, video.keyframePts))
      return std::nullopt;
    if (Take(line, kStopAt)) {
      std::int64_t stop = 0;
      if (!TakeSeconds(line, stop) || !Take(line, kSeconds)) return std::nullopt;
      video.stopDts = stop;
    } else if (!Take(line, kToTheEnd)) {
      return std::nullopt;
    }
    while (Take(line, std::string(kPart) + std::string(kPid))) {
      CopiedStream& other = cut.others.emplace_back();
      if (!TakePid(line, other.pid) || !Take(line, kFromTime) ||
          !TakeSeconds(line, other.fromPts) || !Take(line, kToTime) ||
          !TakeSeconds(line, other.toPts) || !Take(line, kSeconds))
        return std::nullopt;
    }
  }
  if (Take(line, std::string(kPart) + std::string(kLast)) && !TakePaths(line, cut.lastPieces))
    return std::nullopt;
  if (Take(line, std::string(kPart) + std::string(kMoved)) &&
      (!TakeSeconds(line, cut.moveMicroseconds) || !Take(line, kSeconds)))
    return std::nullopt;
  if (!line.empty()) return std::nullopt;
  return step;
}

}  // namespace trellimux
