#include "text/CommandText.h"

#include <algorithm>

namespace trellimux {

std::string FormatUnsigned(std::uint32_t value) {
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  std::string text(digits, digits + count);
  std::reverse(text.begin(), text.end());
  return text;
}

std::optional<double> SecondsOfDay(const std::optional<TimeOfDay>& time) {
  if (!time) return std::nullopt;
  return time->hour * 3600.0 + time->minute * 60.0 + time->second;
}

std::string FormatTimeOfDay(const TimeOfDay& time) {
  auto twoDigits = [](int value) {
    value = std::clamp(value, 0, 99);
    return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
  };
  return twoDigits(time.hour) + ":" + twoDigits(time.minute) + ":" + twoDigits(time.second);
}

void AppendQuotedPath(std::string& command, std::string_view path) {
  command += " \"";
  command += path;
  command += '"';
}

bool TakeQuotedPath(std::string_view& text, std::string& path) {
  if (!text.starts_with(" \"")) return false;
  const std::size_t end = text.find('"', 2);
  if (end == std::string_view::npos || end == 2) return false;
  path = text.substr(2, end - 2);
  text.remove_prefix(end + 1);
  return true;
}

}  // namespace trellimux
