#include <gtest/gtest.h>

#include "jobs/LogText.h"

namespace trellimux {
namespace {

std::string Converted(std::initializer_list<std::string_view> reads) {
  std::string log;
  for (std::string_view read : reads) AppendLogText(log, read);
  return log;
}

TEST(LogText, LineEndsBecomeOneCrLfEach) {
  EXPECT_EQ(Converted({"a\r\nb\r\n"}), "a\r\nb\r\n");
  // A pair split between two reads still gives one line break.
  EXPECT_EQ(Converted({"a\r", "\nb"}), "a\r\nb");
  // ffmpeg redraws its status line after a bare CR: each is a line of its own.
  EXPECT_EQ(Converted({"frame=1\rframe=2\r"}), "frame=1\r\nframe=2\r\n");
  // A bare LF gives no line break.
  EXPECT_EQ(Converted({"a\nb\n"}), "ab");
  EXPECT_EQ(Converted({"\n", "\n\r"}), "\r\n");
}

TEST(LogText, OtherBytesPassUnchanged) {
  const std::string bytes("x\0\x7F\xFF\t", 5);
  EXPECT_EQ(Converted({bytes}), bytes);
  EXPECT_EQ(Converted({""}), "");
}

}  // namespace
}  // namespace trellimux
