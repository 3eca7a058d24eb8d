#include <gtest/gtest.h>

#include <string>

#include "preview/CodedPictures.h"
#include "preview/KeyPictures.h"

namespace trellimux {
namespace {

using test::kAccessUnitDelimiter;
using test::Mpeg2Picture;
using test::Slice;
using test::Unit;

// A recovery point SEI message (payload type 6, one byte: recovery_frame_cnt
// as Exp-Golomb, then three flags) after the messages given, and the RBSP's
// trailing bits.
std::string RecoverySei(std::string_view before, char recovery) {
  return Unit("\x06" + std::string(before) + "\x06\x01" + recovery + "\x80");
}
constexpr char kAtOnce = '\x80';    // recovery_frame_cnt 0: '1'
constexpr char kAfterTwo = '\x60';  // 2: '011'

TEST(KeyPictures, OnlyPicturesDecodingCanBeginWithAreKeyPictures) {
  // User data before the recovery point, its payload holding an emulation
  // prevention byte: 3 bytes in the message, 4 in the NAL unit.
  const std::string escapedUserData("\x05\x03\x00\x00\x03\x01", 6);
  const struct {
    const char* what;
    std::string elementary;
    VideoCoding coding;
    bool key;
  } cases[] = {
      {"H.264 IDR", kAccessUnitDelimiter + Slice(3, 5), VideoCoding::H264, true},
      {"H.264 I picture with a recovery point at once",
       kAccessUnitDelimiter + RecoverySei("", kAtOnce) + Slice(3, 1), VideoCoding::H264, true},
      {"the recovery point after other messages",
       RecoverySei("\x05\x03\xaa\xbb\xcc", kAtOnce) + Slice(3, 1), VideoCoding::H264, true},
      {"the recovery point after a message with an escaped byte",
       RecoverySei(escapedUserData, kAtOnce) + Slice(3, 1), VideoCoding::H264, true},
      {"a recovery point two pictures on", RecoverySei("", kAfterTwo) + Slice(3, 1),
       VideoCoding::H264, false},
      {"a slice of another picture without one", kAccessUnitDelimiter + test::kSei + Slice(2, 1),
       VideoCoding::H264, false},
      {"the recovery point after the slice", Slice(2, 1) + RecoverySei("", kAtOnce),
       VideoCoding::H264, false},
      {"a SEI message cut short", Unit("\x06\x06\x09\x80") + Slice(3, 1), VideoCoding::H264, false},
      {"no slice within the bytes", kAccessUnitDelimiter + RecoverySei("", kAtOnce),
       VideoCoding::H264, false},
      {"MPEG-2 I picture", Unit("\xb3\x2d\x02\x40") + Mpeg2Picture(1), VideoCoding::Mpeg2, true},
      {"MPEG-2 P picture", Mpeg2Picture(2), VideoCoding::Mpeg2, false},
      {"MPEG-2 B picture", Mpeg2Picture(3), VideoCoding::Mpeg2, false},
      {"a coding not looked at", Slice(3, 5), VideoCoding::Other, false},
      {"nothing", "", VideoCoding::H264, false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsKeyPicture(c.elementary, c.coding), c.key) << c.what;
}

// A copy of H.264 begins only with an IDR picture; of MPEG-2 with any I.
TEST(KeyPictures, ACopyBeginsWithAnIdrPictureOrAnMpeg2IPicture) {
  const struct {
    const char* what;
    std::string elementary;
    VideoCoding coding;
    bool begins;
  } cases[] = {
      {"H.264 IDR", kAccessUnitDelimiter + test::kSei + Slice(3, 5), VideoCoding::H264, true},
      {"H.264 recovery point", RecoverySei("", kAtOnce) + Slice(3, 1), VideoCoding::H264, false},
      {"MPEG-2 I picture", Mpeg2Picture(1), VideoCoding::Mpeg2, true},
      {"MPEG-2 B picture", Mpeg2Picture(3), VideoCoding::Mpeg2, false},
  };
  for (const auto& c : cases) EXPECT_EQ(BeginsCopy(c.elementary, c.coding), c.begins) << c.what;
}

}  // namespace
}  // namespace trellimux
