#include <gtest/gtest.h>

#include "text/AsciiText.h"

namespace trellimux {
namespace {

TEST(AsciiText, CaseIsIgnoredForAsciiLettersOnly) {
  EXPECT_TRUE(EqualsIgnoringCase("LibX265", "libx265"));
  EXPECT_FALSE(EqualsIgnoringCase("[", "{")) << "0x5B and 0x7B differ only in bit 0x20";
  EXPECT_FALSE(EqualsIgnoringCase("\xc4", "\xe4")) << "bytes above 0x7F compare as they are";
  EXPECT_FALSE(EqualsIgnoringCase("abc", "ab"));
  EXPECT_TRUE(StartsWithIgnoringCase("MPEG2VIDEO", "mpeg"));
}

TEST(AsciiText, ReadDecimalReadsSignAndLeadingDigits) {
  EXPECT_EQ(ReadDecimal("1921"), 1921);
  EXPECT_EQ(ReadDecimal("-3"), -3);
  EXPECT_EQ(ReadDecimal("12abc"), 12);
  EXPECT_EQ(ReadDecimal(""), 0);
  EXPECT_EQ(ReadDecimal("N/A"), 0);
  EXPECT_EQ(ReadDecimal(" 5"), 0);
  EXPECT_EQ(ReadDecimal("+5"), 0);
  EXPECT_EQ(ReadDecimal("-"), 0);
  EXPECT_EQ(ReadDecimal("4294967297"), 1) << "wraps instead of overflowing";
  EXPECT_EQ(ReadDecimal("99999999999999999999999") & 1, 1);
}

}  // namespace
}  // namespace trellimux
