// Starts the real trellimux.exe as a separate process and checks what a user
// sees from outside: the agreement box, the main window, the Temp folder, and
// a second copy handing over to the first.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/ProgramIdentity.h"
#include "app/win/ProgramDriver.h"
#include "media/ToolRunner.h"

namespace trellimux::test {
namespace {

namespace fs = std::filesystem;

constexpr char kAgreementCaption[] = "Agreement / Vereinbarung";

fs::path WorkFolder() {
  const char* work = std::getenv("TRELLIMUX_WORK");
  if (work && *work) return ToolSidePath(work);
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  return fs::path(exe).parent_path() / "program-work";
}

// A window of the test's own that takes the foreground away from the program,
// so that only the program can give it back.
class ForegroundTaker {
 public:
  ForegroundTaker()
      : window_(CreateWindowExA(0, "STATIC", "Foreground taker", WS_OVERLAPPED | WS_CAPTION, 300,
                                300, 240, 120, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr)) {}
  ~ForegroundTaker() { DestroyWindow(window_); }

  bool TakeForeground() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    return PollUntil(kStepTimeoutMs, [&] { return GetForegroundWindow() == window_; });
  }

 private:
  HWND window_;
};

class ProgramProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = ProgramPathFromEnvironment();
    ASSERT_FALSE(program_.empty()) << "TRELLIMUX_TOOLS is not set; run the tests through ctest";
    ASSERT_TRUE(fs::is_regular_file(program_)) << program_ << " is missing";
    ASSERT_EQ(FindMainWindow(), nullptr) << "another Trellimux window is open";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = WorkFolder() / info->name();
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    // The start looks for FFmpeg's programs in its folder; these runs need
    // them only to be there.
    for (const char* tool : {"ffmpeg.exe", "ffprobe.exe"}) std::ofstream(folder_ / tool) << "";
  }

  void TearDown() override {
    for (ProgramDriver* copy : {&second_, &first_}) {
      if (!copy->Process() || copy->HasEnded()) continue;
      if (!copy->RequestClose() || !copy->WaitForExit(kStepTimeoutMs)) copy->Terminate();
    }
  }

  // Starts the first copy in the test's folder and answers its agreement box
  // with Yes; the main window is then shown.
  void StartAndAgree() {
    ASSERT_TRUE(first_.Start(program_, folder_.string())) << first_.Failure();
    HWND box = first_.WaitForDialog(kStartTimeoutMs);
    ASSERT_NE(box, nullptr) << first_.Failure();
    ASSERT_EQ(WindowCaption(box), kAgreementCaption);
    ASSERT_TRUE(first_.AnswerDialog(box, IDYES, kStepTimeoutMs)) << first_.Failure();
    ASSERT_TRUE(first_.WaitForMainWindowShown(kStepTimeoutMs)) << first_.Failure();
  }

  void CloseFirstCopy() {
    ASSERT_TRUE(first_.RequestClose()) << first_.Failure();
    ASSERT_TRUE(first_.WaitForExit(kStepTimeoutMs)) << first_.Failure();
    EXPECT_EQ(first_.ExitCode(), 0u);
    EXPECT_EQ(FindMainWindow(), nullptr);
  }

  // Starts a second copy and checks that it ends at once with exit code 0
  // without showing any window of its own.
  void StartSecondCopy() {
    ASSERT_TRUE(second_.Start(program_, folder_.string())) << second_.Failure();
    HWND shown = nullptr;
    const bool ended = PollUntil(kStartTimeoutMs, [&] {
      if (!shown) shown = FindVisibleWindowOf(second_.ProcessId(), nullptr);
      return second_.HasEnded();
    });
    EXPECT_EQ(shown, nullptr) << "the second copy showed \"" << WindowCaption(shown) << "\"";
    ASSERT_TRUE(ended) << "the second copy still runs after " << kStartTimeoutMs << " ms";
    ASSERT_TRUE(second_.WaitForExit(0)) << second_.Failure();
    EXPECT_EQ(second_.ExitCode(), 0u);
  }

  std::string program_;
  fs::path folder_;
  ProgramDriver first_;
  ProgramDriver second_;
};

TEST_F(ProgramProcessTest, AnsweringNoEndsTheProgramWithoutAWindow) {
  ASSERT_TRUE(first_.Start(program_, folder_.string())) << first_.Failure();
  HWND box = first_.WaitForDialog(kStartTimeoutMs);
  ASSERT_NE(box, nullptr) << first_.Failure();

  EXPECT_EQ(WindowCaption(box), kAgreementCaption);
  const std::string text = MessageBoxText(box);
  EXPECT_NE(text.find("Always backup your data!"), std::string::npos) << text;
  EXPECT_NE(text.find("Sichern sie immer ihre Daten!"), std::string::npos) << text;
  ASSERT_TRUE(first_.WaitForMainWindow(kStepTimeoutMs)) << first_.Failure();
  EXPECT_EQ(GetWindow(box, GW_OWNER), first_.MainWindow());
  EXPECT_FALSE(IsWindowVisible(first_.MainWindow())) << "the main window shows before the answer";

  ASSERT_TRUE(first_.AnswerDialog(box, IDNO, kStepTimeoutMs)) << first_.Failure();
  ASSERT_TRUE(first_.WaitForExit(kStepTimeoutMs)) << first_.Failure();
  EXPECT_EQ(first_.ExitCode(), 0u);
  EXPECT_EQ(FindMainWindow(), nullptr);
}

TEST_F(ProgramProcessTest, AnsweringYesShowsTheMainWindowInTheMiddle) {
  StartAndAgree();
  if (HasFatalFailure()) return;

  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  ASSERT_EQ(desktop.right - desktop.left, 1280) << "the Wine desktop is not 1280x720";
  ASSERT_EQ(desktop.bottom - desktop.top, 720) << "the Wine desktop is not 1280x720";
  RECT frame{};
  ASSERT_TRUE(GetWindowRect(first_.MainWindow(), &frame));
  EXPECT_EQ(frame.right - frame.left, kWindowWidth);
  EXPECT_EQ(frame.bottom - frame.top, kWindowHeight);
  EXPECT_EQ(frame.left, 4);
  EXPECT_EQ(frame.top, 4);
  EXPECT_TRUE(fs::is_directory(folder_ / "Temp")) << "no Temp folder in " << folder_;

  CloseFirstCopy();
}

TEST_F(ProgramProcessTest, ASecondCopyBringsTheFirstToTheForegroundAndEnds) {
  StartAndAgree();
  if (HasFatalFailure()) return;
  ForegroundTaker taker;
  ASSERT_TRUE(taker.TakeForeground());

  StartSecondCopy();
  if (HasFatalFailure()) return;
  HWND first = first_.MainWindow();
  EXPECT_TRUE(PollUntil(kStepTimeoutMs, [&] { return GetForegroundWindow() == first; }))
      << "foreground: \"" << WindowCaption(GetForegroundWindow()) << "\"";
  EXPECT_FALSE(first_.HasEnded());

  CloseFirstCopy();
}

TEST_F(ProgramProcessTest, ASecondCopyRestoresAMinimisedFirstCopy) {
  StartAndAgree();
  if (HasFatalFailure()) return;
  HWND first = first_.MainWindow();
  ShowWindow(first, SW_MINIMIZE);
  ASSERT_TRUE(PollUntil(kStepTimeoutMs, [&] { return IsIconic(first) != 0; }));
  ForegroundTaker taker;
  ASSERT_TRUE(taker.TakeForeground());

  StartSecondCopy();
  if (HasFatalFailure()) return;
  auto restoredInFront = [&] {
    return !IsIconic(first) && IsWindowVisible(first) && GetForegroundWindow() == first;
  };
  EXPECT_TRUE(PollUntil(kStepTimeoutMs, restoredInFront))
      << "iconic: " << IsIconic(first) << ", foreground: \"" << WindowCaption(GetForegroundWindow())
      << "\"";

  CloseFirstCopy();
}

TEST_F(ProgramProcessTest, AnExistingTempFolderIsKeptAndTheStartIsTheSame) {
  fs::create_directories(folder_ / "Temp");
  std::ofstream(folder_ / "Temp" / "kept.txt") << "left by an earlier run\n";

  StartAndAgree();
  if (HasFatalFailure()) return;
  EXPECT_EQ(FindVisibleWindowOf(first_.ProcessId(), "#32770"), nullptr)
      << "a second box: \"" << WindowCaption(FindVisibleWindowOf(first_.ProcessId(), "#32770"))
      << "\"";
  EXPECT_TRUE(fs::is_regular_file(folder_ / "Temp" / "kept.txt"));

  CloseFirstCopy();
}

// A start in a folder without ffprobe.exe: once the window shows, a note
// names the program and the folder it belongs in, and offers the download
// page; No leaves the window as it was.
TEST_F(ProgramProcessTest, AStartWithoutFfmpegSaysWhatIsMissingAndWhere) {
  fs::remove(folder_ / "ffprobe.exe");
  StartAndAgree();
  if (HasFatalFailure()) return;
  HWND note = first_.WaitForDialog(kStepTimeoutMs);
  ASSERT_NE(note, nullptr) << first_.Failure();
  EXPECT_EQ(WindowCaption(note), " Note");
  const std::string text = MessageBoxText(note);
  const std::string folder = folder_.string();
  EXPECT_EQ(text.rfind("ffprobe.exe is not in the folder of Trellimux, " + folder + ".", 0), 0u)
      << text;
  EXPECT_NE(text.find("Open the download page now?"), std::string::npos) << text;
  ASSERT_TRUE(first_.AnswerDialog(note, IDNO, kStepTimeoutMs)) << first_.Failure();
  EXPECT_TRUE(IsWindowVisible(first_.MainWindow()));
  CloseFirstCopy();
}

}  // namespace
}  // namespace trellimux::test
