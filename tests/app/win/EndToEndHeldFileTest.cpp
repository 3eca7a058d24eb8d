// Old files that another program holds open with delete sharing, as a player
// or an indexer may: after Yes to the overwrite question the program reports
// the file before any job starts, instead of starting ffmpeg.exe on a name
// that is still there (ffmpeg would then wait for an answer on its input).
// Freed, the same start runs as usual.
#include <windows.h>
// After <windows.h>, which it needs.

#include <memory>
#include <string>

#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"
#include "app/win/PreviewDriving.h"

namespace trellimux::test {
namespace {

constexpr char kOlderBytes[] = "an older file, held open by another program\r\n";

struct HeldMedia {
  std::string film;  // h264 + aac, 2 s
  std::string clip;  // mpeg2video + mp2 TS, 2 s
  std::string outputs;
};

const HeldMedia* media = nullptr;

void MakeHeldMedia() {
  static HeldMedia made;
  const std::string root = FreshWorkFolder("held");
  made.film = root + "\\film.mp4";
  made.clip = root + "\\clip.ts";
  made.outputs = root + "\\out";
  CreateDirectoryA(made.outputs.c_str(), nullptr);
  ASSERT_NO_FATAL_FAILURE(MakeMp4(made.film, 2, "160x120"));
  ASSERT_NO_FATAL_FAILURE(MakeTransportStream(made.clip, 2, "160x120"));
  media = &made;
}

std::string TempFolder() { return ToolsFolder() + "\\Temp"; }

std::string HeldOutputText(const std::string& path) {
  return "The old output file could not be replaced because another program still has it "
         "open: " +
         path +
         "\r\n\r\nClose the program that uses it (a player, for example) and "
         "press Start again, or choose another output file.";
}

std::string HeldTemporaryText(const std::string& path) {
  return "A temporary file could not be deleted because another program still has it open: " +
         path +
         "\r\n\r\nClose the program that uses it (a player, for example) and press Start "
         "again.";
}

// An existing file opened by the test as a player opens it: everyone may
// read, write and delete it meanwhile.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  ~HeldFile() { Close(); }

  bool IsHeld() const { return handle_ != INVALID_HANDLE_VALUE; }

  // The whole file as the holder reads it.
  std::string Bytes() const {
    std::string bytes;
    SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    char block[4096];
    DWORD count = 0;
    while (ReadFile(handle_, block, sizeof block, &count, nullptr) && count > 0)
      bytes.append(block, count);
    return bytes;
  }

  void Close() {
    if (IsHeld()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

class EndToEndHeldFile : public EndToEndTest {
 protected:
  void SetUp() override {
    if (!media) {
      ASSERT_NO_FATAL_FAILURE(MakeHeldMedia());
    }
  }

  // An older file at `path`, held open by the test.
  static void MakeHeld(const std::string& path, std::unique_ptr<HeldFile>& held) {
    WriteFileBytes(path, kOlderBytes);
    held = std::make_unique<HeldFile>(path);
    ASSERT_TRUE(held->IsHeld()) << path << ": " << GetLastError();
  }

  // "Start", Yes to the overwrite question when `asked`, then the box that
  // reports the held file; afterwards the program is idle, no ffmpeg.exe
  // runs and the held file is as it was.
  void ExpectHeldReport(bool asked, const std::string& text, const HeldFile& held) {
    ShownBox box;
    ASSERT_NO_FATAL_FAILURE(PressStart(box));
    if (asked) {
      ASSERT_EQ(box.text, kOverwriteQuestion) << box.caption;
      ASSERT_NO_FATAL_FAILURE(Answer(box, IDYES));
      std::optional<ShownBox> next = Program().WaitForMessageBox(kStepTimeoutMs);
      ASSERT_TRUE(next) << "no box after Yes; busy " << Program().IsBusy() << ", ffmpeg.exe "
                        << RunningFfmpegChildren(Program().ProcessId()) << "\nlog:\n"
                        << Program().LogText();
      box = *next;
    }
    EXPECT_EQ(box.caption, " Error");
    EXPECT_EQ(box.text, text);
    ASSERT_NO_FATAL_FAILURE(Answer(box, IDOK));
    ASSERT_NO_FATAL_FAILURE(ExpectIdleWithoutBox());
    // Once a Trim job has ended, the preview makes its frame again and
    // starts its next frame child, which waits; a job's would have been
    // left running.
    EXPECT_TRUE(PollUntil(kStepTimeoutMs,
                          [] { return RunningJobChildren(Program().ProcessId()) == 0; }))
        << "ffmpeg.exe still runs after the refused job";
    EXPECT_EQ(held.Bytes(), kOlderBytes);
  }

  // Freed, the old output is still there: the refused start left it alone.
  static void ExpectOldOutputKept(const std::string& output, HeldFile& held) {
    held.Close();
    ASSERT_TRUE(FileExists(output)) << "the refused start deleted the old file";
    EXPECT_EQ(FileBytes(output), kOlderBytes);
  }

  void ChooseTrimInputWithOneCut() {
    ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kTrimInputButton, media->clip));
    ASSERT_EQ(Program().RowCount(kTrimSourceTable), 2) << "the probed streams are not listed";
    for (int row = 0; row < 2; ++row)
      ASSERT_TRUE(Done(Program().CheckRow(kTrimSourceTable, row, true)));
    ASSERT_TRUE(Done(Program().Click(kCutResetButton)));
    ASSERT_NO_FATAL_FAILURE(AddCut({0, 0, 0, 200}, {0, 0, 1, 0}));
  }

  std::string Output(const std::string& name) const { return media->outputs + "\\" + name; }
};

TEST_F(EndToEndHeldFile, ConvertReportsAHeldOutputAndReplacesItOnceFreed) {
  ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Convert));
  ASSERT_NO_FATAL_FAILURE(SetExpertMode(kConvertExpertButton, kConvertExpertLamp, false));
  ASSERT_NO_FATAL_FAILURE(ChooseProbedInput(kConvertInputButton, media->film));
  ASSERT_TRUE(Done(Program().Select(kConvertContainerList, ".mkv")));
  const std::string output = Output("converted.mkv");
  std::unique_ptr<HeldFile> held;
  ASSERT_NO_FATAL_FAILURE(MakeHeld(output, held));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConvertOutputButton, output));
  ASSERT_EQ(Program().Text(kConvertOutputBox), output);
  ASSERT_NO_FATAL_FAILURE(ExpectHeldReport(true, HeldOutputText(output), *held));
  ASSERT_NO_FATAL_FAILURE(ExpectOldOutputKept(output, *held));
  std::string log;
  ASSERT_NO_FATAL_FAILURE(RunJob(log, /*overwrite=*/true));
  const MediaFacts facts = ProbeMedia(output);
  ASSERT_TRUE(facts.probed) << facts.report << "\nlog:\n" << log;
  EXPECT_EQ(facts.streams.size(), 2u) << facts.report;
}

TEST_F(EndToEndHeldFile, ConcatReportsAHeldOutput) {
  ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Concat));
  ASSERT_TRUE(Done(Program().Click(kConcatResetButton)));
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(Done(Program().PostClick(kConcatAddButton)));
    ASSERT_TRUE(Done(Program().FillFileDialog(kInputDialogTitle, media->clip, kStepTimeoutMs)));
  }
  ASSERT_EQ(Program().RowCount(kConcatInputList), 2);
  const std::string output = Output("joined.ts");
  std::unique_ptr<HeldFile> held;
  ASSERT_NO_FATAL_FAILURE(MakeHeld(output, held));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kConcatOutputButton, output));
  ASSERT_EQ(Program().Text(kConcatOutputBox), output);
  ASSERT_NO_FATAL_FAILURE(ExpectHeldReport(true, HeldOutputText(output), *held));
  ASSERT_NO_FATAL_FAILURE(ExpectOldOutputKept(output, *held));
}

TEST_F(EndToEndHeldFile, TrimReportsAHeldOutput) {
  ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Trim));
  ASSERT_NO_FATAL_FAILURE(ChooseTrimInputWithOneCut());
  const std::string output = Output("trimmed.ts");
  std::unique_ptr<HeldFile> held;
  ASSERT_NO_FATAL_FAILURE(MakeHeld(output, held));
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kTrimOutputButton, output));
  ASSERT_EQ(Program().Text(kTrimOutputBox), output);
  ASSERT_NO_FATAL_FAILURE(ExpectHeldReport(true, HeldOutputText(output), *held));
  ASSERT_NO_FATAL_FAILURE(ExpectOldOutputKept(output, *held));
}

// A cut file of an earlier Trim, still open in a player: the temporary
// folder is emptied without a question, and the cut would be asked about.
TEST_F(EndToEndHeldFile, TrimReportsAHeldCutFileAndCutsOnceFreed) {
  ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Trim));
  ASSERT_NO_FATAL_FAILURE(ChooseTrimInputWithOneCut());
  const std::string output = Output("trimmed-after-cut.ts");
  DeleteFileA(output.c_str());
  ASSERT_NO_FATAL_FAILURE(ChooseOutput(kTrimOutputButton, output));
  CreateDirectoryA(TempFolder().c_str(), nullptr);
  const std::string cut = TempFolder() + "\\temp0.ts";
  std::unique_ptr<HeldFile> held;
  ASSERT_NO_FATAL_FAILURE(MakeHeld(cut, held));
  ASSERT_NO_FATAL_FAILURE(ExpectHeldReport(false, HeldTemporaryText(cut), *held));
  EXPECT_FALSE(FileExists(output));

  held->Close();
  std::string log;
  ASSERT_NO_FATAL_FAILURE(RunJob(log));
  EXPECT_TRUE(ProbeMedia(output).probed) << "log:\n" << log;
}

}  // namespace
}  // namespace trellimux::test
