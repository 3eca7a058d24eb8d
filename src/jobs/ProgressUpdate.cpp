#include "jobs/ProgressUpdate.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "jobs/ProgressText.h"

namespace trellimux {

// Bits 0-10 the share, 11-18 the part, 19-26 the count of parts, 27 the
// join flag, 28 the files flag: every value within its field, whatever the caller passes.
std::pair<std::uint32_t, std::int32_t> PackProgress(const ProgressUpdate& update) {
  const auto field = [](int value, int most) {
    return static_cast<std::uint32_t>(std::clamp(value, 0, most));
  };
  const std::uint32_t first = field(update.permille, kProgressRange) |
                              field(update.part, 255) << 11 | field(update.parts, 255) << 19 |
                              (update.lastIsJoin ? 1u : 0u) << 27 | (update.files ? 1u : 0u) << 28;
  return {first, std::max(update.secondsLeft, -1)};
}

ProgressUpdate UnpackProgress(std::uint32_t first, std::int32_t second) {
  return {.permille = static_cast<int>(first & 0x7FF),
          .part = static_cast<int>(first >> 11 & 0xFF),
          .parts = static_cast<int>(first >> 19 & 0xFF),
          .lastIsJoin = (first >> 27 & 1) != 0,
          .files = (first >> 28 & 1) != 0,
          .secondsLeft = second < 0 ? -1 : second};
}

std::string ProgressCaptionOf(const ProgressUpdate& update) {
  std::string label;
  if (update.parts > 1) {
    const bool joining = update.lastIsJoin && update.part == update.parts - 1;
    const int cuts = update.lastIsJoin ? update.parts - 1 : update.parts;
    if (update.files)
      label = FileRunLabel(static_cast<std::size_t>(update.part),
                           static_cast<std::size_t>(update.parts));
    else
      label = joining ? std::string(kJoinRunLabel)
                      : CutRunLabel(static_cast<std::size_t>(update.part),
                                    static_cast<std::size_t>(cuts));
  }
  std::optional<std::chrono::seconds> left;
  if (update.secondsLeft >= 0) left = std::chrono::seconds(update.secondsLeft);
  return ProgressCaption(label, static_cast<double>(update.permille) / kProgressRange, left);
}

}  // namespace trellimux
