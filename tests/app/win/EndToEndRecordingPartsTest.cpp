// Recordings split into parts as receivers split them, through the real
// program: "Add" on the first part gathers the others in order, whatever
// the names' pattern, and both byte joins make clean seams of the headers
// and repeated packets that receivers leave there.
#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"
#include "media/ToolRunner.h"
#include "process/ToolInvocation.h"

namespace trellimux::test {
namespace {

constexpr std::size_t kPacket = 188;
constexpr double kFrameSeconds = 0.04;

// How a receiver wrote the four parts of one recording.
struct PartSet {
  const char* folder;
  std::vector<std::string> names;
  std::size_t headerBytes;      // its own bytes before each part's first packet
  std::size_t repeatedPackets;  // at each part's start, the end of the part before
};

const PartSet kSets[] = {
    {"linux-kind", {"Film.ts", "Film.ts.001", "Film.ts.002", "Film.ts.003"}, 0, 256},
    {"underscore", {"Film_001.ts", "Film_002.ts", "Film_003.ts", "Film_004.ts"}, 4096, 0},
    {"numbered-extension", {"Film.001", "Film.002", "Film.003", "Film.004"}, 4096, 256},
    {"dash", {"Film-1.rec", "Film-2.rec", "Film-3.rec", "Film-4.rec"}, 0, 0},
};

// A header as a receiver writes one: its own bytes, among them a few sync
// bytes 188 apart, as if packets began there.
std::string Header(std::size_t size) {
  std::string header(size, '\0');
  for (std::size_t i = 0; i < size; ++i) header[i] = static_cast<char>(i * 13 % 241);
  for (std::size_t n = 0; n < 5 && 20 + n * kPacket < size; ++n) header[20 + n * kPacket] = 0x47;
  return header;
}

struct Recording {
  std::string root;
  std::string outputs;
  std::string bytes;  // the whole recording, as one MPEG-TS
  double duration = 0;
  int frames = 0;
};

const Recording* recording = nullptr;

std::string PathIn(const PartSet& set, std::size_t part) {
  return recording->root + "\\" + set.folder + "\\" + set.names[part];
}

// One MPEG-TS cut at packets into four parts of each set.
void MakeRecording() {
  static Recording made;
  made.root = FreshWorkFolder("recording-parts");
  made.outputs = made.root + "\\out";
  CreateDirectoryA(made.outputs.c_str(), nullptr);
  const std::string whole = made.root + "\\whole.ts";
  ASSERT_NO_FATAL_FAILURE(MakeTransportStream(whole, 12, "160x120"));
  made.bytes = FileBytes(whole);
  ASSERT_EQ(made.bytes.size() % kPacket, 0u);
  const MediaFacts facts = ProbeMedia(whole);
  ASSERT_TRUE(facts.probed) << facts.report;
  made.duration = facts.duration;
  made.frames = VideoFrameCount(whole);
  recording = &made;

  const std::size_t packets = made.bytes.size() / kPacket;
  ASSERT_GT(packets / 4, 2 * 256u) << "too short for the repeated packets";
  for (const PartSet& set : kSets) {
    CreateDirectoryA((made.root + "\\" + set.folder).c_str(), nullptr);
    for (std::size_t part = 0; part < 4; ++part) {
      const std::size_t from = packets * part / 4 - (part > 0 ? set.repeatedPackets : 0);
      const std::size_t to = packets * (part + 1) / 4;
      WriteFileBytes(
          PathIn(set, part),
          Header(set.headerBytes) + made.bytes.substr(from * kPacket, (to - from) * kPacket));
    }
  }
}

class EndToEndRecordingParts : public EndToEndTest {
 protected:
  void SetUp() override {
    if (!recording) {
      ASSERT_NO_FATAL_FAILURE(MakeRecording());
    }
    ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Concat));
    ASSERT_TRUE(Done(Program().Click(kConcatResetButton)));
    ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConcatExpertButton, kConcatExpertLamp, false));
  }

  // "Add" on the first part and Yes to the offer of the others.
  void GatherParts(const PartSet& set) {
    ASSERT_NO_FATAL_FAILURE(ChooseInput(kConcatAddButton, PathIn(set, 0)));
    std::string question;
    ASSERT_NO_FATAL_FAILURE(AnswerPartsQuestion(IDYES, &question));
    EXPECT_EQ(question, "Add the other 3 parts of this recording?\r\n\r\n" + set.names[1] + "\r\n" +
                            set.names[2] + "\r\n" + set.names[3]);
    // A container the program does not know is noted, as for any file.
    if (!set.names[0].ends_with(".ts")) {
      std::optional<ShownBox> note = Program().WaitForMessageBox(kStepTimeoutMs);
      ASSERT_TRUE(note) << Program().Failure();
      EXPECT_EQ(note->caption, " Note");
      ASSERT_NO_FATAL_FAILURE(Answer(*note, IDOK));
    }
    std::vector<std::vector<std::string>> rows;
    for (std::size_t part = 0; part < set.names.size(); ++part) rows.push_back({PathIn(set, part)});
    ASSERT_EQ(Program().Rows(kConcatInputList, 1), rows);
  }

  // The join in `mode` into `name`, which ends with "Job done".
  void Join(const char* mode, const std::string& name, std::string& log) {
    ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConcatExpertButton, kConcatExpertLamp, true));
    ASSERT_TRUE(Done(Program().Select(kConcatModeList, mode)));
    ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConcatOutputButton, recording->outputs + "\\" + name));
    ASSERT_NO_FATAL_FAILURE(RunJob(log));
  }
};

TEST_F(EndToEndRecordingParts, AddOnTheFirstPartGathersTheOthersInOrder) {
  for (const PartSet& set : kSets) {
    SCOPED_TRACE(set.folder);
    ASSERT_NO_FATAL_FAILURE(GatherParts(set));
    ASSERT_TRUE(Done(Program().Click(kConcatResetButton)));
  }
}

TEST_F(EndToEndRecordingParts, SeveralFilesChosenAtOnceComeInNaturalOrder) {
  const PartSet& set = kSets[3];
  // In the parts' folder, the names alone, each quoted, choose several.
  ASSERT_TRUE(Done(Program().PostClick(kConcatAddButton)));
  ASSERT_TRUE(Done(Program().MoveFileDialogTo(
      kInputDialogTitle, recording->root + "\\" + set.folder, kStepTimeoutMs)));
  ASSERT_TRUE(Done(Program().FillFileDialog(
      kInputDialogTitle, "\"Film-3.rec\" \"Film-1.rec\" \"Film-4.rec\" \"Film-2.rec\"",
      kStepTimeoutMs)));
  std::optional<ShownBox> note = Program().WaitForMessageBox(kStepTimeoutMs);
  ASSERT_TRUE(note) << Program().Failure();
  EXPECT_EQ(note->caption, " Note") << note->text;  // the container's; no parts offered
  ASSERT_NO_FATAL_FAILURE(Answer(*note, IDOK));
  std::vector<std::vector<std::string>> rows;
  for (std::size_t part = 0; part < set.names.size(); ++part) rows.push_back({PathIn(set, part)});
  EXPECT_EQ(Program().Rows(kConcatInputList, 1), rows);
}

TEST_F(EndToEndRecordingParts, ByteJoinsMakeCleanSeams) {
  // Each part not copied whole gets a line of the log.
  const struct {
    const PartSet& set;
    const char* partLine;
    std::size_t firstPart;
  } kJoins[] = {
      {kSets[0], "256 repeated packets (47 KiB) left out at its start", 2},
      {kSets[1], "a header of 4096 bytes (4.0 KiB) before its first packet left out", 1},
  };
  for (const auto& join : kJoins) {
    SCOPED_TRACE(join.set.folder);
    ASSERT_NO_FATAL_FAILURE(GatherParts(join.set));

    std::string log;
    const std::string bytesJoin = std::string(join.set.folder) + "-bytes.ts";
    ASSERT_NO_FATAL_FAILURE(Join("Windows File", bytesJoin, log));
    EXPECT_TRUE(FileBytes(recording->outputs + "\\" + bytesJoin) == recording->bytes)
        << "the joined parts are not the recording they were cut from";
    std::string lines = "\r\n\r\n";
    for (std::size_t part = join.firstPart; part <= 4; ++part)
      lines += "Part " + std::to_string(part) + ": " + join.partLine + "\r\n";
    EXPECT_NE(log.find(" Concatenating media files using Windows functions." + lines),
              std::string::npos)
        << log;

    const std::string ffmpegJoin = std::string(join.set.folder) + "-ffmpeg.ts";
    ASSERT_TRUE(Done(Program().Select(kConcatModeList, "FFmpeg File")));
    EXPECT_NE(Program().Text(kConcatCommandBox).find("|subfile,,start,"), std::string::npos)
        << Program().Text(kConcatCommandBox);
    ASSERT_NO_FATAL_FAILURE(Join("FFmpeg File", ffmpegJoin, log));
    const std::string output = recording->outputs + "\\" + ffmpegJoin;
    const ToolRun check =
        RunTool(FfmpegTool::Ffmpeg, " -nostdin -v error -i \"" + output + "\" -f null -");
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_EQ(check.output, "") << "errors at the seams";
    const MediaFacts facts = ProbeMedia(output);
    ASSERT_TRUE(facts.probed) << facts.report;
    EXPECT_NEAR(facts.duration, recording->duration, kFrameSeconds);
    EXPECT_EQ(VideoFrameCount(output), recording->frames);

    ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConcatExpertButton, kConcatExpertLamp, false));
    ASSERT_TRUE(Done(Program().Click(kConcatResetButton)));
  }
}

}  // namespace
}  // namespace trellimux::test
