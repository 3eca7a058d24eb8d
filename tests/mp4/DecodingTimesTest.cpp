#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "mp4/DecodingTimes.h"
#include "mp4/MovieBoxes.h"

namespace trellimux {
namespace {

std::string Word(std::uint32_t value) {
  std::string word(4, '\0');
  Write32(word, 0, value);
  return word;
}

std::string Box(const std::string& type, const std::string& content) {
  return Word(static_cast<std::uint32_t>(8 + content.size())) + type + content;
}

using Runs = std::vector<std::pair<std::uint32_t, std::uint32_t>>;  // count, value

std::string TimeBox(const std::string& type, const Runs& runs) {
  std::string content = Word(0) + Word(static_cast<std::uint32_t>(runs.size()));
  for (const auto& [count, value] : runs) content += Word(count) + Word(value);
  return Box(type, content);
}

// A movie box as ffmpeg writes one, its media header (version 0) saying
// `duration`.
std::string Movie(const Runs& steps, const Runs& offsets, std::uint32_t duration) {
  const std::string entry = Box("avc1", std::string(78, '\0') + Box("avcC", "\x01"));
  const std::string stsd = Box("stsd", std::string("\0\0\0\0\0\0\0\1", 8) + entry);
  const std::string mdhd =
      Box("mdhd", Word(0) + Word(0) + Word(0) + Word(90000) + Word(duration) + Word(0));
  const std::string table =
      stsd + TimeBox("stts", steps) + (offsets.empty() ? "" : TimeBox("ctts", offsets));
  return Box("moov", Box("mvhd", "header") +
                         Box("trak", Box("mdia", mdhd + Box("minf", Box("stbl", table)))));
}

// A cut whose encoded end is decoded without the source's wait jumps two
// frames in its decoding times: after the jump every sample is decoded a
// step after the one before and shown when it was; the media duration
// loses the jump. Without a jump, or without composition offsets (nothing
// to keep the showing times by), the movie stays as it is.
TEST(DecodingTimes, AJumpInDecodingTimesIsClosed) {
  const std::string cut = Movie({{87, 3600}, {1, 10800}, {2, 3600}},
                                {{1, 7200}, {86, 3600}, {1, 7200}, {2, 0}}, 331200);
  const std::optional<std::string> closed = WithoutDecodingGaps(cut);
  ASSERT_TRUE(closed);
  EXPECT_EQ(*closed, Movie({{90, 3600}}, {{1, 7200}, {86, 3600}, {3, 7200}}, 324000));
  for (const std::string& same :
       {Movie({{90, 3600}}, {{90, 3600}}, 324000), Movie({{87, 3600}, {3, 10800}}, {}, 331200)})
    EXPECT_EQ(WithoutDecodingGaps(same), same);
  const std::string unreadable = Movie({{87, 3600}}, {{88, 7200}}, 1);  // counts apart
  EXPECT_FALSE(WithoutDecodingGaps(unreadable));
}

}  // namespace
}  // namespace trellimux
