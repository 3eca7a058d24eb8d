#include "trim/CutTime.h"

#include <algorithm>

namespace trellimux {
namespace {

// The number the text's leading digits spell, at most `ceiling`; 0 without
// digits.
int LeadingNumber(std::string_view text, int ceiling) {
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = std::min(value * 10 + (c - '0'), ceiling);
  }
  return value;
}

// Characters `first` and `first + 1` (0-based), or what of them exists.
std::string_view Field(std::string_view text, std::size_t first) {
  return first < text.size() ? text.substr(first, 2) : std::string_view{};
}

}  // namespace

std::string CutTimeText(const TimeOfDay& time, std::string_view millisecondsLabel) {
  std::string text = FormatTimeOfDay(time);
  text += '.';
  text += millisecondsLabel;
  return text;
}

CutTimeFields SplitCutTime(std::string_view text) {
  CutTimeFields fields;
  fields.time.hour = LeadingNumber(Field(text, 0), 23);
  fields.time.minute = LeadingNumber(Field(text, 3), 59);
  fields.time.second = LeadingNumber(Field(text, 6), 59);
  if (text.size() > 9) fields.milliseconds = text.substr(9);
  fields.millisecondValue = LeadingNumber(fields.milliseconds, 999);
  return fields;
}

std::int64_t CutTimeMilliseconds(std::string_view text) {
  const CutTimeFields fields = SplitCutTime(text);
  return ((fields.time.hour * 60LL + fields.time.minute) * 60 + fields.time.second) * 1000 +
         fields.millisecondValue;
}

std::string MillisecondsAsCutTime(std::int64_t milliseconds) {
  milliseconds = std::max<std::int64_t>(milliseconds, 0);
  auto twoDigits = [](std::int64_t value) {
    return std::string{static_cast<char>('0' + value / 10 % 10),
                       static_cast<char>('0' + value % 10)};
  };
  const std::int64_t seconds = milliseconds / 1000;
  const std::int64_t hours = seconds / 3600;
  std::string text = hours < 100 ? twoDigits(hours) : std::to_string(hours);
  text += ':' + twoDigits(seconds / 60 % 60) + ':' + twoDigits(seconds % 60) + '.';
  return text + MillisecondLabel(static_cast<int>(milliseconds % 1000));
}

int StepMilliseconds(int value, int delta) {
  const long long moved = (static_cast<long long>(value) + delta) % 1000;
  return static_cast<int>(moved < 0 ? moved + 1000 : moved);
}

std::string MillisecondLabel(int value) {
  value = std::clamp(value, 0, 999);
  return {static_cast<char>('0' + value / 100), static_cast<char>('0' + value / 10 % 10),
          static_cast<char>('0' + value % 10)};
}

}  // namespace trellimux
