#include "text/NaturalOrder.h"

#include "text/AsciiText.h"

namespace trellimux {
namespace {

// The run of digits at `at`, its leading zeros left out.
std::string_view DigitRun(std::string_view text, std::size_t& at) {
  while (at < text.size() && text[at] == '0' && at + 1 < text.size() && IsAsciiDigit(text[at + 1]))
    ++at;
  const std::size_t start = at;
  while (at < text.size() && IsAsciiDigit(text[at])) ++at;
  return text.substr(start, at - start);
}

// <0, 0 or >0; 0 when they differ at most in leading zeros and letter case.
int CompareLoosely(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsAsciiDigit(a[i]) && IsAsciiDigit(b[j])) {
      // Without leading zeros the longer run is the larger number, and runs
      // of one length compare as their text does: no overflow on any length.
      const std::string_view x = DigitRun(a, i);
      const std::string_view y = DigitRun(b, j);
      if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
      if (const int order = x.compare(y)) return order;
      continue;
    }
    const char x = AsciiLower(a[i++]);
    const char y = AsciiLower(b[j++]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

}  // namespace

bool NaturallyBefore(std::string_view a, std::string_view b) {
  const int order = CompareLoosely(a, b);
  return order != 0 ? order < 0 : a < b;
}

}  // namespace trellimux
