#include "app/win/PreviewDriving.h"

#include <commctrl.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <functional>
#include <string>

#include "app/ControlIds.h"

namespace trellimux::test {
namespace {

bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kStepTimeoutMs,
                             &result) != 0;
}

}  // namespace

bool MoveSlider(ProgramDriver& program, int position, bool dragging) {
  HWND slider = program.Control(kTrimTrackbar);
  HWND window = program.MainWindow();
  if (!slider || !window || !SendWithin(slider, TBM_SETPOS, TRUE, position)) return false;
  const LPARAM from = reinterpret_cast<LPARAM>(slider);
  if (dragging) return SendWithin(window, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), from);
  return SendWithin(window, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), from) &&
         SendWithin(window, WM_HSCROLL, TB_ENDTRACK, from);
}

std::string ShownTime(ProgramDriver& program) { return program.Text(kTrimPlaceholder); }

bool WaitForShownTime(ProgramDriver& program, const std::string& text, DWORD timeoutMs) {
  return PollUntil(
      timeoutMs, [&] { return ShownTime(program) == text; }, 5);
}

std::optional<COLORREF> PictureCentreColour(ProgramDriver& program) {
  HWND picture = program.Control(kTrimPlaceholder);
  RECT place{};
  if (!picture || !GetWindowRect(picture, &place)) return std::nullopt;
  HDC screen = GetDC(nullptr);
  const COLORREF colour =
      GetPixel(screen, (place.left + place.right) / 2, (place.top + place.bottom) / 2);
  ReleaseDC(nullptr, screen);
  if (colour == CLR_INVALID) return std::nullopt;
  return colour;
}

bool PressSliderKey(ProgramDriver& program, char key) {
  HWND slider = program.Control(kTrimTrackbar);
  return slider && SendWithin(slider, WM_KEYDOWN, static_cast<WPARAM>(key), 1) &&
         SendWithin(slider, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
}

int SliderEnd(ProgramDriver& program) {
  HWND slider = program.Control(kTrimTrackbar);
  DWORD_PTR end = 0;
  if (!slider ||
      !SendMessageTimeoutA(slider, TBM_GETRANGEMAX, 0, 0, SMTO_NORMAL, kStepTimeoutMs, &end))
    return -1;
  return static_cast<int>(end);
}

namespace {

// The command line a process was started with, read from its process
// parameters; empty when they cannot be read.
std::wstring CommandLineOf(DWORD processId) {
  using QueryProcess = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!query || !process) {
    if (process) CloseHandle(process);
    return {};
  }
  std::wstring text;
  PROCESS_BASIC_INFORMATION basic{};
  PEB peb{};
  RTL_USER_PROCESS_PARAMETERS parameters{};
  if (query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) == 0 &&
      ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) &&
      ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, nullptr)) {
    text.resize(parameters.CommandLine.Length / sizeof(wchar_t));
    if (!ReadProcessMemory(process, parameters.CommandLine.Buffer, text.data(),
                           parameters.CommandLine.Length, nullptr))
      text.clear();
  }
  CloseHandle(process);
  return text;
}

// The children of `parent` with one of these file names for which `counts`
// holds; -1 when the processes cannot be listed.
int CountChildren(DWORD parent, std::initializer_list<const char*> names,
                  const std::function<bool(DWORD)>& counts) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  int count = 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ParentProcessID != parent) continue;
    for (const char* name : names)
      if (lstrcmpiA(entry.szExeFile, name) == 0 && counts(entry.th32ProcessID)) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

// What only the preview's decoders' commands hold: the movie decoder's
// graph output, the stream the fed decoder reads from the program.
constexpr const wchar_t* kMovieDecoderMark = L"-map \"[preview]\"";
constexpr const wchar_t* kFedDecoderMark = L"-i pipe:0 -map 0:v:0";

}  // namespace

int RunningJobChildren(DWORD parent) {
  return CountChildren(parent, {"ffmpeg.exe", "ffprobe.exe"}, [](DWORD child) {
    const std::wstring commandLine = CommandLineOf(child);
    return commandLine.empty() || (commandLine.find(kMovieDecoderMark) == std::wstring::npos &&
                                   commandLine.find(kFedDecoderMark) == std::wstring::npos);
  });
}

int RunningFedDecoders(DWORD parent) {
  return CountChildren(parent, {"ffmpeg.exe"}, [](DWORD child) {
    return CommandLineOf(child).find(kFedDecoderMark) != std::wstring::npos;
  });
}

int RunningChildren(DWORD parent, std::initializer_list<const char*> names) {
  return CountChildren(parent, names, [](DWORD) { return true; });
}

int RunningFrameChildren(DWORD parent) { return RunningChildren(parent, {"ffmpeg.exe"}); }

}  // namespace trellimux::test
