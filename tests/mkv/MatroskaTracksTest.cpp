#include <gtest/gtest.h>

#include <string>

#include "mkv/MatroskaTracks.h"

namespace trellimux {
namespace {

// An element: its id's bytes, a one-byte size, its content.
std::string Element(const std::string& id, const std::string& content) {
  return id + static_cast<char>(0x80 | content.size()) + content;
}

std::string Track(int number, const std::string& codec, const std::string& codecPrivate) {
  return Element("\xAE", Element("\xD7", std::string(1, static_cast<char>(number))) +
                             Element("\x83", "\x01") + Element("\x86", codec) +
                             Element("\x63\xA2", codecPrivate));
}

FileBytesReader Reader(const std::string& file) {
  return [file](std::int64_t offset, std::size_t size) {
    return offset >= static_cast<std::int64_t>(file.size())
               ? std::string()
               : file.substr(static_cast<std::size_t>(offset), size);
  };
}

// A file as ffmpeg writes one: its header, then a segment of unknown size
// whose seek head and void space come before the track list.
std::string File(const std::string& tracks, const std::string& beforeTracks = "") {
  return Element("\x1A\x45\xDF\xA3", Element("\x42\x82", "matroska")) + "\x18\x53\x80\x67" +
         std::string("\x01\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8) + Element("\x11\x4D\x9B\x74", "seek") +
         Element("\xEC", std::string(20, '\0')) + beforeTracks +
         Element("\x16\x54\xAE\x6B", tracks) + Element("\x1F\x43\xB6\x75", "");
}

// The one H.264 track's configuration is found past what comes before the
// track list; a file with two, none, or its tracks after its first cluster
// gives none.
TEST(MatroskaTracks, TheOneAvcTracksConfigurationIsRead) {
  const std::string configuration("\x01\x64\x00\x1e", 4);
  const std::string avc = Track(1, "V_MPEG4/ISO/AVC", configuration);
  const std::string sound = Track(2, "A_AAC", "\x12\x10");
  const std::optional<MatroskaTrack> track = MatroskaAvcTrack(Reader(File(sound + avc)));
  ASSERT_TRUE(track);
  EXPECT_EQ(track->number, 1u);
  EXPECT_EQ(track->codecPrivate, configuration);
  EXPECT_EQ(ReadMatroskaTracks(Reader(File(sound + avc))).size(), 2u);
  EXPECT_FALSE(MatroskaAvcTrack(Reader(File(avc + Track(3, "V_MPEG4/ISO/AVC", "\x01")))));
  EXPECT_FALSE(MatroskaAvcTrack(Reader(File(sound))));
  EXPECT_FALSE(MatroskaAvcTrack(Reader(File(avc, Element("\x1F\x43\xB6\x75", "")))));
  EXPECT_FALSE(MatroskaAvcTrack(Reader(File(avc).substr(0, 60)))) << "cut short";
  EXPECT_FALSE(MatroskaAvcTrack(Reader(std::string(188, 'G')))) << "not Matroska";
}

// A block's frame follows its track number, time and flags; a block of
// another track, or of laced frames, gives none.
TEST(MatroskaTracks, ABlocksFrameFollowsItsFields) {
  const std::string frame("\x00\x00\x00\x02\x09\xF0", 6);
  for (const auto& [block, track, expected] :
       {std::tuple{std::string("\x81\x00\x28\x80", 4) + frame, 1, std::optional(frame)},
        {std::string("\x40\x85\x00\x28\x00", 5) + frame, 133, std::optional(frame)},
        {std::string("\x82\x00\x28\x80", 4) + frame, 1, std::nullopt},
        {std::string("\x81\x00\x28\x86", 4) + frame, 1, std::nullopt},  // EBML lacing
        {std::string("\x81\x00", 2), 1, std::nullopt}}) {
    const std::optional<std::string_view> found = MatroskaBlockFrame(block, track);
    EXPECT_EQ(found.has_value(), expected.has_value()) << track;
    if (found && expected) EXPECT_EQ(*found, *expected);
  }
}

}  // namespace
}  // namespace trellimux
