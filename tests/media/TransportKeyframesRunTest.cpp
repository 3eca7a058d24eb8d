// The keyframes the preview finds in a transport stream's own packets are
// the ones ffprobe lists, for real encoders' streams: MPEG-2 with B
// pictures, H.264 with IDR pictures only, and H.264 with open GOPs, whose
// I pictures are marked by a recovery point.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "preview/PreviewSource.h"
#include "preview/TransportSeek.h"
#include "trim/KeyframeSearch.h"

namespace trellimux::test {
namespace {

std::string MakeH264Clip(const std::string& name, const std::string& x264Params) {
  const std::string path = OutputPath(name);
  const ToolRun made =
      RunTool(FfmpegTool::Ffmpeg,
              " -v error -y -f lavfi -i testsrc2=size=320x240:rate=25:duration=8 -c:v libx264"
              " -preset veryfast -x264-params " +
                  x264Params + " -f mpegts \"" + path + "\"");
  EXPECT_EQ(made.exitCode, 0) << made.output;
  return path;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(TransportKeyframesRun, FindsTheKeyframesFfprobeLists) {
  const struct {
    const char* what;
    std::string clip;
  } clips[] = {
      {"MPEG-2 with B pictures", MakeCountingClip("keyframes-mpeg2.ts", 8, false, true)},
      {"H.264, IDR pictures", MakeH264Clip("keyframes-idr.ts", "keyint=30:scenecut=0:bframes=2")},
      {"H.264, open GOPs", MakeH264Clip("keyframes-open.ts",
                                        "keyint=30:min-keyint=30:scenecut=0:open-gop=1:bframes=2")},
  };
  for (const auto& c : clips) {
    SCOPED_TRACE(c.what);
    const std::optional<PreviewSource> source = PreviewSourceOf(ProbeReport(c.clip));
    ASSERT_TRUE(source);
    ASSERT_GE(source->streamId, 0);
    const std::int64_t start = source->startMicroseconds;
    const std::string listed =
        RunTool(FfmpegTool::Ffprobe, KeyframeListArguments(c.clip, start, 0, source->durationMs))
            .output;
    ASSERT_GE(ParseKeyframes(listed).size(), 3u) << listed;
    const std::string bytes = ReadWhole(c.clip);
    const TransportReader read = [&](std::int64_t offset, std::size_t size) {
      return offset < static_cast<std::int64_t>(bytes.size())
                 ? bytes.substr(static_cast<std::size_t>(offset), size)
                 : std::string();
    };
    for (std::int64_t ms = 0; ms < source->durationMs; ms += 130) {
      SCOPED_TRACE(::testing::Message() << ms << " ms");
      const std::optional<KeyframeBefore> expected = KeyframeAtOrBefore(listed, start, ms);
      const std::optional<Keyframe> found =
          FindTransportKeyframe(read, static_cast<std::int64_t>(bytes.size()),
                                {source->streamId, source->coding, start}, start + ms * 1000);
      ASSERT_EQ(found.has_value(), expected.has_value());
      if (!found) continue;
      const KeyframeBefore seek = SeekTo(*found, start);
      EXPECT_EQ(seek.bytePos, expected->bytePos);
      EXPECT_NEAR(static_cast<double>(seek.ptsMicroseconds),
                  static_cast<double>(expected->ptsMicroseconds), 1);
      EXPECT_EQ(seek.seekMs, expected->seekMs);
    }
  }
}

}  // namespace
}  // namespace trellimux::test
