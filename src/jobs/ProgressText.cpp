#include "jobs/ProgressText.h"

#include <algorithm>
#include <cmath>

namespace trellimux {
namespace {

constexpr char kEnDash[] = "\xE2\x80\x93";
constexpr char kMiddleDot[] = "\xC2\xB7";

// Rounded down, so 100% means done; the nudge keeps 0.29 at 29%, which
// 0.29 * 100 in binary floating point falls just short of.
std::string PercentText(double fraction) {
  const int percent = static_cast<int>(std::floor(std::clamp(fraction, 0.0, 1.0) * 100 + 1e-9));
  return std::to_string(percent) + "%";
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

std::string TwoDigits(long long value) {
  std::string text = std::to_string(value);
  if (text.size() < 2) text.insert(text.begin(), '0');
  return text;
}

}  // namespace

namespace {

std::string RunLabel(std::string label, std::size_t index, std::size_t count) {
  label += std::to_string(index + 1);
  label += '/';
  label += std::to_string(count);
  return label;
}

}  // namespace

std::string CutRunLabel(std::size_t index, std::size_t count) {
  return RunLabel("Cut ", index, count);
}

std::string FileRunLabel(std::size_t index, std::size_t count) {
  return RunLabel("File ", index, count);
}

std::string ProgressCaption(std::string_view runLabel, double fraction,
                            std::optional<std::chrono::seconds> left) {
  const std::string percent = PercentText(fraction);
  std::string caption = " ";
  if (runLabel.empty() && !left) {
    caption += "Progress ";
    caption += percent;
  } else if (runLabel.empty()) {
    caption += percent;
    caption += std::string(" ") + kEnDash + " " + ClockText(*left) + " left";
  } else {
    caption += runLabel;
    caption += std::string(" ") + kMiddleDot + " ";
    caption += left ? ClockText(*left) + " left" : percent;
  }
  caption += ' ';
  if (CharacterCount(caption) > kProgressCaptionFit && caption.ends_with(" left "))
    caption.erase(caption.size() - 5);
  return caption;
}

std::string ClockText(std::chrono::seconds time) {
  const long long total = std::max<long long>(time.count(), 0);
  const long long hours = total / 3600;
  std::string text;
  if (hours > 0) {
    text = std::to_string(hours);
    text += ':';
    text += TwoDigits(total / 60 % 60);
  } else {
    text = std::to_string(total / 60);
  }
  text += ':';
  text += TwoDigits(total % 60);
  return text;
}

}  // namespace trellimux
