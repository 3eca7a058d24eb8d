#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "app/AboutText.h"

namespace trellimux {
namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return lines;
    start = end + 2;
  }
}

TEST(AboutText, IsPlainAsciiWithCrLfLinesThatFitTheBox) {
  const std::string_view text = AboutText();
  EXPECT_GE(text.size(), 7400u);
  EXPECT_LE(text.size(), 8400u);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
    } else if (c == '\n') {
      EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    } else {
      EXPECT_TRUE(c >= 0x20 && c <= 0x7E) << "byte " << int(c) << " at " << i;
    }
  }
  for (std::string_view line : SplitLines(text)) EXPECT_LE(line.size(), 110u) << line;
}

TEST(AboutText, SectionsComeInOrderWithUnderlinedHeadings) {
  const std::vector<std::string_view> lines = SplitLines(AboutText());
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1].find_first_not_of('-'), std::string_view::npos) << "rule under the greeting";
  std::size_t next = 0;
  for (std::string_view heading : {"System Requirements:", "Instructions:", "General:", "Concat:",
                                   "Convert:", "Trim:", "Hints:"}) {
    std::size_t at = next;
    while (at < lines.size() && lines[at] != heading) ++at;
    ASSERT_LT(at + 1, lines.size()) << heading << " missing or out of order";
    EXPECT_EQ(lines[at + 1], std::string(heading.size(), '-')) << heading;
    next = at + 2;
  }
}

}  // namespace
}  // namespace trellimux
