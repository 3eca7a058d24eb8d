#include "text/Utf8Text.h"

#include <gtest/gtest.h>

#include <string>

namespace trellimux {
namespace {

// "Ł" is two bytes, "東" three, "🎬" four; each cut after every byte.
TEST(Utf8Text, AnUnfinishedCharacterAtTheEndIsLeftOut) {
  for (const std::string character : {"\xC5\x81", "\xE6\x9D\xB1", "\xF0\x9F\x8E\xAC"}) {
    const std::string text = "a " + character;
    for (std::size_t cut = 2; cut < text.size(); ++cut)
      EXPECT_EQ(WholeUtf8Length(text.substr(0, cut)), 2u) << "cut after byte " << cut;
    EXPECT_EQ(WholeUtf8Length(text), text.size());
  }
}

TEST(Utf8Text, TextThatIsNotUtf8IsNeverHeldBack) {
  EXPECT_EQ(WholeUtf8Length(""), 0u);
  EXPECT_EQ(WholeUtf8Length("plain\r\n"), 7u);
  // Windows-1252 "Ü" alone, stray continuation bytes, an over-long run.
  EXPECT_EQ(WholeUtf8Length("\xDC"), 0u);  // a lead byte: could still become a character
  EXPECT_EQ(WholeUtf8Length("x\xDCy"), 3u);
  EXPECT_EQ(WholeUtf8Length("\x80\x80\x80\x80\x80"), 5u);
  EXPECT_EQ(WholeUtf8Length("\xFF"), 1u);
}

}  // namespace
}  // namespace trellimux
