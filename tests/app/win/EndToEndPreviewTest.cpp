// The Trim preview of the real program with the real ffmpeg.exe: a clip
// whose brightness counts its frames is probed, the slider moved, and the
// picture's pixels and time text read back; I and O fill the cut fields; a
// drag leaves at most one frame child; in Copy mode the picture is the
// keyframe and a copied cut taken from it begins with that very frame.
#include <cmath>

#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"
#include "app/win/PreviewDriving.h"
#include "preview/BmpImage.h"
#include "preview/PreviewSource.h"

namespace trellimux::test {
namespace {

// 4 s at 25 fps, mpeg2video with a keyframe every 10 frames (none for the
// scene changes that every frame is), frame N of luma 24 + 8 (N mod 25).
// With `pictures` "-g 25 -bf 2 -flags +cgop": a keyframe every 25 frames
// and two B pictures after each other picture, as broadcasts have.
// Each in a work folder of its own.
std::string MakeCountingClip(const std::string& folder = "preview",
                             const std::string& pictures = "-g 10 -bf 0") {
  const std::string clip = FreshWorkFolder(folder) + "\\counting.ts";
  MakeMedia(
      "-f lavfi -i \"color=c=black:s=320x240:r=25:d=4,format=yuv420p,"
      "geq=lum='24+8*mod(N,25)':cb=128:cr=128\" -c:v mpeg2video -q:v 2 " +
      pictures + " -sc_threshold 1000000000 \"" + clip + "\"");
  return clip;
}

// The frame number (mod 25) of a grey level: 6 for frame 0, 9.35 more per
// frame (measured, after the decoder's and the conversion's rounding).
int FrameOfGrey(int grey) { return static_cast<int>(std::lround((grey - 6) / 9.35)); }

class EndToEndPreview : public EndToEndTest {
 protected:
  void SetUp() override {
    static const std::string made = MakeCountingClip();
    clip_ = made;
    ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Trim));
  }

  // Expert mode, so that the cut mode can be chosen. The choices it
  // remembers are put back when the test ends: the Trim tests that share
  // the program expect theirs.
  void EnterExpertMode() {
    ASSERT_NO_FATAL_FAILURE(SetExpertMode(kTrimExpertButton, kTrimExpertLamp, true));
    for (int list : kChoiceLists) savedChoices_.push_back({list, Program().Selection(list)});
  }

  void TearDown() override {
    for (const auto& [list, item] : savedChoices_)
      if (item) EXPECT_TRUE(Done(Program().Select(list, *item)));
    if (!savedChoices_.empty())
      EXPECT_NO_FATAL_FAILURE(SetExpertMode(kTrimExpertButton, kTrimExpertLamp, false));
    EndToEndTest::TearDown();
  }

  void ProbeClip() {
    ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kTrimInputButton, clip_));
    ASSERT_TRUE(WaitForShownTime(Program(), "00:00:00.000", kStepTimeoutMs))
        << "no first frame after the probe: \"" << ShownTime(Program()) << "\"";
    EXPECT_TRUE(Program().IsEnabled(kTrimTrackbar));
    EXPECT_NEAR(SliderEnd(Program()), 4000, 100) << "the slider does not span the duration";
  }

  // Probes the clip and shows a frame in Reencode mode. A transport
  // stream's first frame already comes from the decoder the preview feeds:
  // it finds the keyframes in the file itself, before ffprobe (which starts
  // listing them only once the preview waits) has listed any.
  void ProbeForTheFedDecoder() {
    ASSERT_NO_FATAL_FAILURE(ProbeClip());
    EXPECT_EQ(RunningFedDecoders(Program().ProcessId()), 1) << "the first frame was not fed";
    ASSERT_NO_FATAL_FAILURE(EnterExpertMode());
    ASSERT_TRUE(Done(Program().Select(kTrimCutModeList, "Reencode")));
    ASSERT_NO_FATAL_FAILURE(ShowAt(2520, "00:00:02.520", 63));
    EXPECT_EQ(RunningFedDecoders(Program().ProcessId()), 1) << "a move was not fed";
  }

  // Moves the slider and waits for the picture of that time.
  void ShowAt(int position, const std::string& text, int frame) {
    ASSERT_TRUE(MoveSlider(Program(), position));
    ASSERT_NO_FATAL_FAILURE(ExpectShown(text, frame));
  }

  // Waits for the picture of that time.
  void ExpectShown(const std::string& text, int frame) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(WaitForShownTime(Program(), text, kStepTimeoutMs))
        << "shows \"" << ShownTime(Program()) << "\"";
    // The text is set with the picture; its painting follows.
    ASSERT_TRUE(PollUntil(kStepTimeoutMs,
                          [&] {
                            const std::optional<COLORREF> colour = PictureCentreColour(Program());
                            return colour && FrameOfGrey(GetGValue(*colour)) == frame % 25;
                          }))
        << "the picture is not frame " << frame;
  }

  static constexpr int kChoiceLists[] = {kTrimContainerList, kTrimCutModeList, kTrimConcatModeList};
  std::string clip_;
  std::vector<std::pair<int, std::optional<int>>> savedChoices_;
};

TEST_F(EndToEndPreview, SliderShowsTheFrameAtItsTimeAndIAndOTakeIt) {
  ASSERT_NO_FATAL_FAILURE(ProbeClip());
  ASSERT_NO_FATAL_FAILURE(EnterExpertMode());
  ASSERT_TRUE(Done(Program().Select(kTrimCutModeList, "Reencode")));
  ASSERT_NO_FATAL_FAILURE(ShowAt(1240, "00:00:01.240", 31));
  ASSERT_TRUE(PressSliderKey(Program(), 'I'));
  ASSERT_NO_FATAL_FAILURE(ShowAt(2520, "00:00:02.520", 63));
  ASSERT_TRUE(PressSliderKey(Program(), 'O'));
  EXPECT_EQ(Program().PickerTime(kCutInTime), "00:00:01");
  EXPECT_EQ(Program().Text(kCutInMilliseconds), "240");
  EXPECT_EQ(Program().PickerTime(kCutOutTime), "00:00:02");
  EXPECT_EQ(Program().Text(kCutOutMilliseconds), "520");

  // A drag through 100 positions: never more than one frame child at a time,
  // and the picture of where it stopped.
  int most = 0;
  for (int step = 1; step <= 100; ++step) {
    ASSERT_TRUE(MoveSlider(Program(), 2520 + step * 12, /*dragging=*/step < 100));
    most = std::max(most, RunningFrameChildren(Program().ProcessId()));
  }
  EXPECT_LE(most, 1) << "frame children piled up during the drag";
  ASSERT_NO_FATAL_FAILURE(ShowAt(3720, "00:00:03.720", 93));
}

// The arrow key steps back one frame, as a user finding a cut's frame does:
// the frames made on the way to 63 are shown without the decoder, those
// before where that walk began (its keyframe, every 10 frames) need the
// decoder again; each step must show the right frame either way.
TEST_F(EndToEndPreview, LeftArrowStepsBackOneFrameAtATime) {
  ASSERT_NO_FATAL_FAILURE(ProbeClip());
  ASSERT_NO_FATAL_FAILURE(EnterExpertMode());
  ASSERT_TRUE(Done(Program().Select(kTrimCutModeList, "Reencode")));
  ASSERT_NO_FATAL_FAILURE(ShowAt(2520, "00:00:02.520", 63));
  for (int frame = 62; frame >= 57; --frame) {
    ASSERT_TRUE(PressSliderKey(Program(), VK_LEFT));
    ASSERT_NO_FATAL_FAILURE(ExpectShown(PreviewTimeText(frame * 40, false), frame));
  }
}

// Moves of the fed decoder back and forth, into another keyframe's frames
// and past the clip's end (where that child ends and is started again),
// show the same frames as the movie decoder.
TEST_F(EndToEndPreview, ATransportStreamIsFedFromItsFirstFrame) {
  ASSERT_NO_FATAL_FAILURE(ProbeForTheFedDecoder());
  const struct {
    int ms;
    int frame;
  } kMoves[] = {{2520, 63}, {1240, 31}, {1280, 32}, {3920, 98}, {360, 9}, {3000, 75}};
  for (const auto& move : kMoves)
    ASSERT_NO_FATAL_FAILURE(ShowAt(move.ms, PreviewTimeText(move.ms, false), move.frame));
}

// On the way to a frame the fed decoder leaves out the B pictures shown
// well before it; stepping back into them must show each, not the picture
// after the one left out.
TEST_F(EndToEndPreview, StepsBackThroughPicturesLeftOutOnTheWay) {
  static const std::string withB = MakeCountingClip("preview-b", "-g 25 -bf 2 -flags +cgop");
  clip_ = withB;
  ASSERT_NO_FATAL_FAILURE(ProbeForTheFedDecoder());
  ASSERT_NO_FATAL_FAILURE(ShowAt(1880, "00:00:01.880", 47));
  for (int frame = 46; frame >= 32; --frame) {
    ASSERT_TRUE(PressSliderKey(Program(), VK_LEFT));
    ASSERT_NO_FATAL_FAILURE(ExpectShown(PreviewTimeText(frame * 40, false), frame));
  }
}

// Whether another program could now open the clip for itself alone (to
// delete or replace it): no child holds it open.
bool ClipIsFree(const std::string& clip) {
  HANDLE alone = CreateFileA(clip.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (alone == INVALID_HANDLE_VALUE) return false;
  CloseHandle(alone);
  return true;
}

TEST_F(EndToEndPreview, LeavingThePageLetsGoOfTheInput) {
  ASSERT_NO_FATAL_FAILURE(ProbeClip());
  // The decoder that showed the first frame keeps the clip open while the
  // user looks.
  EXPECT_EQ(RunningFrameChildren(Program().ProcessId()), 1);
  EXPECT_FALSE(ClipIsFree(clip_));
  ASSERT_TRUE(Done(Program().ShowPage(static_cast<int>(Page::Convert), kStepTimeoutMs)));
  EXPECT_TRUE(PollUntil(kStepTimeoutMs, [&] { return ClipIsFree(clip_); }));
  EXPECT_EQ(RunningFrameChildren(Program().ProcessId()), 0);
  // Back on the page, the slider shows frames again.
  ASSERT_TRUE(Done(Program().ShowPage(static_cast<int>(Page::Trim), kStepTimeoutMs)));
  ASSERT_NO_FATAL_FAILURE(ShowAt(1240, "00:00:01.240", 31));
}

TEST_F(EndToEndPreview, CopyModeShowsTheKeyframeWhereACopiedCutBegins) {
  ASSERT_NO_FATAL_FAILURE(ProbeClip());
  ASSERT_NO_FATAL_FAILURE(EnterExpertMode());
  ASSERT_TRUE(Done(Program().Select(kTrimCutModeList, "Copy")));
  ASSERT_TRUE(Done(Program().Select(kTrimConcatModeList, "None, cut only")));
  ASSERT_NO_FATAL_FAILURE(ShowAt(2520, "keyframe 00:00:02.400", 60));
  ASSERT_TRUE(PressSliderKey(Program(), 'I'));
  ASSERT_NO_FATAL_FAILURE(ShowAt(3700, "keyframe 00:00:03.600", 90));
  ASSERT_TRUE(PressSliderKey(Program(), 'O'));
  ASSERT_TRUE(Done(Program().Click(kCutResetButton)));
  ASSERT_TRUE(Done(Program().Click(kCutAddButton)));
  ASSERT_EQ(Program().Rows(kCutList, 3),
            (std::vector<std::vector<std::string>>{{"0", "00:00:02.400", "00:00:03.600"}}));
  ASSERT_TRUE(Done(Program().CheckRow(kTrimSourceTable, 0, true)));
  const std::string folder = FreshWorkFolder("preview-cut");
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kTrimOutputButton, folder + "\\cut.ts"));
  std::string log;
  ASSERT_NO_FATAL_FAILURE(RunJob(log));

  // The cut begins with the keyframe shown (frame 60) and holds 30 frames.
  const std::string cut = ToolsFolder() + "\\Temp\\temp0.ts";
  const std::string first = folder + "\\first.bmp";
  ASSERT_NO_FATAL_FAILURE(
      MakeMedia("-i \"" + cut + "\" -frames:v 1 -pix_fmt bgr24 \"" + first + "\""));
  const std::string bytes = FileBytes(first);
  const std::optional<BmpImage> image = ParseBmp(bytes);
  ASSERT_TRUE(image) << first;
  EXPECT_EQ(FrameOfGrey(PixelAt(*image, image->width / 2, image->height / 2).green), 60 % 25)
      << "the copied cut does not begin with the keyframe shown\n"
      << log;
  EXPECT_NEAR(VideoFrameCount(cut), 30, 1) << log;
}

}  // namespace
}  // namespace trellimux::test
