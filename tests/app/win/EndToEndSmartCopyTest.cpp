// "Smart Copy" in the real program: cuts of an H.264 MPEG-TS with B-frame
// pyramids and two audio tracks, made through the window with the real
// ffmpeg.exe, hold exactly the frames asked for, decode without a word, keep
// the copied packets as they were and the audio beside the video; a cut
// that cannot be exact is named in a note before anything runs.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"
#include "app/win/PreviewDriving.h"
#include "app/win/ProgramControls.h"
#include "media/MediaChecks.h"
#include "media/ToolRunner.h"
#include "mp4/ParameterSetLine.h"

namespace trellimux::test {
namespace {

std::string Quoted(const std::string& path) { return " \"" + path + "\""; }

// The numbers ffprobe.exe prints of `entries`, one per line ("N/A" as -1).
std::vector<double> Printed(const std::string& path, const std::string& stream,
                            const std::string& entries) {
  const ToolRun run =
      RunTool(FfmpegTool::Ffprobe, " -v error -select_streams " + stream + " -show_entries " +
                                       entries + " -of csv=p=0" + Quoted(path));
  std::vector<double> values;
  for (std::size_t at = 0; at < run.output.size();) {
    std::size_t end = run.output.find_first_of(",\r\n", at);
    if (end == std::string::npos) end = run.output.size();
    const std::string field = run.output.substr(at, end - at);
    if (!field.empty()) values.push_back(field == "N/A" ? -1 : std::atof(field.c_str()));
    at = end + 1;
  }
  return values;
}

// The PSNR of the first frame of `file` against the frame of `source` shown
// at `seconds` after its start, in dB (1000 for equal pictures).
double FirstFramePsnr(const std::string& file, const std::string& source, double seconds,
                      const std::string& folder) {
  const std::string made = folder + "\\made.png", shown = folder + "\\source.png";
  MakeMedia("-i" + Quoted(file) + " -frames:v 1" + Quoted(made));
  // Decoded from the start: a seek in an MPEG-TS may land after a keyframe.
  MakeMedia("-i" + Quoted(source) + " -vf \"select=gte(t\\," + std::to_string(seconds - 0.0005) +
            ")\" -frames:v 1" + Quoted(shown));
  const std::string compared =
      RunTool(FfmpegTool::Ffmpeg,
              " -nostdin -i" + Quoted(made) + " -i" + Quoted(shown) + " -lavfi psnr -f null -")
          .output;
  const std::size_t at = compared.find("average:");
  if (at == std::string::npos) return 0;
  if (compared.compare(at + 8, 3, "inf") == 0) return 1000;  // not read by atof here
  return std::atof(compared.c_str() + at + 8);
}

// "00:00:01.011"
std::string MillisecondsText(int ms) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", ms / 3600000, ms / 60000 % 60,
                ms / 1000 % 60, ms % 1000);
  return text;
}

std::string TempFolder() { return ToolsFolder() + "\\Temp"; }

struct SmartCut {
  CutTime in, out;
};

// 25 fps, the video 10 ms after the file's start: a cut with a head, a copy
// and an end; one with no keyframe inside (all encoded again) where
// keyframes lie a second apart; one whose In lies just before a keyframe of
// the H.264 sources (nothing encoded at its start; "Copy" begins a GOP
// earlier).
const SmartCut kCuts[] = {{{0, 0, 0, 520}, {0, 0, 2, 280}},
                          {{0, 0, 3, 200}, {0, 0, 3, 600}},
                          {{0, 0, 4, 0}, {0, 0, 5, 880}}};
constexpr std::size_t kCutCount = std::size(kCuts);

// Recordings as broadcasters send them and a phone's, each cut and joined
// in one mode.
struct SmartSource {
  const char* name;
  const char* video;  // ffmpeg.exe's options for the video
  const char* concatMode;
  // Whether cuts copy packets: x264's open GOPs begin with the only IDR
  // picture, and a copy of H.264 begins only with one, so there every cut
  // is encoded whole; MPEG-2's open GOPs are copied from their I pictures.
  bool copies;
};
const SmartSource kSources[] = {
    {"pyramid.ts", "-c:v libx264 -g 25 -keyint_min 25 -sc_threshold 0 -bf 3", "FFmpeg File", true},
    {"interlaced.ts",
     "-c:v libx264 -flags +ildct+ilme -x264-params interlaced=1:tff=1 -field_order tt -g 25 "
     "-keyint_min 25 -sc_threshold 0 -bf 3",
     "Windows File", true},
    {"open-gop.ts",
     "-c:v libx264 -x264-params open-gop=1 -g 25 -keyint_min 25 -sc_threshold 0 -bf 3",
     "FFmpeg Demuxer", false},
    {"mpeg2.ts", "-c:v mpeg2video -flags +ildct+ilme -top 1 -g 12 -bf 2 -b:v 3M", "Windows File",
     true},
    // As a phone records, with AAC sound (MPEG audio otherwise).
    {"phone.mp4", "-c:v libx264 -profile:v high -g 25 -keyint_min 25 -sc_threshold 0 -bf 2",
     "FFmpeg Demuxer", true},
    {"camera.mkv", "-c:v libx264 -profile:v main -g 25 -keyint_min 25 -sc_threshold 0 -bf 1",
     "FFmpeg Demuxer", true},
};

// The extension of `path` (".ts"): the cut files' and the output's too.
std::string ExtensionOf(const std::string& path) { return path.substr(path.rfind('.')); }

class EndToEndSmartCopy : public EndToEndTest {
 protected:
  static void SetUpTestSuite() {
    root_ = FreshWorkFolder("smart-copy");
    for (const SmartSource& source : kSources)
      MakeMedia(
          "-f lavfi -i testsrc2=size=320x240:rate=25:duration=6 -f lavfi -i "
          "sine=frequency=440:sample_rate=48000:duration=6 -f lavfi -i "
          "sine=frequency=660:sample_rate=48000:duration=6 -map 0 -map 1 -map 2 " +
          std::string(source.video) + " -pix_fmt yuv420p" +
          (ExtensionOf(source.name) != ".ts" ? " -c:a aac" : " -c:a mp2") + " -b:a 64k" +
          Quoted(root_ + "\\" + source.name));
    source_ = root_ + "\\" + kSources[0].name;
  }

  void SetUp() override { ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Trim)); }

  void ChooseSource(const std::string& path) {
    ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kTrimInputButton, path));
    const int rows = Program().RowCount(kTrimSourceTable);
    for (int row = 0; row < rows; ++row)
      ASSERT_TRUE(Done(Program().CheckRow(kTrimSourceTable, row, true)));
    ASSERT_NO_FATAL_FAILURE(SetExpertMode(kTrimExpertButton, kTrimExpertLamp, true));
    ASSERT_TRUE(Done(Program().Select(kTrimCutModeList, "Smart Copy")));
    ASSERT_TRUE(Done(Program().Click(kCutResetButton)));
    for (const SmartCut& cut : kCuts) ASSERT_NO_FATAL_FAILURE(AddCut(cut.in, cut.out));
  }

  // The source's frames shown in [in, out), the file's start counted as 0.
  static int FramesBetween(const std::string& source, double in, double out) {
    const double start = Printed(source, "v:0", "format=start_time").front();
    int frames = 0;
    for (double pts : Printed(source, "v:0", "frame=best_effort_timestamp_time"))
      frames += pts - start >= in - 0.0005 && pts - start < out - 0.0005;
    return frames;
  }

  static inline std::string root_, source_;
};

// Each source: every cut file holds exactly the frames asked for and
// decodes without a word, its first frame is the source's at the In, its
// copied packets are the source's bytes, both audio tracks begin and end
// within an audio frame (24 ms) of the video; the joined file holds them
// all, its frame times rising.
TEST_F(EndToEndSmartCopy, EachCutHoldsExactlyTheFramesAskedFor) {
  for (const SmartSource& source : kSources) {
    const std::string input = root_ + "\\" + source.name;
    const std::string mode = source.concatMode;
    SCOPED_TRACE(input + ", " + mode);
    ASSERT_NO_FATAL_FAILURE(ChooseSource(input));
    const std::vector<std::string> sourceHashes = PacketHashes(input);
    ASSERT_TRUE(Done(Program().Select(kTrimConcatModeList, mode)));
    const std::string output = root_ + "\\cut-" + source.name;
    ASSERT_NO_FATAL_FAILURE(ChooseOutput(kTrimOutputButton, output));
    std::string log;
    ASSERT_NO_FATAL_FAILURE(RunJob(log));
    const std::string box = Program().Text(kTrimCommandBox);
    const std::string kind = ExtensionOf(source.name);
    if (kind == ".ts") {
      EXPECT_EQ(box.find("; video from byte ") != std::string::npos, source.copies) << box;
      EXPECT_EQ(log.find(" pictures copied, ") != std::string::npos, source.copies) << log;
    } else {
      EXPECT_NE(box.find(kParameterSetLineStart), std::string::npos) << box;
    }

    int allFrames = 0;
    for (std::size_t i = 0; i < kCutCount; ++i) {
      SCOPED_TRACE("cut " + std::to_string(i));
      const std::string cut = TempFolder() + "\\temp" + std::to_string(i) + kind;
      const int asked = FramesBetween(input, kCuts[i].in.Seconds(), kCuts[i].out.Seconds());
      EXPECT_EQ(VideoFrameCount(cut), asked);
      allFrames += asked;
      EXPECT_EQ(
          RunTool(FfmpegTool::Ffmpeg, " -nostdin -v error -i" + Quoted(cut) + " -f null -").output,
          "");
      EXPECT_GE(FirstFramePsnr(cut, input, kCuts[i].in.Seconds(), root_), 40);
      const std::vector<std::string> hashes = PacketHashes(cut);
      std::vector<std::string> shared;
      std::set_intersection(hashes.begin(), hashes.end(), sourceHashes.begin(), sourceHashes.end(),
                            std::back_inserter(shared));
      if (i != 1 && source.copies)
        EXPECT_GT(shared.size(), hashes.size() / 2) << "the copy was not copied";
      const std::vector<double> video = Printed(cut, "v:0", "stream=start_time,duration");
      ASSERT_GE(video.size(), 2u);
      for (const char* track : {"a:0", "a:1"}) {
        const std::vector<double> audio = Printed(cut, track, "stream=start_time,duration");
        // (A stream is listed again under its program.)
        ASSERT_GE(audio.size(), 2u) << track;
        EXPECT_NEAR(audio[0], video[0], 0.024) << track << " begins apart";
        EXPECT_NEAR(audio[0] + audio[1], video[0] + video[1], 0.024) << track << " ends apart";
        const AudioSeams seams = AudioSeamsOf(cut, track);
        EXPECT_GT(seams.packets, 0) << track;
        EXPECT_LT(seams.gap, 0.002) << track << ": an audio frame lost at a seam";
        EXPECT_LT(seams.overlap, 0.002) << track << ": an audio frame twice at a seam";
      }
    }
    std::vector<std::string> kept = {"temp0" + kind, "temp1" + kind, "temp2" + kind};
    if (mode == "FFmpeg Demuxer") kept.insert(kept.begin(), "files.txt");
    EXPECT_EQ(FilesIn(TempFolder()), kept) << "the pieces of the cuts are left";
    EXPECT_EQ(VideoFrameCount(output), allFrames);
    EXPECT_EQ(
        RunTool(FfmpegTool::Ffmpeg, " -nostdin -v error -i" + Quoted(output) + " -f null -").output,
        "");
    const std::vector<double> times = Printed(output, "v:0", "frame=best_effort_timestamp_time");
    for (std::size_t f = 1; f < times.size(); ++f)
      EXPECT_GT(times[f], times[f - 1]) << "frame " << f << " of the join";
  }
}

// The keyframes of the source, in microseconds from its start.
std::vector<double> KeyframeTimesUs(const std::string& path) {
  const double start = Printed(path, "v:0", "format=start_time").front();
  const std::string printed = RunTool(FfmpegTool::Ffprobe,
                                      " -v error -select_streams v:0 -show_entries"
                                      " packet=pts_time,flags -of csv=p=0" +
                                          Quoted(path))
                                  .output;
  std::vector<double> keyframes;
  for (std::size_t at = 0; at < printed.size();) {
    std::size_t end = printed.find('\n', at);
    if (end == std::string::npos) end = printed.size();
    const std::string line = printed.substr(at, end - at);
    if (line.find(",K") != std::string::npos)
      keyframes.push_back((std::atof(line.c_str()) - start) * 1e6);
    at = end + 1;
  }
  std::sort(keyframes.begin(), keyframes.end());
  return keyframes;
}

// The preview shows the frame asked for (the first at or after the time)
// and where a cut from it would copy from: the first keyframe at or after
// that frame, as the time a copy's In would take (rounded up).
TEST_F(EndToEndSmartCopy, ThePreviewSaysWhereCopyingResumes) {
  ASSERT_NO_FATAL_FAILURE(ChooseSource(source_));
  const std::vector<double> keyframes = KeyframeTimesUs(source_);
  ASSERT_GE(keyframes.size(), 4u);
  auto copyFrom = [&](int ms) {
    const double from = ms * 1000.0 - 500;  // a frame just before the time counts as at it
    return static_cast<int>(
        std::ceil(*std::lower_bound(keyframes.begin(), keyframes.end(), from) / 1000));
  };
  const int onKeyframe = static_cast<int>(keyframes[1] / 1000);  // shows the keyframe itself
  for (const int ms : {520, onKeyframe, onKeyframe + 1, 3200}) {
    const std::string text =
        MillisecondsText(ms) + " · copy from " + MillisecondsText(copyFrom(ms));
    ASSERT_TRUE(MoveSlider(Program(), ms));
    EXPECT_TRUE(WaitForShownTime(Program(), text, kStepTimeoutMs))
        << "shows \"" << ShownTime(Program()) << "\", not \"" << text << "\"";
  }
  // Once listed, the keyframes are the slider's ticks (besides its ends).
  HWND slider = Program().Control(kTrimTrackbar);
  std::vector<int> ticks;
  const bool marked = PollUntil(kJobTimeoutMs, [&] {
    const int count = static_cast<int>(SendMessageA(slider, TBM_GETNUMTICS, 0, 0)) - 2;
    ticks.clear();
    for (int i = 0; i < count; ++i)
      ticks.push_back(static_cast<int>(SendMessageA(slider, TBM_GETTIC, i, 0)));
    return ticks.size() == keyframes.size();
  });
  std::sort(ticks.begin(), ticks.end());
  ASSERT_TRUE(marked) << ticks.size() << " ticks for " << keyframes.size() << " keyframes";
  for (std::size_t i = 0; i < ticks.size(); ++i)
    EXPECT_EQ(ticks[i], static_cast<int>(keyframes[i] / 1000)) << "tick " << i;
  // Reencode shows the designed ticks again.
  ASSERT_TRUE(Done(Program().Select(kTrimCutModeList, "Reencode")));
  EXPECT_NE(static_cast<int>(SendMessageA(slider, TBM_GETNUMTICS, 0, 0)) - 2,
            static_cast<int>(keyframes.size()));
}

// A cut Smart Copy cannot make exact: the note names it before anything
// runs; No leaves the disk as it was, Yes makes the cuts as "Copy" does.
TEST_F(EndToEndSmartCopy, ACutThatCannotBeExactIsNamedBeforeAnythingRuns) {
  const std::string camera = root_ + "\\camera.mkv";
  ASSERT_NO_FATAL_FAILURE(ChooseSource(camera));
  ASSERT_TRUE(Done(Program().Select(kTrimConcatModeList, "None, cut only")));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kTrimOutputButton, root_ + "\\camera-cut.mkv"));
  // A Matroska file's cuts go into no transport stream.
  ASSERT_TRUE(Done(Program().Select(kTrimContainerList, ".ts")));
  const std::string note =
      "Smart Copy cannot make these cuts exact to the frame:\r\nEvery cut: the output is not an "
      ".mp4, .mov, .m4v or .mkv file.\r\n\r\n"
      "They will be copied from the key frame "
      "before their start, as in \"Copy\", so they may begin up to a few seconds early.\r\n\r\n"
      "Start anyway?";
  DeleteFileA((TempFolder() + "\\temp0.ts").c_str());  // left by an earlier run
  for (const int answer : {IDNO, IDYES}) {
    ShownBox box;
    ASSERT_NO_FATAL_FAILURE(PressStart(box));
    EXPECT_EQ(box.caption, " Note");
    ASSERT_EQ(box.text, note);
    ASSERT_NO_FATAL_FAILURE(Answer(box, answer));
    if (answer == IDNO) {
      ASSERT_NO_FATAL_FAILURE(ExpectIdleWithoutBox());
      EXPECT_FALSE(FileExists(TempFolder() + "\\temp0.ts")) << "a cut was made after No";
      continue;
    }
    std::optional<ShownBox> done = Program().WaitForMessageBox(kJobTimeoutMs);
    ASSERT_TRUE(done) << Program().Failure();
    const std::string text = done->text;
    std::string log;
    ASSERT_NO_FATAL_FAILURE(FinishJob(*done, log));
    ASSERT_EQ(text, kDoneText) << log;
  }
  for (std::size_t i = 0; i < kCutCount; ++i) {
    const std::string cut = TempFolder() + "\\temp" + std::to_string(i) + ".ts";
    const double seconds = kCuts[i].out.Seconds() - kCuts[i].in.Seconds();
    EXPECT_GE(VideoFrameCount(cut), std::lround(seconds * 25))
        << "a copied cut keeps at least the frames asked for";
  }
}

}  // namespace
}  // namespace trellimux::test
