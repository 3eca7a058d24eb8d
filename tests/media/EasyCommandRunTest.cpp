// Easy-mode commands for every container of the Convert list, run with a real
// ffmpeg on the probed samples; the outputs are probed again for their
// container and codecs. The choices are items of each container's own preset
// lists, so a preset that a real ffmpeg refuses shows up here.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cmdline/ContainerPresets.h"
#include "cmdline/EasyCommand.h"
#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "model/FixedItemLists.h"
#include "params/ParameterColumns.h"
#include "process/ToolInvocation.h"
#include "text/AsciiText.h"

namespace trellimux::test {
namespace {

struct Choice {
  int slot;
  std::string_view item;  // an item of the slot's preset list
};

struct EasyCase {
  std::string_view container;  // item text of the Convert container list
  const char* sample;
  std::vector<Choice> choices;
  // What ffprobe reports for the output; "" for a type the output lacks.
  std::string_view formatName;
  std::string_view videoCodec;
  std::string_view audioCodec;
};

int ContainerIndex(std::string_view container) {
  auto at = std::find(kContainerListB.begin(), kContainerListB.end(), container);
  return at == kContainerListB.end() ? 0 : static_cast<int>(at - kContainerListB.begin());
}

std::vector<std::string> Strings(const std::vector<std::string_view>& items) {
  return {items.begin(), items.end()};
}

// The slots as the Convert page fills them for `container`: its preset lists,
// the source streams in the stream slots, "No Video" for an audio-only
// container, and the Quality and Profile lists of a chosen video codec.
SlotLists FillSlots(int container, const StreamTable& source, const std::vector<Choice>& choices) {
  SlotLists slots;
  for (int slot = 0; slot < kEasySlotCount; ++slot)
    slots[slot] = {Strings(ContainerPreset(container, slot)), 0};
  for (std::size_t row = 0; row < source.RowCount(); ++row) {
    std::string_view type = source.GetCell(row, kType);
    std::string stream(source.GetCell(row, kStream));
    if (EqualsIgnoringCase(type, "Video") && !AudioOnlyContainer(container))
      slots[kVideoStreamSlot].items.push_back(stream);
    if (EqualsIgnoringCase(type, "Audio")) slots[kAudioStreamSlot].items.push_back(stream);
  }
  if (AudioOnlyContainer(container)) slots[kVideoStreamSlot].selection = 1;

  for (const Choice& choice : choices) {
    if (choice.slot != kVideoCodecSlot) continue;
    if (auto list = QualityListForCodec(choice.item)) slots[kQualitySlot].items = Strings(*list);
    if (auto list = ProfileListForCodec(choice.item)) slots[kProfileSlot].items = Strings(*list);
  }
  for (const Choice& choice : choices) {
    std::vector<std::string>& items = slots[choice.slot].items;
    auto at = std::find(items.begin() + 1, items.end(), choice.item);
    EXPECT_NE(at, items.end()) << "\"" << choice.item << "\" is no item of slot " << choice.slot;
    if (at != items.end()) slots[choice.slot].selection = static_cast<int>(at - items.begin());
  }
  return slots;
}

struct EasyRun {
  std::string command;
  ToolRun run;
};

// Builds the command for the first two seconds of the sample and runs it.
EasyRun Convert(const EasyCase& test, const std::string& outputPath) {
  const std::string input = SamplePath(test.sample);
  ProbedFile file = Probe(input);
  const int container = ContainerIndex(test.container);
  EasyCommandInput settings;
  settings.containerIndex = container;
  settings.sourceRowCount = file.tables.SourceTable().RowCount();
  settings.inputPath = input;
  settings.outputPath = outputPath;
  settings.endTime = TimeOfDay{0, 0, 2};
  settings.oddSizeFlag = file.tables.OddSizeFlag();
  SlotLists slots = FillSlots(container, file.tables.SourceTable(), test.choices);
  EasyRun result;
  result.command = BuildEasyCommand(settings, slots).text.value_or("");
  result.run = RunTool(FfmpegTool::Ffmpeg, result.command);
  return result;
}

std::string FormatName(const std::string& report) {
  std::size_t at = report.find("format_name=", report.find("[FORMAT]"));
  if (at == std::string::npos) return {};
  at += 12;
  return report.substr(at, report.find_first_of("\r\n", at) - at);
}

// Codec of the output's first stream of a type ("" when it has none).
std::string_view FirstCodec(const ProbedFile& file, std::string_view type) {
  const StreamTable& table = file.tables.SourceTable();
  for (std::size_t row = 0; row < table.RowCount(); ++row)
    if (EqualsIgnoringCase(table.GetCell(row, kType), type)) return table.GetCell(row, kCodec);
  return {};
}

// clang-format off
const std::vector<EasyCase> kCases = {
    {".3gp", "film.mp4",
     {{kVideoCodecSlot, "mpeg4"}, {kSizeSlot, "176/144"}, {kQualitySlot, " -q:v 5"},
      {kAudioCodecSlot, "aac"}, {kSampleRateSlot, "22050"}, {kChannelsSlot, "1"}},
     "mov,mp4,m4a,3gp,3g2,mj2", "mpeg4", "aac"},
    {".aac", "film.mp4",
     {{kAudioCodecSlot, "aac"}, {kAudioBitrateSlot, "128000"}, {kSampleRateSlot, "44100"}},
     "aac", "", "aac"},
    {".ac3", "broadcast.ts",
     {{kAudioStreamSlot, "2"}, {kAudioCodecSlot, "ac3"}, {kAudioBitrateSlot, "192000"},
      {kChannelsSlot, "2"}},
     "ac3", "", "ac3"},
    {".avi", "film.mp4",
     {{kVideoCodecSlot, "mpeg4"}, {kSizeSlot, "320/240"}, {kDarSlot, "4/3"},
      {kQualitySlot, " -q:v 4"}, {kAudioCodecSlot, "libmp3lame"}, {kAudioBitrateSlot, "128000"}},
     "avi", "mpeg4", "mp3"},
    // DV takes only its own picture (720x576 at 25 fps here) and 2-channel PCM.
    {".dv", "broadcast.ts",
     {{kVideoCodecSlot, "dvvideo"}, {kSizeSlot, "720/576"}, {kDarSlot, "16/9"},
      {kFpsSlot, "25/1"}, {kAudioStreamSlot, "1"}, {kAudioCodecSlot, "pcm_s16le"},
      {kSampleRateSlot, "48000"}, {kChannelsSlot, "2"}},
     "dv", "dvvideo", "pcm_s16le"},
    {".flac", "film.mp4",
     {{kAudioCodecSlot, "flac"}, {kSampleRateSlot, "44100"}, {kChannelsSlot, "2"}},
     "flac", "", "flac"},
    {".flv", "film.mp4",
     {{kVideoCodecSlot, "h264"}, {kTargetOrPresetSlot, "ultrafast"}, {kSizeSlot, "640/360"},
      {kQualitySlot, " -crf 28"}, {kAudioCodecSlot, "aac"}, {kAudioBitrateSlot, "64000"},
      {kSampleRateSlot, "44100"}},
     "flv", "h264", "aac"},
    // A raw HEVC stream holds one stream only: the audio has to go.
    {".hevc", "film.mp4",
     {{kVideoCodecSlot, "hevc"}, {kTargetOrPresetSlot, "ultrafast"}, {kProfileSlot, "Main"},
      {kSizeSlot, "320/240"}, {kAudioStreamSlot, "No Audio"}},
     "hevc", "hevc", ""},
    // The odd-sized sample is evened by the size rule. It is 4:4:4, which
    // the h264 profiles below High444 refuse.
    {".mkv", "odd.mkv",
     {{kVideoCodecSlot, "h264"}, {kProfileSlot, "High444"}, {kFpsSlot, "30/1"},
      {kQualitySlot, " -crf 30"}, {kAudioCodecSlot, "ac3"}, {kSampleRateSlot, "48000"}},
     "matroska,webm", "h264", "ac3"},
    {".mp2", "film.mp4",
     {{kAudioCodecSlot, "mp2"}, {kAudioBitrateSlot, "192000"}, {kChannelsSlot, "2"}},
     "mp3", "", "mp2"},
    {".mp3", "film.mp4",
     {{kAudioCodecSlot, "libmp3lame"}, {kAudioBitrateSlot, "128000"},
      {kSampleRateSlot, "44100"}, {kChannelsSlot, "2"}},
     "mp3", "", "mp3"},
    {".mp4", "film.mp4",
     {{kVideoCodecSlot, "h264"}, {kTargetOrPresetSlot, "ultrafast"}, {kProfileSlot, "High"},
      {kSizeSlot, "640/360"}, {kDarSlot, "16/9"}, {kFpsSlot, "25/1"}, {kQualitySlot, " -crf 28"},
      {kAudioCodecSlot, "aac"}, {kAudioBitrateSlot, "128000"}, {kSampleRateSlot, "48000"},
      {kChannelsSlot, "2"}},
     "mov,mp4,m4a,3gp,3g2,mj2", "h264", "aac"},
    {".mpeg", "film.mp4",
     {{kVideoCodecSlot, "mpeg1video"}, {kSizeSlot, "352/288"}, {kFpsSlot, "25/1"},
      {kQualitySlot, " -q:v 5"}, {kAudioCodecSlot, "mp2"}, {kSampleRateSlot, "44100"}},
     "mpeg", "mpeg1video", "mp2"},
    // The target sets size, rates and the AC-3 audio itself.
    {".mpg", "broadcast.ts",
     {{kVideoCodecSlot, "mpeg2video"}, {kTargetOrPresetSlot, "pal-dvd"}},
     "mpeg", "mpeg2video", "ac3"},
    {".mov", "film.mp4",
     {{kVideoCodecSlot, "h263p"}, {kSizeSlot, "352/288"}, {kQualitySlot, " -q:v 5"},
      {kAudioCodecSlot, "aac"}},
     "mov,mp4,m4a,3gp,3g2,mj2", "h263", "aac"},  // H.263+ reads back as h263
    // mpeg2video takes its profile as a number (Main is 4).
    {".ts", "film.mp4",
     {{kVideoCodecSlot, "mpeg2video"}, {kProfileSlot, "Main"}, {kSizeSlot, "640/360"},
      {kQualitySlot, " -q:v 4"}, {kMaxBitrateSlot, "5000k"}, {kBufsizeSlot, "1000k"},
      {kAudioCodecSlot, "ac3"}, {kAudioBitrateSlot, "192000"}},
     "mpegts", "mpeg2video", "ac3"},
    {".vob", "broadcast.ts",
     {{kVideoCodecSlot, "mpeg2video"}, {kDarSlot, "16/9"}, {kQualitySlot, " -q:v 3"},
      {kAudioStreamSlot, "1"}, {kAudioCodecSlot, "ac3"}, {kSampleRateSlot, "48000"}},
     "mpeg", "mpeg2video", "ac3"},
    {".wav", "film.mp4",
     {{kAudioCodecSlot, "libmp3lame"}, {kAudioBitrateSlot, "128000"}, {kChannelsSlot, "2"}},
     "wav", "", "mp3"},
    // WebM holds only VP8/VP9/AV1 and Vorbis/Opus: with the audio codec left
    // on its caption ffmpeg picks the WebM default (Opus, or Vorbis).
    {".webm", "film.mp4",
     {{kVideoCodecSlot, "vp9"}, {kSizeSlot, "160/120"}, {kQualitySlot, " -q:v 10"},
      {kSampleRateSlot, "48000"}, {kChannelsSlot, "2"}},
     "matroska,webm", "vp9", "*"},
    {".wma", "film.mp4",
     {{kAudioCodecSlot, "libmp3lame"}, {kAudioBitrateSlot, "64000"}, {kSampleRateSlot, "44100"}},
     "asf", "", "mp3"},
    {".wmv", "film.mp4",
     {{kVideoCodecSlot, "mpeg4"}, {kProfileSlot, "Simple"}, {kSizeSlot, "320/240"},
      {kQualitySlot, " -q:v 5"}, {kAudioCodecSlot, "mp2"}, {kAudioBitrateSlot, "128000"}},
     "asf", "mpeg4", "mp2"},
};
// clang-format on

void PrintTo(const EasyCase& test, std::ostream* out) { *out << test.container; }

class EasyCommandRun : public testing::TestWithParam<EasyCase> {};

TEST_P(EasyCommandRun, OutputHasTheContainerAndCodecs) {
  const EasyCase& test = GetParam();
  const std::string output = OutputPath(std::string("easy") + std::string(test.container));
  EasyRun converted = Convert(test, output);
  ASSERT_EQ(converted.run.exitCode, 0) << converted.command << "\n" << converted.run.output;

  ProbedFile result = Probe(output);
  EXPECT_EQ(FormatName(result.report), test.formatName) << converted.command;
  EXPECT_EQ(FirstCodec(result, "Video"), test.videoCodec) << converted.command;
  if (test.audioCodec == "*")
    EXPECT_NE(FirstCodec(result, "Audio"), "") << converted.command;
  else
    EXPECT_EQ(FirstCodec(result, "Audio"), test.audioCodec) << converted.command;
}

std::string CaseName(const testing::TestParamInfo<EasyCase>& info) {
  return std::string(info.param.container.substr(1));
}

INSTANTIATE_TEST_SUITE_P(, EasyCommandRun, testing::ValuesIn(kCases), CaseName);

TEST(EasyCommandRunCases, CoverEveryConvertContainer) {
  for (std::size_t i = 1; i < kContainerListB.size(); ++i) {
    const bool covered = std::any_of(kCases.begin(), kCases.end(), [i](const EasyCase& test) {
      return test.container == kContainerListB[i];
    });
    EXPECT_TRUE(covered) << kContainerListB[i];
  }
}

// Preset items (or pairs of them) that a real ffmpeg (4.1 and 5.1 alike)
// cannot turn into the container they are offered for. The preset data stays
// as designed; these runs record why the items fail. `formatName` is what the
// container should have given: the run either fails, or its output is not
// that (or not readable at all). Found by hand and not run here, as they
// depend on the build or on the source:
// - ".3gp" "amr_nb": Debian's ffmpeg has no AMR-NB encoder ("Unknown encoder
//   'amr_nb'"); the Windows build's libopencore_amrnb works.
// - "vp9" Profile "1", "2", "3": need 4:4:4/4:2:2 or 10-bit pictures, which
//   easy mode cannot ask for; a 4:2:0 8-bit source is refused.
// - ".dv" 720/480 (NTSC needs 4:1:1), 960/720, 1280/1080, 1440/1080 (DVCPRO
//   HD needs 4:2:2) and the FPS items 50/1, 60000/1001: no DV profile fits a
//   4:2:0 source at these, so the encoder or the muxer refuses.
// - A Profile item with the Video Codec on its caption is not mapped: the
//   container's default encoder refuses a name such as "High", and "Spatially
//   Scalable" (.mpg, .wmv) is split at its blank into a stray output name.
// - ".webm" Audio Codec libmp3lame, aac, mp2, ac3 and Video Codec hevc,
//   mpeg2video, mpeg4: refused like h264 below.
struct RefusedCase {
  const char* name;
  std::string_view container;
  std::vector<Choice> choices;
  std::string_view formatName;
};

// clang-format off
const std::vector<RefusedCase> kRefused = {
    // "-target pal-dv50 -f dv50": ffmpeg has no "dv50" muxer (the DV50
    // targets are written by the "dv" muxer).
    {"Dv50TargetNamesNoMuxer", ".mpg",
     {{kVideoCodecSlot, "mpeg2video"}, {kTargetOrPresetSlot, "pal-dv50"}}, "mpeg"},
    // "-target pal-dv -f dv" writes a DV file, not MPEG, under the .mpg name.
    {"DvTargetWritesDvNotMpeg", ".mpg", {{kTargetOrPresetSlot, "pal-dv"}}, "mpeg"},
    // WebM holds only VP8/VP9/AV1 video and Vorbis/Opus audio.
    {"WebmRefusesH264", ".webm", {{kVideoCodecSlot, "h264"}}, "matroska,webm"},
    // A raw HEVC stream holds one stream: with the audio kept the run fails.
    {"RawHevcRefusesAudio", ".hevc",
     {{kVideoCodecSlot, "hevc"}, {kTargetOrPresetSlot, "ultrafast"}, {kSizeSlot, "160/120"}},
     "hevc"},
    // ... and another codec is written raw under the .hevc name.
    {"RawHevcWritesH264AsItIs", ".hevc",
     {{kVideoCodecSlot, "h264"}, {kTargetOrPresetSlot, "ultrafast"},
      {kAudioStreamSlot, "No Audio"}}, "hevc"},
    // The raw MP2 muxer writes AAC packets without headers: unreadable.
    {"Mp2FileOfAacIsUnreadable", ".mp2", {{kAudioCodecSlot, "aac"}}, "mp3"},
    // H.263 takes only 128x96, 176x144, 352x288, 704x576 and 1408x1152.
    {"H263RefusesOtherSizes", ".mkv", {{kVideoCodecSlot, "h263"}}, "matroska,webm"},
    // The DV muxer takes 48 kHz stereo PCM only.
    {"DvRefuses44100", ".dv",
     {{kVideoCodecSlot, "dvvideo"}, {kSizeSlot, "720/576"}, {kAudioCodecSlot, "pcm_s16le"},
      {kSampleRateSlot, "44100"}}, "dv"},
    // MPEG-1/2 video takes only the standard rates (24000/1001 ... 60/1);
    // 12/1, 15/1, 16/1, 18/1, 20/1, 48/1, 72/1 and up are refused.
    {"Mpeg1RefusesNonStandardRates", ".mpeg",
     {{kVideoCodecSlot, "mpeg1video"}, {kFpsSlot, "12/1"}}, "mpeg"},
};
// clang-format on

void PrintTo(const RefusedCase& test, std::ostream* out) { *out << test.name; }

class EasyCommandRunRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(EasyCommandRunRefused, RunFailsOrWritesAnotherContainer) {
  const RefusedCase& refused = GetParam();
  const EasyCase test{refused.container, "film.mp4", refused.choices, refused.formatName, "", ""};
  const std::string output = OutputPath(std::string("refused") + std::string(refused.container));
  EasyRun converted = Convert(test, output);
  ASSERT_FALSE(converted.command.empty());
  if (converted.run.exitCode == 0) {
    ToolRun probe = RunTool(FfmpegTool::Ffprobe, ProbeArguments(output));
    std::string format = probe.exitCode == 0 ? FormatName(probe.output) : "";
    EXPECT_NE(format, refused.formatName) << converted.command;
  }
}

std::string RefusedName(const testing::TestParamInfo<RefusedCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(, EasyCommandRunRefused, testing::ValuesIn(kRefused), RefusedName);

}  // namespace
}  // namespace trellimux::test
