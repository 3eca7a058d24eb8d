// Small pieces shared by every command builder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trellimux {

// The longest command text the tools are handed (65,535 bytes with the
// terminating zero). Builders grow their text without a ceiling and never cut
// it; a longer text is refused when the job starts.
inline constexpr std::size_t kMaxCommandLength = 65534;

// Decimal digits, most significant first, no leading zeros, "0" for zero.
std::string FormatUnsigned(std::uint32_t value);

struct TimeOfDay {
  int hour = 0;  // 0-23
  int minute = 0;
  int second = 0;
};

// The seconds since midnight; nothing for nothing.
std::optional<double> SecondsOfDay(const std::optional<TimeOfDay>& time);

// "HH:mm:ss", two digits each, 24-hour clock.
std::string FormatTimeOfDay(const TimeOfDay& time);

// Appends `path` between double quotes, preceded by a blank.
void AppendQuotedPath(std::string& command, std::string_view path);

// Reads what AppendQuotedPath wrote at the front of `text` (a blank, then a
// path between double quotes) into `path` and drops it; false when `text`
// does not begin so or the path is empty.
bool TakeQuotedPath(std::string_view& text, std::string& path);

}  // namespace trellimux
