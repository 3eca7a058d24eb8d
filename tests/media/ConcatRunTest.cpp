// Concat lines run with a real ffmpeg: parts cut from the samples are joined
// by the concat demuxer with a list file and by the "concat:" input, and the
// joined file is probed for its duration and streams.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "concat/ConcatCommand.h"
#include "media/SampleMedia.h"
#include "media/ToolRunner.h"
#include "params/ParameterColumns.h"
#include "text/AsciiText.h"

namespace trellimux::test {
namespace {

// Re-encoded one-second parts, small, so that each lasts exactly its second
// of video. The second part's name holds a single quote.
struct PartRecipe {
  const char* sample;
  const char* options;
  std::vector<const char*> names;
};

const PartRecipe kTsParts = {
    "broadcast.ts",  // mpeg2video + a stereo and a mono mp2 (language "ger")
    " -map 0:v -map 0:a -c:v mpeg2video -s 352x288 -q:v 5 -c:a mp2",
    {"concat-part1.ts", "concat Tom's part2.ts", "concat-part3.ts"}};

const PartRecipe kMp4Parts = {"film.mp4",  // h264 + aac
                              " -c:v libx264 -preset ultrafast -s 320x180 -c:a aac",
                              {"concat-part1.mp4", "concat Tom's part2.mp4"}};

struct PartSet {
  std::vector<std::string> paths;
  double duration = 0;  // of all parts together
};

PartSet MakeParts(const PartRecipe& recipe) {
  PartSet parts;
  for (std::size_t k = 0; k < recipe.names.size(); ++k) {
    const std::string path = OutputPath(recipe.names[k]);
    const std::string arguments = " -v error -ss " + std::to_string(k) + " -t 1 -i \"" +
                                  SamplePath(recipe.sample) + "\"" + recipe.options + " \"" + path +
                                  "\"";
    ToolRun run = RunTool(FfmpegTool::Ffmpeg, arguments);
    EXPECT_EQ(run.exitCode, 0) << arguments << "\n" << run.output;
    parts.paths.push_back(path);
    parts.duration += Duration(Probe(path));
  }
  return parts;
}

// Each set is made once per run.
const PartSet& TsParts() {
  static const PartSet parts = MakeParts(kTsParts);
  return parts;
}

const PartSet& Mp4Parts() {
  static const PartSet parts = MakeParts(kMp4Parts);
  return parts;
}

// The folder the demuxer's files.txt goes to, as the tools see it.
std::string ListFolder() { return WorkFolder("concat-lists"); }

// Writes the list file where the demuxer line looks for it, byte for byte.
// The path is the line's own text: natively the backslash before files.txt
// is part of the file's name, and the file lies beside the folder.
void WriteListFile(const std::string& folder, const std::string& text) {
  std::ofstream file(folder + "\\files.txt", std::ios::binary | std::ios::trunc);
  file << text;
  ASSERT_TRUE(file.flush()) << folder;
}

struct Joined {
  double duration = -1;
  int video = 0;
  int audio = 0;
  int subtitles = 0;
  std::vector<std::string> audioLanguages;
};

Joined Inspect(const std::string& path) {
  ProbedFile file = Probe(path);
  Joined joined;
  joined.duration = Duration(file);
  const StreamTable& streams = file.tables.SourceTable();
  for (std::size_t row = 0; row < streams.RowCount(); ++row) {
    const std::string_view type = streams.GetCell(row, kType);
    if (EqualsIgnoringCase(type, "video")) ++joined.video;
    if (EqualsIgnoringCase(type, "subtitle")) ++joined.subtitles;
    if (EqualsIgnoringCase(type, "audio")) {
      ++joined.audio;
      joined.audioLanguages.emplace_back(streams.GetCell(row, kLanguage));
    }
  }
  return joined;
}

// Builds the line for `input` (writing the list file for the demuxer), runs
// it and probes the output.
Joined Join(ConcatCommandInput input) {
  const std::string folder = ListFolder();
  input.startDirectory = folder;
  if (input.concatMode == kDemuxerConcat) WriteListFile(folder, ConcatListFileText(input.inputs));
  ConcatCommand command = BuildConcatCommand(input);
  EXPECT_EQ(command.outcome, ConcatCommandOutcome::Replace);
  ToolRun run = RunTool(FfmpegTool::Ffmpeg, command.text);
  EXPECT_EQ(run.exitCode, 0) << command.text << "\n" << run.output;
  return Inspect(std::string(input.outputPath));
}

enum class Parts { Ts, Mp4 };

struct JoinCase {
  const char* name;
  Parts parts;
  int concatMode;
  int streamSelection;
  int subtitles;
  int data;
  const char* extension;
  int video;
  int audio;
};

// clang-format off
const std::vector<JoinCase> kCases = {
    // The rows .ts, .mp2 and .mp4 preset; the others each try one more
    // stream-selection entry.
    {"TsByFileAsTsPresets", Parts::Ts, kFileConcat, 1, 0, 0, ".ts", 1, 2},
    {"TsByDemuxer", Parts::Ts, kDemuxerConcat, 0, 1, 1, ".ts", 1, 2},
    {"TsOneAudioAsMp2Presets", Parts::Ts, kFileConcat, 5, 1, 1, ".mp2", 0, 1},
    {"TsAllAudio", Parts::Ts, kDemuxerConcat, 3, 1, 1, ".mkv", 0, 2},
    {"TsAllVideo", Parts::Ts, kFileConcat, 4, 0, 0, ".ts", 1, 0},
    {"TsOneVideoOneAudio", Parts::Ts, kFileConcat, 2, 1, 1, ".ts", 1, 1},
    {"Mp4ByDemuxerAsMp4Presets", Parts::Mp4, kDemuxerConcat, 0, 1, 1, ".mp4", 1, 1},
    {"Mp4OneVideo", Parts::Mp4, kDemuxerConcat, 6, 1, 1, ".mp4", 1, 0},
};
// clang-format on

void PrintTo(const JoinCase& test, std::ostream* out) { *out << test.name; }

class ConcatRun : public testing::TestWithParam<JoinCase> {};

TEST_P(ConcatRun, JoinedFileLastsAsLongAsItsPartsWithTheSelectedStreams) {
  const JoinCase& test = GetParam();
  const PartSet& parts = test.parts == Parts::Ts ? TsParts() : Mp4Parts();
  const std::string output = OutputPath(std::string("concat-") + test.name + test.extension);
  ConcatCommandInput input;
  input.inputs = parts.paths;
  input.concatMode = test.concatMode;
  input.streamSelection = test.streamSelection;
  input.subtitles = test.subtitles;
  input.data = test.data;
  input.outputPath = output;

  Joined joined = Join(input);
  EXPECT_NEAR(joined.duration, parts.duration, 0.1);
  EXPECT_EQ(joined.video, test.video);
  EXPECT_EQ(joined.audio, test.audio);
  // With every audio stream kept, the mono one keeps its language.
  if (test.parts == Parts::Ts && test.audio == 2)
    EXPECT_EQ(joined.audioLanguages, (std::vector<std::string>{"", "ger"}));
}

std::string CaseName(const testing::TestParamInfo<JoinCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(, ConcatRun, testing::ValuesIn(kCases), CaseName);

TEST(ConcatListFileRun, APathWithASingleQuoteIsReadBackWhole) {
  const std::vector<std::string> quoted = {TsParts().paths[1]};
  ASSERT_NE(quoted[0].find('\''), std::string::npos);
  ConcatCommandInput input;
  input.inputs = quoted;
  input.concatMode = kDemuxerConcat;
  input.streamSelection = 0;
  input.subtitles = 0;
  input.data = 0;
  const std::string output = OutputPath("concat-quoted.ts");
  input.outputPath = output;
  EXPECT_NEAR(Join(input).duration, Duration(Probe(quoted[0])), 0.1);

  // Written unescaped, the path ends at its quote and cannot be opened.
  const std::string unescapedOutput = OutputPath("concat-unescaped.ts");
  input.outputPath = unescapedOutput;
  const std::string folder = ListFolder();
  input.startDirectory = folder;
  WriteListFile(folder, "file '" + quoted[0] + "'\r\n");
  ToolRun run = RunTool(FfmpegTool::Ffmpeg, BuildConcatCommand(input).text);
  EXPECT_NE(run.exitCode, 0) << run.output;
}

TEST(ConcatListFileRun, ExcludedSubtitlesAreDropped) {
  const std::vector<std::string> inputs(2, SamplePath("subtitled.mkv"));
  ConcatCommandInput input;
  input.inputs = inputs;
  input.concatMode = kDemuxerConcat;
  input.streamSelection = 0;
  input.data = 0;
  for (int subtitles : {0, 1}) {
    const std::string output = OutputPath("concat-subtitles" + std::to_string(subtitles) + ".mkv");
    input.outputPath = output;
    input.subtitles = subtitles;
    Joined joined = Join(input);
    EXPECT_EQ(joined.subtitles, 1 - subtitles) << "subtitles entry " << subtitles;
    EXPECT_EQ(joined.video, 1);
    EXPECT_EQ(joined.audio, 1);
  }
}

}  // namespace
}  // namespace trellimux::test
