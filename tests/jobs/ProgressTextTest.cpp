#include <gtest/gtest.h>

#include "jobs/ProgressText.h"

namespace trellimux {
namespace {

using std::chrono::seconds;

TEST(ProgressText, CaptionsFitTheFrame) {
  const struct {
    std::string label;
    double fraction;
    std::optional<seconds> left;
    std::string_view caption;
  } cases[] = {
      {"", 0.29, std::nullopt, " Progress 29% "},
      {"", 0.999, std::nullopt, " Progress 99% "},  // 100% only when done
      {"", 0.42, seconds(190), " 42% \xE2\x80\x93 3:10 left "},
      {"", 0.01, seconds(36000), " 1% \xE2\x80\x93 10:00:00 left "},
      {CutRunLabel(1, 4), 0.42, std::nullopt, " Cut 2/4 \xC2\xB7 42% "},
      {CutRunLabel(1, 4), 0.42, seconds(190), " Cut 2/4 \xC2\xB7 3:10 left "},
      {CutRunLabel(11, 12), 0.9, seconds(3790), " Cut 12/12 \xC2\xB7 1:03:10 "},  // no room
      {std::string(kJoinRunLabel), 0.97, seconds(4), " Joining \xC2\xB7 0:04 left "},
  };
  for (const auto& c : cases) {
    const std::string caption = ProgressCaption(c.label, c.fraction, c.left);
    EXPECT_EQ(caption, c.caption);
    std::size_t characters = 0;  // the dash and the dot are one each
    for (char byte : caption) characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    EXPECT_LE(characters, kProgressCaptionFit) << caption;
  }
  EXPECT_STREQ(kIdleProgressCaption, " Progress ");
}

TEST(ProgressText, ClockText) {
  for (auto [time, text] : {std::pair{0, "0:00"},
                            {190, "3:10"},
                            {3599, "59:59"},
                            {3790, "1:03:10"},
                            {360000, "100:00:00"},
                            {-5, "0:00"}})
    EXPECT_EQ(ClockText(seconds(time)), text) << time;
}

}  // namespace
}  // namespace trellimux
