#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "preview/TransportFeed.h"
#include "transport/TransportStreamBuilder.h"

namespace trellimux {
namespace {

constexpr int kVideo = 0x1e1;
constexpr int kAudio = 0x1e2;
constexpr std::int64_t kFrameTicks = 3600;  // 25 frames a second at 90 kHz

// A recording of pictures, each a PES packet of several packets with an
// audio packet after it; which packets belong to which picture.
struct Recording {
  std::string bytes;
  struct Picture {
    std::int64_t offset = 0;  // its first packet
    std::string packets;      // its own, without the audio
    std::int64_t pts = 0;
  };
  std::vector<Picture> pictures;
  std::vector<std::string> audio;  // the packet after each picture

  void Add(std::int64_t pts, bool reference, int packets) {
    Picture picture{static_cast<std::int64_t>(bytes.size()), "", pts};
    for (const std::string& packet : test::PicturePackets(kVideo, pts, reference, packets))
      picture.packets += packet;
    audio.push_back(test::TransportPacket(kAudio, true, "audio " + std::to_string(pts)));
    bytes += picture.packets + audio.back();
    pictures.push_back(std::move(picture));
  }
  TransportFeed Feed(VideoCoding coding = VideoCoding::H264) const {
    return TransportFeed(
        [this](std::int64_t offset, std::size_t size) {
          return offset < static_cast<std::int64_t>(bytes.size()) ? bytes.substr(offset, size)
                                                                  : std::string();
        },
        coding);
  }
  // Picture `n` with its audio packet.
  std::string Fed(std::size_t n) const { return pictures[n].packets + audio[n]; }
};

std::string FeedAll(TransportFeed& feed) {
  std::string fed;
  for (std::string bytes = feed.Next(); !bytes.empty(); bytes = feed.Next()) fed += bytes;
  return fed;
}

std::int64_t MicrosecondsOf(std::int64_t pts) { return pts * 100 / 9; }

// A keyframe, then in decoding order P (shown 3 later) B B, repeated: the
// B pictures are not references.
Recording Gop(std::int64_t firstPts, int minigops) {
  Recording recording;
  recording.Add(firstPts, true, 12);
  for (int n = 0; n < minigops; ++n) {
    const std::int64_t base = firstPts + 3 * n * kFrameTicks;
    recording.Add(base + 3 * kFrameTicks, true, 6);
    recording.Add(base + 1 * kFrameTicks, false, 3);
    recording.Add(base + 2 * kFrameTicks, false, 3);
  }
  return recording;
}

TEST(TransportFeed, FeedsTheWholeFileUntilAJump) {
  const Recording recording = Gop(900000, 4);
  TransportFeed feed = recording.Feed();
  EXPECT_TRUE(FeedAll(feed) == recording.bytes);
  EXPECT_TRUE(feed.TakeLeftOut().microseconds.empty());
}

// What a jump from picture 0 feeds when `leftOut` are left out: the rest,
// with every audio packet.
std::string FedWithout(const Recording& recording, const std::vector<std::size_t>& leftOut) {
  std::string fed;
  for (std::size_t n = 0; n < recording.pictures.size(); ++n) {
    if (std::find(leftOut.begin(), leftOut.end(), n) == leftOut.end())
      fed += recording.pictures[n].packets;
    fed += recording.audio[n];
  }
  return fed;
}

TEST(TransportFeed, LeavesOutOnlyDisposablePicturesShownBeforeTheLimit) {
  // Pictures 2, 3, 5, 6, 8, ... are B pictures shown at frames 1, 2, 4, 5,
  // 7, ...; the limit lies just before frame 5. Near the 33-bit clock's
  // wrap, as ffmpeg counts on past it.
  constexpr std::int64_t kWrap = std::int64_t{1} << 33;
  for (const std::int64_t first : {std::int64_t{900000}, kWrap - 4 * kFrameTicks}) {
    const Recording recording = Gop(first, 4);
    const std::int64_t limitUs = MicrosecondsOf(first + 5 * kFrameTicks) - 100;
    const struct {
      const char* what;
      VideoCoding coding;
      std::optional<std::int64_t> leaveOutBeforeUs;
      std::vector<std::size_t> leftOut;
      std::vector<std::int64_t> leftOutFrames;
    } cases[] = {
        {"before frame 5", VideoCoding::H264, limitUs, {2, 3, 5}, {1, 2, 4}},
        {"nothing to leave out", VideoCoding::H264, std::nullopt, {}, {}},
        {"a coding not looked at", VideoCoding::Other, limitUs, {}, {}},
    };
    for (const auto& c : cases) {
      const std::string what = std::string(c.what) + " from " + std::to_string(first);
      TransportFeed feed = recording.Feed(c.coding);
      feed.JumpTo({recording.pictures[0].offset, c.leaveOutBeforeUs, 7});
      EXPECT_TRUE(FeedAll(feed) == FedWithout(recording, c.leftOut)) << what;
      const TransportFeed::LeftOut leftOut = feed.TakeLeftOut();
      EXPECT_EQ(leftOut.jump, 7u);
      std::vector<std::int64_t> frames;
      for (const std::int64_t us : leftOut.microseconds)
        frames.push_back((us - MicrosecondsOf(first) + 20000) / 40000);
      EXPECT_EQ(frames, c.leftOutFrames) << what;
      EXPECT_TRUE(feed.TakeLeftOut().microseconds.empty()) << what << ": taken once";
    }
  }
}

TEST(TransportFeed, APictureLargerThanTheFirstLookIsLeftOutToo) {
  Recording recording;
  recording.Add(900000, true, 12);
  recording.Add(900000 + 2 * kFrameTicks, true, 6);
  recording.Add(900000 + kFrameTicks, false, 400);  // 75 KB
  recording.Add(900000 + 3 * kFrameTicks, true, 6);
  TransportFeed feed = recording.Feed();
  feed.JumpTo({0, MicrosecondsOf(900000 + 3 * kFrameTicks), 1});
  EXPECT_TRUE(FeedAll(feed) == FedWithout(recording, {2}));
}

TEST(TransportFeed, AJumpWaitsForTheFrameUnderWayUnlessItIsLeftOut) {
  // Pictures larger than what is fed at a time: the first block ends inside
  // picture 1.
  Recording recording;
  for (int n = 0; n < 4; ++n) recording.Add(900000 + n * kFrameTicks, n % 2 == 0, 100);
  TransportFeed feed = recording.Feed();
  const std::string first = feed.Next();
  ASSERT_GT(first.size(), static_cast<std::size_t>(recording.pictures[1].offset));
  ASSERT_LT(first.size(), static_cast<std::size_t>(recording.pictures[2].offset));
  feed.JumpTo({recording.pictures[2].offset, std::nullopt, 1});
  const std::string restOfPicture1 =
      recording.bytes.substr(first.size(), recording.pictures[2].offset - first.size());
  EXPECT_TRUE(FeedAll(feed) ==
              restOfPicture1 + recording.bytes.substr(recording.pictures[2].offset));

  // Picture 1 is left out and under way: the next jump is made at once.
  TransportFeed leaving = recording.Feed();
  leaving.JumpTo({0, MicrosecondsOf(900000 + 3 * kFrameTicks), 1});
  const std::string fed = leaving.Next();
  ASSERT_TRUE(fed == recording.Fed(0)) << "picture 1 left out";
  leaving.JumpTo({recording.pictures[2].offset, std::nullopt, 2});
  EXPECT_TRUE(FeedAll(leaving) == recording.bytes.substr(recording.pictures[2].offset));
  EXPECT_EQ(leaving.TakeLeftOut().jump, 2u);

  // A jump to no packet: made at once.
  TransportFeed unreadable = recording.Feed();
  ASSERT_TRUE(unreadable.Next() == first);
  unreadable.JumpTo({static_cast<std::int64_t>(recording.bytes.size()), std::nullopt, 1});
  EXPECT_TRUE(unreadable.Next().empty()) << "the file's end";
}

}  // namespace
}  // namespace trellimux
