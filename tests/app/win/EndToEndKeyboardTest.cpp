// The real program driven by the keyboard alone: keys pressed from this
// process as a keyboard presses them (SendInput to the foreground window),
// no clicks and no messages to its controls. A Convert job runs from the
// input to its outcome box, and a Trim cut is added.
#include <windows.h>

#include "app/ControlIds.h"
#include "app/win/EndToEndSession.h"
#include "app/win/ProgramControls.h"

namespace trellimux::test {
namespace {

void SendKey(WORD key, DWORD flags, WORD scan = 0) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = scan;
  input.ki.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

class EndToEndKeyboard : public EndToEndTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(SetUpProgram(Page::Information));
    SetForegroundWindow(Program().MainWindow());
    ASSERT_TRUE(PollUntil(kStepTimeoutMs, [&] {
      return GetForegroundWindow() == Program().MainWindow();
    })) << "the program's window did not come to the front";
  }

  // The key pressed and let go, with Ctrl or Shift held when asked.
  static void Press(WORD key, WORD modifier = 0) {
    if (modifier != 0) SendKey(modifier, 0);
    SendKey(key, 0);
    SendKey(key, KEYEVENTF_KEYUP);
    if (modifier != 0) SendKey(modifier, KEYEVENTF_KEYUP);
    Settle();
  }

  // Characters typed one by one, as a keyboard layout that has them would.
  static void Type(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    for (const wchar_t typed : wide) {
      SendKey(0, KEYEVENTF_UNICODE, typed);
      SendKey(0, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP, typed);
    }
    Settle();
  }

  // Keys go through the program's input queue, behind any message sent to
  // it: a short wait lets them arrive, a sent message waits for its turn.
  static void Settle() {
    Sleep(20);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(Program().MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, kStepTimeoutMs,
                        &ignored);
  }

  // The main window's control that holds the focus (or holds what does).
  static int FocusedControl() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(Program().MainWindow(), nullptr);
    if (!GetGUIThreadInfo(thread, &info)) return 0;
    for (HWND window = info.hwndFocus; window; window = GetParent(window))
      if (GetParent(window) == Program().MainWindow()) return GetDlgCtrlID(window);
    return 0;
  }

  // Tab until `id` has the focus; the number of presses it took.
  static int TabTo(int id) {
    for (int presses = 0; presses < 80; ++presses) {
      const int before = FocusedControl();
      if (before == id) return presses;
      Press(VK_TAB);
      PollUntil(1000, [&] { return FocusedControl() != before; });
    }
    ADD_FAILURE() << "Tab never reached control " << id << "; the focus is on " << FocusedControl();
    return -1;
  }

  // A file dialog answered with keys: the path typed into its name field,
  // which has the focus when it opens, and Enter.
  static void AnswerFileDialog(std::string_view title, const std::string& path) {
    HWND dialog = Program().WaitForDialog(kStepTimeoutMs);
    ASSERT_NE(dialog, nullptr) << Program().Failure();
    ASSERT_EQ(WindowCaption(dialog), title);
    Type(path);
    Press(VK_RETURN);
    ASSERT_TRUE(PollUntil(kStepTimeoutMs, [&] { return !IsWindowVisible(dialog); }))
        << "the dialog stayed open after Enter with " << path;
  }

  // The box that ends a probe or job, closed with Enter.
  static ShownBox CloseOutcomeBox() {
    std::optional<ShownBox> box = Program().WaitForMessageBox(kJobTimeoutMs);
    EXPECT_TRUE(box) << Program().Failure();
    if (!box) return {};
    Press(VK_RETURN);
    EXPECT_TRUE(PollUntil(kStepTimeoutMs, [&] { return !IsWindowVisible(box->window); }))
        << "Enter did not close \"" << box->text << "\"";
    EXPECT_TRUE(Program().WaitUntilIdle(kJobTimeoutMs)) << Program().Failure();
    // The log window in front, then Esc: the main window's focus is back
    // where it was.
    if (Program().LogWindow() != nullptr && IsWindowVisible(Program().LogWindow())) {
      Press(VK_ESCAPE);
      EXPECT_TRUE(PollUntil(kStepTimeoutMs, [&] {
        return !IsWindowVisible(Program().LogWindow());
      })) << "Esc did not close the log window";
    }
    return *box;
  }
};

TEST_F(EndToEndKeyboard, AConvertJobRunsAndATrimCutIsAddedFromTheKeyboard) {
  const std::string root = FreshWorkFolder("keyboard");
  const std::string film = root + "\\film.mp4";
  const std::string output = root + "\\film.mkv";
  // A keyframe every 10 frames: in the Trim page's "Copy" mode the slider
  // takes the keyframe before its time.
  ASSERT_NO_FATAL_FAILURE(
      MakeMedia("-f lavfi -i testsrc=size=320x240:rate=25:duration=2 -c:v libx264 -preset ultrafast"
                " -pix_fmt yuv420p -g 10 \"" +
                film + "\""));

  // Convert: the page, Tab to Input, Enter, the path, the container by the
  // arrow keys, Output, Start.
  Press('3', VK_CONTROL);
  ASSERT_TRUE(Program().IsVisible(kConvertInputButton)) << "Ctrl+3 did not show the Convert page";
  ASSERT_GE(TabTo(kConvertInputButton), 0);
  Press(VK_RETURN);
  ASSERT_NO_FATAL_FAILURE(AnswerFileDialog(kInputDialogTitle, film));
  EXPECT_EQ(CloseOutcomeBox().text, kDoneText) << "the probe did not end well";
  ASSERT_EQ(Program().RowCount(kConvertSourceTable), 1);

  ASSERT_GE(TabTo(kConvertContainerList), 0);
  for (int presses = 0; presses < 30 && Program().SelectedText(kConvertContainerList) != ".mkv";
       ++presses)
    Press(VK_DOWN);
  ASSERT_EQ(Program().SelectedText(kConvertContainerList), ".mkv");
  Press('S', VK_CONTROL);
  ASSERT_NO_FATAL_FAILURE(AnswerFileDialog(kOutputDialogTitle, output));
  ASSERT_EQ(Program().Text(kConvertOutputBox), output);
  Press(VK_F5);
  const ShownBox outcome = CloseOutcomeBox();
  EXPECT_EQ(outcome.caption, kDoneCaption);
  EXPECT_EQ(outcome.text, kDoneText);
  const MediaFacts facts = ProbeMedia(output);
  ASSERT_TRUE(facts.probed) << facts.report;
  EXPECT_EQ(facts.format, "matroska,webm");
  EXPECT_NEAR(facts.duration, 2.0, 0.15);
  EXPECT_EQ(facts.streams.size(), 1u);

  // Trim: the page, Ctrl+O, the path; on the slider Home and I take the
  // start, End and O the end; Ctrl+N adds the cut.
  Press('4', VK_CONTROL);
  ASSERT_TRUE(Program().IsVisible(kTrimInputButton)) << "Ctrl+4 did not show the Trim page";
  const int cutsBefore = Program().RowCount(kCutList);
  Press('O', VK_CONTROL);
  ASSERT_NO_FATAL_FAILURE(AnswerFileDialog(kInputDialogTitle, film));
  EXPECT_EQ(CloseOutcomeBox().text, kDoneText);
  ASSERT_TRUE(PollUntil(kStepTimeoutMs, [&] { return Program().IsEnabled(kTrimTrackbar); }))
      << "the slider stays disabled after the probe";
  ASSERT_GE(TabTo(kTrimTrackbar), 0);
  Press(VK_HOME);
  Press('I');
  Press(VK_END);
  Press('O');
  EXPECT_TRUE(
      PollUntil(kStepTimeoutMs, [&] { return Program().PickerTime(kCutOutTime) == "00:00:01"; }))
      << "O on the slider's end took " << Program().PickerTime(kCutOutTime);
  EXPECT_EQ(Program().PickerTime(kCutInTime), "00:00:00");
  Press('N', VK_CONTROL);
  ASSERT_TRUE(PollUntil(kStepTimeoutMs, [&] {
    return Program().RowCount(kCutList) == cutsBefore + 1;
  })) << "Ctrl+N added no cut";
}

}  // namespace
}  // namespace trellimux::test
