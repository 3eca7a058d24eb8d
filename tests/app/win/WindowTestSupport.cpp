#include "app/win/WindowTestSupport.h"

#include <commctrl.h>
#include <commdlg.h>

#include "app/ProgramIdentity.h"
#include "app/win/AppState.h"
#include "app/win/MainWindow.h"
#include "app/win/SharedResources.h"

namespace trellimux::test {
namespace {

MessageBoxScript* activeScript = nullptr;

constexpr int kMessageBoxText = 0xFFFF;
// The file dialogs' file name field and file type list.
constexpr int kFileNameField = 0x47C;
constexpr int kFileTypeList = 0x470;

std::string FolderShownBy(HWND dialog) {
  char folder[MAX_PATH] = {};
  SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
  return folder;
}

// The box's icon: the static child that shows one.
HICON IconOf(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      return reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    }
  }
  return nullptr;
}

int DefaultButtonOf(HWND dialog) {
  for (int button : {IDOK, IDCANCEL, IDYES, IDNO}) {
    HWND item = GetDlgItem(dialog, button);
    if (item && (GetWindowLongA(item, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return button;
  }
  return 0;
}

// The common controls are registered once, as the program does at start.
class CommonControls : public ::testing::Environment {
 public:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new CommonControls);

}  // namespace

MessageBoxScript::MessageBoxScript()
    : hook_(SetWindowsHookExA(WH_CBT, &Hook, nullptr, GetCurrentThreadId())) {
  activeScript = this;
}

MessageBoxScript::~MessageBoxScript() {
  UnhookWindowsHookEx(hook_);
  activeScript = nullptr;
}

LRESULT CALLBACK MessageBoxScript::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && activeScript) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (ClassNameOf(window) == "#32770") activeScript->OnActivate(window);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxScript::OnActivate(HWND dialog) {
  if (dialog == pending_) return;  // activated again before it was answered
  pending_ = dialog;
  // The box is inspected and answered once its modal loop runs, when it is
  // fully set up: a thread timer fires inside that loop.
  SetTimer(nullptr, 0, 1, &AnswerPending);
}

void CALLBACK MessageBoxScript::AnswerPending(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (activeScript && activeScript->pending_) activeScript->Answer(activeScript->pending_);
}

void MessageBoxScript::Answer(HWND dialog) {
  pending_ = nullptr;
  SeenMessageBox box;
  box.caption = WindowTextOf(dialog);
  box.text = WindowTextOf(GetDlgItem(dialog, kMessageBoxText));
  box.owner = GetWindow(dialog, GW_OWNER);
  box.ownerVisible = IsWindowVisible(box.owner) != FALSE;
  box.defaultButton = DefaultButtonOf(dialog);
  box.questionIcon = IconOf(dialog) == LoadIconA(nullptr, MAKEINTRESOURCEA(32514));
  HWND fileName = GetDlgItem(dialog, kFileNameField);
  if (fileName) {
    box.folder = FolderShownBy(dialog);
    HWND types = GetDlgItem(dialog, kFileTypeList);
    const LRESULT length = SendMessageA(types, CB_GETLBTEXTLEN, 0, 0);
    if (length != CB_ERR) {
      box.filter.resize(static_cast<std::size_t>(length) + 1);
      SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(box.filter.data()));
      box.filter.resize(static_cast<std::size_t>(length));
    }
  }
  seen_.push_back(box);
  ScriptedAnswer answer{IDCANCEL, {}};
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected message box \"" << box.caption << "\": " << box.text;
  } else {
    answer = answers_.front();
    answers_.pop_front();
  }
  if (fileName && !answer.file.empty()) {
    // As a user does: first into the file's folder, then the name, so that
    // the dialog ends in that folder.
    const std::size_t nameStart = answer.file.find_last_of('\\');
    if (nameStart != std::string::npos) {
      const std::string folder = answer.file.substr(0, nameStart + 1);
      SendMessageA(fileName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    }
    const std::string name = answer.file.substr(nameStart + 1);
    SendMessageA(fileName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer.button)));
}

void PumpMessages() {
  MSG message;
  for (int round = 0; round < 1000 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++round) {
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD limit) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limit) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    PumpMessages();
  }
  return true;
}

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

RECT ClientRectOf(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool HasStyle(HWND window, LONG style) {
  return (GetWindowLongA(window, GWL_STYLE) & style) == style;
}

HWND CreateWindowAnswering(MessageBoxScript& boxes, int answer) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  UnregisterClassA(std::string(kWindowClassName).c_str(), instance);
  RegisterMainWindowClass(instance);
  boxes.Answer(answer);
  HWND window = CreateMainWindow(instance);
  if (window) {
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
  }
  PumpMessages();
  return window;
}

void DestroyAndUnregister(HWND window) {
  if (IsWindow(window)) DestroyWindow(window);
  PumpMessages();  // also drops the quit message the destruction posted
  ReleaseDrawingObjects();
  ReleaseIcon();
  UnregisterClassA(std::string(kWindowClassName).c_str(), GetModuleHandleA(nullptr));
}

void MainWindowTest::SetUp() {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  startFolder_ = folder;
  window_ = CreateWindowAnswering(boxes_, IDYES);
  ASSERT_NE(window_, nullptr);
}

void MainWindowTest::TearDown() {
  DestroyAndUnregister(window_);
  // File dialogs move the current directory, where the next window finds
  // the tools.
  SetCurrentDirectoryA(startFolder_.c_str());
}

HWND MainWindowTest::Item(int id) { return Control(id); }

void MainWindowTest::Click(int id) {
  SendMessageA(App().mainWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(Item(id)));
}

std::string MainWindowTest::ClickForBox(int id, int answer) {
  const std::size_t before = boxes_.Seen().size();
  boxes_.Answer(answer);
  Click(id);
  if (boxes_.Seen().size() == before) {
    boxes_.DropUnusedAnswers();
    return "";
  }
  const SeenMessageBox& box = boxes_.Seen().back();
  return box.caption + "|" + box.text;
}

}  // namespace trellimux::test
