#include "app/win/EndToEndSession.h"

#include <cstdio>

#include "app/ControlIds.h"
#include "app/win/PreviewDriving.h"
#include "app/win/ProgramControls.h"

namespace trellimux::test {
namespace {

constexpr char kAgreementCaption[] = "Agreement / Vereinbarung";

// Closes whatever box or dialog a failed test left open; false when one
// stays.
bool ClearDialogs(ProgramDriver& program) {
  for (int round = 0; round < 5; ++round) {
    HWND dialog = program.VisibleDialog();
    if (!dialog) return true;
    for (int button : {IDCANCEL, IDNO, IDOK}) {
      if (!GetDlgItem(dialog, button)) continue;
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
      break;
    }
    PollUntil(kStepTimeoutMs, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
  }
  return program.VisibleDialog() == nullptr;
}

}  // namespace

std::unique_ptr<ProgramDriver> EndToEndTest::program_;

std::string CutTime::Text() const {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", hour, minute, second, millisecond);
  return text;
}

double CutTime::Seconds() const {
  return hour * 3600.0 + minute * 60.0 + second + millisecond / 1000.0;
}

void EndToEndTest::TearDownTestSuite() {
  if (!program_) return;
  if (!program_->HasEnded()) {
    ClearDialogs(*program_);
    if (!program_->RequestClose() || !program_->WaitForExit(kStepTimeoutMs)) program_->Terminate();
  }
  program_.reset();
}

ProgramDriver& EndToEndTest::Program() { return *program_; }

::testing::AssertionResult EndToEndTest::Done(bool done) {
  if (done) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << program_->Failure();
}

void EndToEndTest::SetUpProgram(Page page) {
  if (program_ && (program_->HasEnded() || !ClearDialogs(*program_) ||
                   !program_->WaitUntilIdle(kJobTimeoutMs))) {
    program_->Terminate();
    program_.reset();
  }
  if (!program_) {
    const std::string path = ProgramPathFromEnvironment();
    ASSERT_FALSE(path.empty()) << "TRELLIMUX_TOOLS is not set; run the tests through ctest";
    ASSERT_TRUE(FileExists(path)) << path << " is missing";
    ASSERT_EQ(FindMainWindow(), nullptr) << "another Trellimux window is open";
    program_ = std::make_unique<ProgramDriver>();
    ASSERT_TRUE(Done(program_->Start(path, ToolsFolder())));
    HWND box = program_->WaitForDialog(kStartTimeoutMs);
    ASSERT_NE(box, nullptr) << program_->Failure();
    ASSERT_EQ(WindowCaption(box), kAgreementCaption);
    ASSERT_TRUE(Done(program_->AnswerDialog(box, IDYES, kStepTimeoutMs)));
    ASSERT_TRUE(Done(program_->WaitForMainWindowShown(kStepTimeoutMs)));
  }
  HWND log = program_->LogWindow();
  if (log && IsWindowVisible(log)) {
    ASSERT_TRUE(Done(program_->CloseLogWindow()));
  }
  ASSERT_TRUE(Done(program_->ShowPage(static_cast<int>(page), kStepTimeoutMs)));
}

void EndToEndTest::TearDown() {
  if (program_ && !program_->HasEnded()) ClearDialogs(*program_);
}

void EndToEndTest::ChooseInput(int buttonId, const std::string& path) {
  ASSERT_TRUE(Done(Program().PostClick(buttonId)));
  ASSERT_TRUE(Done(Program().FillFileDialog(kInputDialogTitle, path, kStepTimeoutMs)));
}

void EndToEndTest::ChooseOutput(int buttonId, const std::string& path) {
  ASSERT_TRUE(Done(Program().PostClick(buttonId)));
  ASSERT_TRUE(Done(Program().FillFileDialog(kOutputDialogTitle, path, kStepTimeoutMs)));
  // The page has taken the path once the main window answers again.
  ASSERT_TRUE(SendWait(Program().MainWindow(), WM_NULL, 0, 0).has_value());
}

void EndToEndTest::AnswerPartsQuestion(int buttonId, std::string* text) {
  std::optional<ShownBox> box = Program().WaitForMessageBox(kStepTimeoutMs);
  ASSERT_TRUE(box) << Program().Failure();
  EXPECT_EQ(box->caption, " Confirmation") << box->text;
  if (text) *text = box->text;
  ASSERT_NO_FATAL_FAILURE(Answer(*box, buttonId));
  // The page has taken the files once the main window answers again.
  ASSERT_TRUE(SendWait(Program().MainWindow(), WM_NULL, 0, 0).has_value());
}

void EndToEndTest::PressStart(ShownBox& box) {
  ASSERT_FALSE(Program().IsBusy()) << "\"Start\" is disabled";
  ASSERT_TRUE(Done(Program().PostClick(kStartButton)));
  std::optional<ShownBox> shown = Program().WaitForMessageBox(kJobTimeoutMs);
  ASSERT_TRUE(shown) << Program().Failure() << "\nlog:\n" << Program().LogText();
  box = *shown;
}

void EndToEndTest::ExpectBox(int buttonId, std::string_view caption, std::string_view text) {
  ASSERT_TRUE(Done(Program().PostClick(buttonId)));
  std::optional<ShownBox> box = Program().WaitForMessageBox(kStepTimeoutMs);
  ASSERT_TRUE(box) << Program().Failure();
  EXPECT_EQ(box->caption, caption);
  EXPECT_EQ(box->text, text);
  ASSERT_NO_FATAL_FAILURE(Answer(*box, IDOK));
  ASSERT_NO_FATAL_FAILURE(ExpectIdleWithoutBox());
}

void EndToEndTest::ExpectNothingShown(int buttonId) {
  // Waited for: a box would hold the click until the timeout.
  ASSERT_TRUE(Done(Program().Click(buttonId)))
      << "shown: \"" << WindowCaption(Program().VisibleDialog())
      << "\": " << MessageBoxText(Program().VisibleDialog());
  ASSERT_NO_FATAL_FAILURE(ExpectIdleWithoutBox());
}

void EndToEndTest::ExpectRefusal(std::string_view caption, std::string_view text) {
  ShownBox box;
  ASSERT_NO_FATAL_FAILURE(PressStart(box));
  EXPECT_EQ(box.caption, caption);
  EXPECT_EQ(box.text, text);
  ASSERT_NO_FATAL_FAILURE(Answer(box, IDOK));
  ASSERT_NO_FATAL_FAILURE(ExpectIdleWithoutBox());
}

void EndToEndTest::Answer(const ShownBox& box, int buttonId) {
  ASSERT_TRUE(Done(Program().AnswerDialog(box.window, buttonId, kStepTimeoutMs)))
      << "box \"" << box.caption << "\": " << box.text;
}

void EndToEndTest::ExpectIdleWithoutBox() {
  // Answered once the window thread is back from the click's handler; a
  // second time a little later, in case it was still on its way there.
  ASSERT_TRUE(SendWait(Program().MainWindow(), WM_NULL, 0, 0).has_value());
  PollUntil(200, [] { return false; });
  ASSERT_TRUE(SendWait(Program().MainWindow(), WM_NULL, 0, 0).has_value());
  HWND dialog = Program().VisibleDialog();
  EXPECT_EQ(dialog, nullptr) << "a box is open: \"" << WindowCaption(dialog)
                             << "\": " << MessageBoxText(dialog);
  EXPECT_FALSE(Program().IsBusy()) << "a job was started";
  HWND log = Program().LogWindow();
  EXPECT_FALSE(log && IsWindowVisible(log)) << "the log window shows: a job was started";
}

void EndToEndTest::FinishJob(ShownBox& box, std::string& log) {
  ASSERT_NO_FATAL_FAILURE(Answer(box, IDOK));
  ASSERT_TRUE(Done(Program().WaitUntilIdle(kStepTimeoutMs)));
  log = Program().LogText();
  ASSERT_TRUE(Done(Program().CloseLogWindow()));
}

void EndToEndTest::DeclineOverwrite() {
  ShownBox box;
  ASSERT_NO_FATAL_FAILURE(PressStart(box));
  EXPECT_EQ(box.caption, " Warning");
  EXPECT_EQ(box.text, kOverwriteQuestion);
  ASSERT_NO_FATAL_FAILURE(Answer(box, IDNO));
  ASSERT_NO_FATAL_FAILURE(ExpectIdleWithoutBox());
}

void EndToEndTest::RunJob(std::string& log, bool overwrite) {
  ShownBox box;
  ASSERT_NO_FATAL_FAILURE(PressStart(box));
  if (overwrite) {
    ASSERT_EQ(box.text, kOverwriteQuestion) << box.caption;
    EXPECT_EQ(box.caption, " Warning");
    ASSERT_NO_FATAL_FAILURE(Answer(box, IDYES));
    std::optional<ShownBox> next = Program().WaitForMessageBox(kJobTimeoutMs);
    ASSERT_TRUE(next) << Program().Failure() << "\nlog:\n" << Program().LogText();
    box = *next;
  }
  const std::string text = box.text;
  const std::string caption = box.caption;
  std::string shownLog;
  ASSERT_NO_FATAL_FAILURE(FinishJob(box, shownLog));
  log = shownLog;
  ASSERT_EQ(text, kDoneText) << "caption \"" << caption << "\"\nlog:\n" << log;
  EXPECT_EQ(caption, kDoneCaption);
}

void EndToEndTest::MakeRealTime(int editButton, int editLamp, int commandBox,
                               std::size_t lines) {
  if (!Program().IsChecked(editLamp)) ASSERT_TRUE(Done(Program().Click(editButton)));
  ASSERT_TRUE(Program().IsChecked(editLamp));
  const std::vector<std::string> text = Lines(Program().Text(commandBox));
  std::string edited;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string line = text[i];
    const std::size_t input = line.find(" -i ");
    if (input != std::string::npos && (lines == 0 || i < lines)) line.insert(input, " -re");
    edited += (i ? "\r\n" : "") + line;
  }
  ASSERT_TRUE(Done(Program().SetText(commandBox, edited)));
}

void EndToEndTest::StartAndWaitForProgress() {
  ASSERT_TRUE(Done(Program().PostClick(kStartButton)));
  std::string log;
  ASSERT_TRUE(PollUntil(
      kJobTimeoutMs,
      [&] {
        log = Program().LogText();
        return log.find("frame=") != std::string::npos || Program().VisibleDialog() != nullptr;
      },
      /*intervalMs=*/50))
      << "the conversion did not start; log:\n"
      << log;
  ASSERT_EQ(Program().VisibleDialog(), nullptr)
      << "the job ended at once: " << MessageBoxText(Program().VisibleDialog());
}

void EndToEndTest::ChooseProbedInput(int buttonId, const std::string& path) {
  ASSERT_NO_FATAL_FAILURE(ChooseInput(buttonId, path));
  std::optional<ShownBox> box = Program().WaitForMessageBox(kJobTimeoutMs);
  ASSERT_TRUE(box) << Program().Failure();
  std::string log;
  ASSERT_NO_FATAL_FAILURE(FinishJob(*box, log));
  ASSERT_EQ(box->text, kDoneText) << "probe of " << path << ": \"" << box->caption << "\"\n" << log;
}

void EndToEndTest::SetExpertMode(int buttonId, int lampId, bool on) {
  if (Program().IsChecked(lampId) != on) {
    ASSERT_TRUE(Done(Program().Click(buttonId)));
  }
  ASSERT_EQ(Program().IsChecked(lampId), on) << "the expert-mode lamp does not follow its button";
}

std::vector<std::string> EndToEndTest::Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  lines.push_back(text.substr(start));
  return lines;
}

void EndToEndTest::AddCut(const CutTime& in, const CutTime& out) {
  ProgramDriver& program = Program();
  ASSERT_TRUE(Done(program.SetPickerTime(kCutInTime, in.hour, in.minute, in.second)));
  ASSERT_TRUE(Done(program.SetMilliseconds(kCutInMilliseconds, kCutInSpinner, in.millisecond)));
  ASSERT_TRUE(Done(program.SetPickerTime(kCutOutTime, out.hour, out.minute, out.second)));
  ASSERT_TRUE(Done(program.SetMilliseconds(kCutOutMilliseconds, kCutOutSpinner, out.millisecond)));
  ASSERT_TRUE(Done(program.Click(kCutAddButton)));
}

int RunningFfmpegChildren(DWORD parent) { return RunningChildren(parent, {"ffmpeg.exe"}); }

}  // namespace trellimux::test
