#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "preview/CodedPictures.h"
#include "preview/TransportSeek.h"
#include "transport/TransportStreamBuilder.h"

namespace trellimux {
namespace {

constexpr int kVideo = 0x100;
constexpr int kAudio = 0x101;
constexpr std::int64_t kFrameTicks = 3600;  // 25 frames a second
constexpr std::int64_t kWrap = std::int64_t{1} << 33;

// A recording of 25 frames a second, a key picture (an IDR) every `gop`
// frames and P pictures between, each shown two frames after it is
// decoded, an audio packet after each; its key pictures' times (the file's
// microseconds, from the first decoding time) and first bytes.
struct Recording {
  std::string bytes;
  std::int64_t startUs = 0;
  std::vector<Keyframe> keys;
};

Recording MakeRecording(int frames, int gop, std::int64_t firstDtsTicks) {
  Recording made;
  made.startUs = firstDtsTicks * 100 / 9;
  for (int frame = 0; frame < frames; ++frame) {
    const std::int64_t dts = firstDtsTicks + frame * kFrameTicks;
    const std::int64_t pts = dts + 2 * kFrameTicks;
    const bool key = frame % gop == 0;
    if (key) {
      made.keys.push_back({made.startUs + (pts - firstDtsTicks) * 100 / 9,
                           made.startUs + (dts - firstDtsTicks) * 100 / 9,
                           static_cast<std::int64_t>(made.bytes.size())});
    }
    const std::string picture = test::kAccessUnitDelimiter + test::Slice(key ? 3 : 2, key ? 5 : 1) +
                                std::string(300, '\x55');
    for (const std::string& packet :
         test::PesPackets(kVideo, test::PesHeaderWithTimes(pts % kWrap, dts % kWrap) + picture))
      made.bytes += packet;
    made.bytes += test::TransportPacket(kAudio, true, test::PesHeaderWithPts(dts % kWrap));
  }
  return made;
}

struct Found {
  std::optional<Keyframe> keyframe;
  std::int64_t bytesRead = 0;
};

// `next`: the first key picture at or after the time instead.
Found Find(const Recording& recording, std::int64_t targetUs,
           VideoCoding coding = VideoCoding::H264, bool next = false) {
  Found found;
  const TransportReader read = [&](std::int64_t offset, std::size_t size) {
    const std::string bytes = offset < static_cast<std::int64_t>(recording.bytes.size())
                                  ? recording.bytes.substr(static_cast<std::size_t>(offset), size)
                                  : std::string();
    found.bytesRead += static_cast<std::int64_t>(bytes.size());
    return bytes;
  };
  const auto size = static_cast<std::int64_t>(recording.bytes.size());
  const TransportVideo video{kVideo, coding, recording.startUs};
  found.keyframe = next ? FindNextTransportKeyframe(read, size, video, targetUs)
                        : FindTransportKeyframe(read, size, video, targetUs);
  return found;
}

// The key picture `index` of the recording, or none (-1).
void ExpectKey(const Found& found, const Recording& recording, int index, const char* what) {
  if (index < 0) {
    EXPECT_FALSE(found.keyframe) << what << ": found one at " << found.keyframe->pts;
    return;
  }
  ASSERT_TRUE(found.keyframe) << what;
  const Keyframe& expected = recording.keys[static_cast<std::size_t>(index)];
  EXPECT_EQ(found.keyframe->bytePos, expected.bytePos) << what;
  EXPECT_NEAR(static_cast<double>(found.keyframe->pts), static_cast<double>(expected.pts), 1)
      << what;
  EXPECT_NEAR(static_cast<double>(found.keyframe->dts), static_cast<double>(expected.dts), 1)
      << what;
}

TEST(TransportSeek, FindsTheLastKeyPictureShownAtOrBeforeTheTime) {
  const Recording recording = MakeRecording(25 * 60, 50, 900000);  // 60 s from 10 s, 2 s GOPs
  const std::int64_t start = recording.startUs;
  const struct {
    const char* what;
    std::int64_t targetUs;
    int key;
  } cases[] = {
      {"the key picture's own time", recording.keys[10].pts, 10},
      {"just before the next key picture", recording.keys[11].pts - 1, 10},
      {"more than a second after the key picture", recording.keys[10].pts + 1'900'000, 10},
      {"the first frame", recording.keys[0].pts, 0},
      {"before the first frame", start, -1},
      {"past the recording's end", start + 70'000'000, 29},
  };
  for (const auto& c : cases) ExpectKey(Find(recording, c.targetUs), recording, c.key, c.what);
  ExpectKey(Find(recording, recording.keys[10].pts, VideoCoding::Other), recording, -1,
            "a coding whose key pictures are not known");
}

TEST(TransportSeek, FindsTheFirstKeyPictureShownAtOrAfterTheTime) {
  const Recording recording = MakeRecording(25 * 60, 50, 900000);
  const struct {
    const char* what;
    std::int64_t targetUs;
    int key;
  } cases[] = {
      {"the key picture's own time", recording.keys[10].pts, 10},
      {"just after a key picture", recording.keys[10].pts + 1, 11},
      {"the recording's start", recording.startUs, 0},
      {"after the last key picture", recording.keys[29].pts + 1, -1},
  };
  for (const auto& c : cases)
    ExpectKey(Find(recording, c.targetUs, VideoCoding::H264, true), recording, c.key, c.what);
  const Recording forty = MakeRecording(25 * 100, 25 * 40, 0);
  ExpectKey(Find(forty, forty.keys[0].pts + 1, VideoCoding::H264, true), forty, -1,
            "40 s to the next: further than the keyframe search");
}

TEST(TransportSeek, LooksBackAsFarAsTheKeyframeSearchAndNoFurther) {
  const Recording twelve = MakeRecording(25 * 40, 25 * 12, 0);
  ExpectKey(Find(twelve, twelve.keys[1].pts + 11'000'000), twelve, 1, "11 s into a 12 s GOP");
  const Recording forty = MakeRecording(25 * 100, 25 * 40, 0);
  ExpectKey(Find(forty, forty.keys[1].pts + 30'000'000), forty, -1, "30 s into a 40 s GOP");
}

TEST(TransportSeek, CountsTimeOnAcrossTheClocksWrap) {
  // The first picture 5 s before the 33-bit clock wraps round.
  const Recording recording = MakeRecording(25 * 30, 50, kWrap - 5 * 90000);
  ExpectKey(Find(recording, recording.keys[6].pts + 500'000), recording, 6, "7 s after the wrap");
  ExpectKey(Find(recording, recording.keys[1].pts + 500'000), recording, 1, "before the wrap");
}

TEST(TransportSeek, ReadsOnlyAFewStretchesOfALongRecording) {
  const Recording recording = MakeRecording(25 * 1800, 50, 0);  // half an hour
  const Found found = Find(recording, recording.keys[600].pts + 1'500'000);
  ExpectKey(found, recording, 600, "20 minutes in");
  // The halving's reads, then the stretch read on to the frame: a few of
  // the reads of a megabyte, not the 25 MB of the recording.
  EXPECT_LT(found.bytesRead, std::int64_t{4} << 20) << "of " << recording.bytes.size();
}

}  // namespace
}  // namespace trellimux
