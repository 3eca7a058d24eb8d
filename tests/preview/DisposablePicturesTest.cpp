#include <gtest/gtest.h>

#include <string>

#include "preview/DisposablePictures.h"
#include "preview/CodedPictures.h"

namespace trellimux {
namespace {

using test::kAccessUnitDelimiter;
using test::kSei;
using test::Mpeg2Picture;
using test::Slice;
using test::Unit;

TEST(DisposablePictures, OnlyPicturesNothingRefersToAreDisposable) {
  const struct {
    const char* what;
    std::string elementary;
    VideoCoding coding;
    bool disposable;
  } cases[] = {
      {"H.264 B slice of nal_ref_idc 0", kAccessUnitDelimiter + kSei + Slice(0, 1),
       VideoCoding::H264, true},
      {"H.264 slice of a reference picture", kAccessUnitDelimiter + Slice(2, 1), VideoCoding::H264,
       false},
      {"H.264 IDR", kAccessUnitDelimiter + Slice(3, 5), VideoCoding::H264, false},
      {"two fields, neither a reference", Slice(0, 1) + Slice(0, 1), VideoCoding::H264, true},
      {"two fields, the second a reference", Slice(0, 1) + Slice(1, 1), VideoCoding::H264, false},
      {"slices of one picture, data partition A", Slice(0, 2) + Slice(0, 1), VideoCoding::H264,
       true},
      {"no slice at all", kAccessUnitDelimiter + kSei, VideoCoding::H264, false},
      {"nothing", "", VideoCoding::H264, false},
      {"MPEG-2 B picture", Unit("\xb3\x2d\x02\x40") + Mpeg2Picture(3), VideoCoding::Mpeg2, true},
      {"MPEG-2 P picture", Mpeg2Picture(2), VideoCoding::Mpeg2, false},
      {"MPEG-2 I picture", Mpeg2Picture(1), VideoCoding::Mpeg2, false},
      {"MPEG-2 field pictures B and P", Mpeg2Picture(3) + Mpeg2Picture(2), VideoCoding::Mpeg2,
       false},
      {"MPEG-2 picture header cut short", Unit(std::string("\x00\x40", 2)), VideoCoding::Mpeg2,
       false},
      {"a coding not looked at", kAccessUnitDelimiter + Slice(0, 1), VideoCoding::Other, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsDisposablePicture(c.elementary, c.coding), c.disposable) << c.what;
}

TEST(DisposablePictures, CodingsAreNamedAsFfprobeNamesThem) {
  EXPECT_EQ(VideoCodingNamed("h264"), VideoCoding::H264);
  EXPECT_EQ(VideoCodingNamed("mpeg2video"), VideoCoding::Mpeg2);
  for (const char* other : {"hevc", "mpeg1video", "H264", ""})
    EXPECT_EQ(VideoCodingNamed(other), VideoCoding::Other) << other;
}

}  // namespace
}  // namespace trellimux
