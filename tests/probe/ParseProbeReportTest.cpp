#include <gtest/gtest.h>

#include "params/ParameterColumns.h"
#include "probe/ProbeReport.h"
#include "probe/ReportText.h"

namespace trellimux {
namespace {

using test::AudioStream;
using test::Format;
using test::Section;
using test::Stream;
using test::VideoStream;

// A report and its parse result, which points into it: kept together.
struct Parsed {
  explicit Parsed(std::string text) : report(std::move(text)) {
    ProbeOutcome outcome = ParseProbeReport(report);
    if (auto* failure = std::get_if<ProbeFailure>(&outcome))
      ADD_FAILURE() << "parse failed: " << ProbeFailureText(*failure);
    else
      result = std::get<ProbeResult>(outcome);
  }
  Parsed(const Parsed&) = delete;
  const ProbeResult* operator->() const { return &result; }

  std::string report;
  ProbeResult result;
};

Parsed ParseOk(std::string report) { return Parsed(std::move(report)); }

std::optional<ProbeFailure> FailureOf(const std::string& report) {
  ProbeOutcome outcome = ParseProbeReport(report);
  if (auto* failure = std::get_if<ProbeFailure>(&outcome)) return *failure;
  return std::nullopt;
}

TEST(ParseProbeReport, KeepsEveryValueAsTheReportShowsIt) {
  Parsed result = ParseOk(VideoStream("0", "720", "576") + AudioStream("1", "ger") + Format("2"));
  ASSERT_EQ(result->streamCount, 2);
  ASSERT_EQ(result->streams.size(), 2u);
  const auto& video = result->streams[0].texts;
  EXPECT_EQ(video[kStream], "0");
  EXPECT_EQ(video[kType], "video");
  EXPECT_EQ(video[kCodec], "mpeg2video");
  EXPECT_EQ(video[kProfile], "Main");
  EXPECT_EQ(video[kLevel], "8");
  EXPECT_EQ(video[kWidth], "720");
  EXPECT_EQ(video[kHeight], "576");
  EXPECT_EQ(video[kSar], "64:45");
  EXPECT_EQ(video[kDar], "16:9");
  EXPECT_EQ(video[kFps], "25/1");
  EXPECT_EQ(video[kPixFmt], "yuv420p");
  EXPECT_EQ(video[kMaxBitrate], "15000000");
  // Not in the report, or no key at all: empty.
  EXPECT_EQ(video[kQuality], "");
  EXPECT_EQ(video[kBufsize], "");
  EXPECT_EQ(video[kChannels], "");
  EXPECT_EQ(video[kLanguage], "");
  EXPECT_EQ(video[kBitrate], "") << "N/A becomes empty";

  const auto& audio = result->streams[1].texts;
  EXPECT_EQ(audio[kProfile], "") << "unknown becomes empty";
  EXPECT_EQ(audio[kWidth], "") << "no key in the audio section, none borrowed from another";
  EXPECT_EQ(audio[kSampleRate], "48000");
  EXPECT_EQ(audio[kLayout], "stereo");
  EXPECT_EQ(audio[kBitrate], "192000");
  EXPECT_EQ(audio[kLanguage], "ger");
  EXPECT_EQ(KindOfTag(result->streams[0].typeTag), StreamKind::Video);
  EXPECT_EQ(KindOfTag(result->streams[1].typeTag), StreamKind::Audio);
}

TEST(ParseProbeReport, MatchesKeysAndBlanksValuesIgnoringCase) {
  Parsed result =
      ParseOk(Stream({"INDEX=N/A", "codec_type=unknown", "pix_fmt=UNKNOWN", "codec_name=n/a",
                      "TAG:LANGUAGE=fra", "sample_rate=Unknownish", "TAG:title=a=b=c"}) +
              Stream({"codec_name=subrip", "codec_type=Subtitle", "weird prefix channels=6"}) +
              Format("2"));
  const auto& first = result->streams[0];
  EXPECT_EQ(first.texts[kStream], "N/A") << "Stream is never blanked";
  EXPECT_EQ(first.texts[kType], "unknown") << "Type is never blanked";
  EXPECT_EQ(std::string(first.typeTag.data(), 4), "unkn");
  EXPECT_EQ(KindOfTag(first.typeTag), StreamKind::Other);
  EXPECT_EQ(first.texts[kPixFmt], "");
  EXPECT_EQ(first.texts[kCodec], "");
  EXPECT_EQ(first.texts[kLanguage], "fra");
  EXPECT_EQ(first.texts[kSampleRate], "Unknownish") << "only the whole value is blanked";

  const auto& second = result->streams[1];
  EXPECT_EQ(second.texts[kStream], "") << "no index key";
  EXPECT_EQ(KindOfTag(second.typeTag), StreamKind::Subtitle) << "tag lower-cased";
  EXPECT_EQ(second.texts[kChannels], "6") << "a key may stand anywhere in its line";
}

TEST(ParseProbeReport, TakesAValueWholeUpToTheLineEnd) {
  Parsed result =
      ParseOk(Stream({"index=0", "codec_type=audio", "TAG:language=de=at x"}) + Format("1"));
  EXPECT_EQ(result->streams[0].texts[kLanguage], "de=at x");
}

TEST(ParseProbeReport, TypeTagIsTheFirstFourBytesOredWith0x20) {
  EXPECT_EQ(MakeTypeTag("VIDEO"), (TypeTag{'v', 'i', 'd', 'e'}));
  EXPECT_EQ(MakeTypeTag("au"), (TypeTag{'a', 'u', 0, 0}));
  EXPECT_EQ(MakeTypeTag(""), TypeTag{});
  EXPECT_EQ(KindOfTag(MakeTypeTag("data")), StreamKind::Other);
  EXPECT_EQ(KindOfTag(MakeTypeTag("attachment")), StreamKind::Other);
  Parsed result = ParseOk(Stream({"index=0"}) + Format("1"));
  EXPECT_EQ(result->streams[0].typeTag, TypeTag{}) << "missing codec_type";
}

TEST(ParseProbeReport, StreamCountDecidesHowManySectionsAreRead) {
  const std::string three =
      VideoStream("0", "2", "2") + AudioStream("1", "a") + AudioStream("2", "b");
  EXPECT_EQ(ParseOk(three + Format("2"))->streams.size(), 2u);
  EXPECT_EQ(ParseOk(three + Format("257"))->streams.size(), 1u) << "low 8 bits of 257";
  EXPECT_EQ(ParseOk(three + Format("3x"))->streams.size(), 3u) << "reading stops at a non-digit";
  EXPECT_EQ(ParseOk(Format("1") + three)->streams.size(), 1u) << "format section may come first";

  EXPECT_EQ(FailureOf(three + Format("4")), ProbeFailure::Stream);
  EXPECT_EQ(FailureOf(three + Format("0")), ProbeFailure::Stream);
  EXPECT_EQ(FailureOf(three + Format("256")), ProbeFailure::Stream);
  EXPECT_EQ(FailureOf(three + Format("abc")), ProbeFailure::Stream) << "no digits read as 0";
  EXPECT_EQ(FailureOf(three + Format("-1")), ProbeFailure::Stream) << "-1 wraps to 255";
  EXPECT_EQ(FailureOf("[STREAM]\r\nindex=0\r\n" + Format("1")), ProbeFailure::Stream)
      << "a section without its closing marker";
}

TEST(ParseProbeReport, CountOfZeroWithMoreThan256SectionsFails) {
  std::string report;
  for (int i = 0; i < 300; ++i) report += Stream({"index=" + std::to_string(i)});
  EXPECT_EQ(FailureOf(report + Format("0")), ProbeFailure::Stream);
  EXPECT_EQ(ParseOk(report + Format("255"))->streams.size(), 255u);
}

TEST(ParseProbeReport, FormatSectionFailures) {
  const std::string stream = AudioStream("0", "eng");
  EXPECT_EQ(FailureOf(stream), ProbeFailure::Format) << "no [FORMAT]";
  EXPECT_EQ(FailureOf(stream + "[FORMAT]\r\nnb_streams=1\r\n"), ProbeFailure::Format)
      << "no [/FORMAT]";
  EXPECT_EQ(FailureOf("nb_streams=1\r\n" + stream + Section("FORMAT", {"duration=1"})),
            ProbeFailure::Format)
      << "nb_streams only outside the format section";
  EXPECT_EQ(FailureOf(stream + "[FORMAT]\r\nx=1\r\nnb_streams=1[/FORMAT]\r\n"),
            ProbeFailure::Format)
      << "nb_streams on the closing marker's line";
  EXPECT_EQ(FailureOf(""), ProbeFailure::Format);
  EXPECT_EQ(ProbeFailureText(ProbeFailure::Format), "Unable to parse input format.");
  EXPECT_EQ(ProbeFailureText(ProbeFailure::Stream), "Unable to parse input stream.");
}

TEST(ParseProbeReport, KeysOnTheClosingMarkerLineAreOutsideTheSection) {
  Parsed result =
      ParseOk("[STREAM]\r\nindex=0\r\ncodec_type=audio channels=2[/STREAM]\r\n" + Format("1"));
  EXPECT_EQ(result->streams[0].texts[kStream], "0");
  EXPECT_EQ(result->streams[0].texts[kType], "");
  EXPECT_EQ(result->streams[0].texts[kChannels], "");
}

TEST(ParseProbeReport, OddSizeFlagCountsOddWidthsAndHeights) {
  auto flag = [](const std::string& streams, const char* count) {
    return ParseOk(streams + Format(count))->oddSizeFlag;
  };
  EXPECT_EQ(flag(VideoStream("0", "1921", "1080") + AudioStream("1", "x"), "2"), 1u);
  EXPECT_EQ(flag(AudioStream("0", "x") + VideoStream("1", "1921", "1080"), "2"), 1u);
  EXPECT_EQ(flag(VideoStream("0", "1920", "1080") + AudioStream("1", "x"), "2"), 0u);
  EXPECT_EQ(flag(VideoStream("0", "1921", "1081"), "1"), 2u);
  EXPECT_EQ(flag(VideoStream("0", "N/A", "-3"), "1"), 1u) << "N/A reads as 0, -3 is odd";
}

TEST(ParseProbeReport, LineEndsOfAnyKindParseAlike) {
  const std::string report =
      VideoStream("0", "1921", "1080") + AudioStream("1", "ger") + Format("2");
  Parsed crlf = ParseOk(report);
  for (const std::string& lineEnd :
       {std::string("\n"), std::string("\r"), std::string("\n\r"), std::string(1, '\0')}) {
    Parsed other = ParseOk(test::WithLineEnds(report, lineEnd));
    ASSERT_EQ(other->streams.size(), crlf->streams.size());
    EXPECT_EQ(other->oddSizeFlag, crlf->oddSizeFlag);
    for (std::size_t s = 0; s < crlf->streams.size(); ++s)
      for (int c = 0; c < kParameterColumnCount; ++c)
        EXPECT_EQ(other->streams[s].texts[c], crlf->streams[s].texts[c])
            << "stream " << s << " column " << c;
  }
  // The last line needs no line end.
  std::string unterminated = Stream({"index=0"}) + "[FORMAT]\r\nnb_streams=1\r\n[/FORMAT]";
  EXPECT_EQ(ParseOk(unterminated)->streams.size(), 1u);
}

}  // namespace
}  // namespace trellimux
