// Easy mode with every choice left on its caption keeps every audio track of
// a two-language recording (ffmpeg.exe 4.1 maps only the first audio stream
// for "0:a:?").
#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"
#include "app/win/ProgramControls.h"
#include "params/ParameterColumns.h"

namespace trellimux::test {
namespace {

class EndToEndEasyAudio : public EndToEndTest {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Convert)); }
};

TEST_F(EndToEndEasyAudio, KeepsBothAudioTracksOfATwoLanguageRecording) {
  const std::string root = FreshWorkFolder("easy-audio");
  const std::string recording = root + "\\two languages.ts";
  ASSERT_NO_FATAL_FAILURE(MakeMedia(
      "-f lavfi -i testsrc=size=320x240:rate=25:duration=2"
      " -f lavfi -i sine=frequency=440:sample_rate=48000:duration=2"
      " -f lavfi -i sine=frequency=880:sample_rate=48000:duration=2"
      " -map 0 -map 1 -map 2 -c:v mpeg2video -c:a mp2 -metadata:s:a:0 language=ger"
      " -metadata:s:a:1 language=eng \"" + recording + "\""));

  ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConvertExpertButton, kConvertExpertLamp, false));
  ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kConvertInputButton, recording));
  ASSERT_EQ(Program().RowCount(kConvertSourceTable), 3);
  ASSERT_TRUE(Done(Program().Select(kConvertContainerList, ".mkv")));
  const std::string output = root + "\\two languages.mkv";
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConvertOutputButton, output));

  std::string log;
  ASSERT_NO_FATAL_FAILURE(RunJob(log));
  const MediaFacts facts = ProbeMedia(output);
  ASSERT_TRUE(facts.probed) << facts.report << "\nlog:\n" << log;
  ASSERT_EQ(facts.streams.size(), 3u) << "a language track was dropped\n" << facts.report;
  EXPECT_EQ(facts.streams[0].type, "video");
  EXPECT_EQ(facts.streams[1].type, "audio");
  EXPECT_EQ(facts.streams[2].type, "audio");
}

}  // namespace
}  // namespace trellimux::test
