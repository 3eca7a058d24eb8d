#include "jobs/StatusLine.h"

#include <algorithm>
#include <charconv>

#include "probe/MediaSeconds.h"

namespace trellimux {
namespace {

// A status line is about 100 characters, a few more per extra output stream;
// the rest of a longer line is not needed to tell what it is.
constexpr std::size_t kKeptLineLength = 4096;

constexpr std::string_view kDurationKey = "Duration: ";

// "Lsize=" in case a release marks an audio-only job's last line as it marks
// the size on the last line of a job with video.
bool IsStatusLine(std::string_view line) {
  return line.starts_with("frame=") || line.starts_with("size=") || line.starts_with("Lsize=");
}

// The value of `key` ("time=") in a status line: the key starts the line or
// follows a blank; the value is what follows it (after any padding blanks)
// up to the next blank. Nothing when the key is missing.
std::optional<std::string_view> FieldValue(std::string_view line, std::string_view key) {
  for (std::size_t at = line.find(key); at != std::string_view::npos; at = line.find(key, at + 1)) {
    if (at > 0 && line[at - 1] != ' ') continue;
    std::string_view value = line.substr(at + key.size());
    value.remove_prefix(std::min(value.find_first_not_of(' '), value.size()));
    return value.substr(0, value.find(' '));
  }
  return std::nullopt;
}

// "3.1x", "   0x" (padding already gone), "1.02e+03x"; nothing for "N/A".
std::optional<double> ParseSpeed(std::string_view value) {
  if (!value.ends_with('x')) return std::nullopt;
  value.remove_suffix(1);
  double speed = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), speed);
  if (error != std::errc() || end != value.data() + value.size() || speed < 0) return std::nullopt;
  return speed;
}

// An input's "  Duration: 00:01:02.50, start: 0.000000, bitrate: ..." line.
bool IsDurationLine(std::string_view line) {
  line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
  return line.starts_with(kDurationKey);
}

std::optional<double> DurationOfLine(std::string_view line) {
  std::string_view value = line.substr(line.find(kDurationKey) + kDurationKey.size());
  return ParseMediaSeconds(value.substr(0, value.find(',')));
}

}  // namespace

bool StatusLineReader::Add(std::string_view bytes) {
  bool moved = false;
  for (char c : bytes) {
    if (c == '\r' || c == '\n') {
      moved = ReadLine() || moved;
      line_.clear();
    } else if (line_.size() < kKeptLineLength) {
      line_ += c;
    }
  }
  return moved;
}

bool StatusLineReader::End() {
  const bool moved = ReadLine();
  line_.clear();
  return moved;
}

std::optional<double> StatusLineReader::InputsTotal() const {
  if (inputDurations_.empty()) return std::nullopt;
  double total = 0;
  for (const std::optional<double>& duration : inputDurations_) {
    if (!duration) return std::nullopt;
    total += *duration;
  }
  return total;
}

bool StatusLineReader::ReadLine() {
  if (IsDurationLine(line_)) {
    inputDurations_.push_back(DurationOfLine(line_));
    return false;
  }
  if (!IsStatusLine(line_)) return false;
  const std::optional<std::string_view> speed = FieldValue(line_, "speed=");
  speed_ = speed ? ParseSpeed(*speed) : std::nullopt;
  const std::optional<std::string_view> time = FieldValue(line_, "time=");
  const std::optional<double> seconds = time ? ParseMediaSeconds(*time) : std::nullopt;
  if (!seconds) return false;
  position_ = std::max(*seconds, 0.0);
  return true;
}

}  // namespace trellimux
