#include "app/win/TrimPreview.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/ControlTable.h"
#include "app/win/AppState.h"
#include "app/win/CutTimeFields.h"
#include "app/win/SharedResources.h"
#include "app/win/WideText.h"
#include "jobs/JobKind.h"
#include "preview/BmpImage.h"
#include "preview/FrameFit.h"
#include "preview/PreviewSource.h"
#include "preview/win/FrameMaker.h"
#include "trim/CutTime.h"
#include "trim/TrimChoices.h"

namespace trellimux {
namespace {

constexpr UINT_PTR kSubclassId = 0x5600;
constexpr UINT kUseAsStart = 1;
constexpr UINT kUseAsEnd = 2;
constexpr UINT kPreviousKeyframe = 3;
constexpr UINT kNextKeyframe = 4;

struct ShownFrame {
  std::string bitmap;  // the file; `image` points into it
  BmpImage image;
  std::int64_t timeMs = 0;
  int position = 0;
  bool keyframe = false;
  std::optional<std::int64_t> copyFromMs;
};

struct Preview {
  std::unique_ptr<FrameMaker> maker;
  std::optional<PreviewSource> source;
  std::string inputPath;
  FrameBox box;
  std::optional<ShownFrame> shown;
  unsigned serial = 0;
  unsigned input = 0;  // counts the probed inputs
  int orderedPosition = -1;
  int orderedMode = kNoCutMode;          // the cut mode the order was made for
  bool orderedStep = false;              // a keyframe move: the slider follows the frame
  std::vector<std::int64_t> keyframeMs;  // listed so far, in order
  bool keyframeMarks = false;            // the slider's ticks show them
};

Preview& State() {
  static Preview preview;
  return preview;
}

HWND Picture() { return Control(kTrimPlaceholder); }
HWND Slider() { return Control(kTrimTrackbar); }

int CutMode() { return ListSelection(kTrimCutModeList).value_or(kNoCutMode); }
bool CopyMode() { return CutMode() == kCopyCut; }

int SliderPosition() { return static_cast<int>(SendMessageA(Slider(), TBM_GETPOS, 0, 0)); }

// The time the cut fields take: the picture's when it shows the slider's
// position in the current mode, else the slider's own.
std::int64_t TimeToTake() {
  const Preview& preview = State();
  const int position = SliderPosition();
  if (preview.shown && preview.shown->position == position && preview.shown->keyframe == CopyMode())
    return preview.shown->timeMs;
  return FrameTimeOfPosition(position, *preview.source);
}

void TakeTime(CutEnd end) {
  if (!State().source) return;
  LoadCutTime(end, MillisecondsAsCutTime(TimeToTake()));
}

// `keyframeStep` -1 or +1: the keyframe before or after the position.
void Order(int position, int keyframeStep = 0) {
  Preview& preview = State();
  if (!preview.source) return;
  if (!preview.maker)
    preview.maker = std::make_unique<FrameMaker>(App().mainWindow, Resources().startDirectory);
  preview.orderedPosition = position;
  preview.orderedMode = CutMode();
  preview.orderedStep = keyframeStep != 0;
  FrameOrder order;
  order.serial = ++preview.serial;
  order.input = preview.input;
  order.inputPath = preview.inputPath;
  order.positionMs = FrameTimeOfPosition(position, *preview.source);
  order.keyframe = CopyMode();
  order.copyResumes = CutMode() == kSmartCopyCut;
  order.keyframeStep = keyframeStep;
  order.startMicroseconds = preview.source->startMicroseconds;
  order.durationMs = preview.source->durationMs;
  order.width = preview.box.width;
  order.height = preview.box.height;
  order.coding = preview.source->coding;
  order.videoPid = preview.source->streamId;
  preview.maker->Order(std::move(order));
}

// Shows the keyframe before or after the frame shown (or the slider's
// position); the slider follows once the frame is there.
void StepToKeyframe(int step) {
  const Preview& preview = State();
  const int kind = App().jobKind;
  if (!preview.source || kind == kTrimJob || kind == kTrimProbeJob) return;
  const bool onShown = preview.shown && preview.shown->position == SliderPosition();
  Order(onShown ? static_cast<int>(preview.shown->timeMs) : SliderPosition(), step);
}

void PaintFrame(HWND picture, const ShownFrame& frame) {
  PAINTSTRUCT paint;
  HDC context = BeginPaint(picture, &paint);
  RECT client;
  GetClientRect(picture, &client);
  FillRect(context, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const FrameBox& box = State().box;
  const BmpImage& image = frame.image;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = image.bottomUp ? image.height : -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(image.bitsPerPixel);
  info.bmiHeader.biCompression = BI_RGB;
  SetStretchBltMode(context, HALFTONE);
  StretchDIBits(context, box.x, box.y, box.width, box.height, 0, 0, image.width, image.height,
                image.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  // The time in a black band along the picture's bottom edge, drawn from
  // its UTF-16 text: GDI's 8-bit calls read "·" in the old code page under
  // Wine (measured: "Â·").
  const std::wstring text =
      WideText(PreviewTimeText(frame.timeMs, frame.keyframe, frame.copyFromMs));
  HGDIOBJ oldFont = SelectObject(context, Resources().systemFont);
  SIZE size{};
  GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &size);
  RECT band{box.x + (box.width - size.cx) / 2 - 6, box.y + box.height - size.cy - 6,
            box.x + (box.width + size.cx) / 2 + 6, box.y + box.height};
  FillRect(context, &band, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetBkMode(context, TRANSPARENT);
  SetTextColor(context, frame.keyframe ? RGB(255, 255, 0) : RGB(255, 255, 255));
  DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &band,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(context, oldFont);
  EndPaint(picture, &paint);
}

void ShowCutMenu(HWND picture, LPARAM where) {
  POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (where == -1) {  // from the keyboard: the picture's centre
    RECT place;
    GetWindowRect(picture, &place);
    point = {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, kUseAsStart, "Use as cut start");
  AppendMenuA(menu, MF_STRING, kUseAsEnd, "Use as cut end");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kPreviousKeyframe, "Previous keyframe\tCtrl+Left");
  AppendMenuA(menu, MF_STRING, kNextKeyframe, "Next keyframe\tCtrl+Right");
  const UINT chosen =
      static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                       point.x, point.y, 0, App().mainWindow, nullptr));
  DestroyMenu(menu);
  if (chosen == kUseAsStart) TakeTime(CutEnd::In);
  if (chosen == kUseAsEnd) TakeTime(CutEnd::Out);
  if (chosen == kPreviousKeyframe) StepToKeyframe(-1);
  if (chosen == kNextKeyframe) StepToKeyframe(+1);
}

LRESULT CALLBACK PictureProcedure(HWND picture, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR, DWORD_PTR) {
  const std::optional<ShownFrame>& shown = State().shown;
  switch (message) {
    case WM_PAINT:
      if (!shown) break;
      PaintFrame(picture, *shown);
      return 0;
    case WM_SETTEXT:
      // The static would draw the new text over the picture at once.
      if (!shown) break;
      // The text arrives in the window's own character set.
      (IsWindowUnicode(picture) ? DefWindowProcW : DefWindowProcA)(picture, message, wParam,
                                                                   lParam);
      InvalidateRect(picture, nullptr, FALSE);
      return TRUE;
    case WM_NCHITTEST:
      if (shown) return HTCLIENT;  // a plain static lets the mouse through
      break;
    case WM_CONTEXTMENU:
      if (!shown) break;
      ShowCutMenu(picture, lParam);
      return 0;
  }
  return DefSubclassProc(picture, message, wParam, lParam);
}

LRESULT CALLBACK SliderProcedure(HWND slider, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
  if (message == WM_KEYDOWN && (wParam == 'I' || wParam == 'O')) {
    TakeTime(wParam == 'I' ? CutEnd::In : CutEnd::Out);
    return 0;
  }
  if (message == WM_CHAR && (wParam == 'i' || wParam == 'I' || wParam == 'o' || wParam == 'O'))
    return 0;
  // Ctrl+Left and Ctrl+Right go from keyframe to keyframe, where the copy
  // of a cut may begin.
  if (message == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_RIGHT) &&
      (GetKeyState(VK_CONTROL) & 0x8000)) {
    StepToKeyframe(wParam == VK_LEFT ? -1 : +1);
    return 0;
  }
  return DefSubclassProc(slider, message, wParam, lParam);
}

// The slider's ticks: in the copying modes the keyframes listed so far,
// where a copy may begin (SliderKeyframeMarks); else the designed ten
// steps.
void ShowSliderMarks() {
  Preview& preview = State();
  if (!preview.source) return;
  const bool marks = CopiesCuts(CutMode()) && !preview.keyframeMs.empty();
  if (!marks && !preview.keyframeMarks) return;
  SendMessageA(Slider(), TBM_CLEARTICS, FALSE, 0);
  if (marks) {
    RECT client{};
    GetClientRect(Slider(), &client);
    for (const std::int64_t ms : SliderKeyframeMarks(
             preview.keyframeMs, SliderStepsFor(*preview.source).last, client.right))
      SendMessageA(Slider(), TBM_SETTIC, 0, static_cast<LPARAM>(ms));
  } else {
    SendMessageA(Slider(), TBM_SETTICFREQ, std::max(1, SliderStepsFor(*preview.source).last / 10),
                 0);
  }
  preview.keyframeMarks = marks;
  InvalidateRect(Slider(), nullptr, TRUE);
}

// Back to the page as it was designed, before any input: range 0-100.
void ShowNoPreview() {
  Preview& preview = State();
  if (preview.maker) preview.maker->Cancel();
  preview.source.reset();
  preview.shown.reset();
  preview.orderedPosition = -1;
  preview.keyframeMs.clear();
  preview.keyframeMarks = false;
  SetWindowTextA(Picture(), std::string(FindControl(kTrimPlaceholder)->caption).c_str());
  InvalidateRect(Picture(), nullptr, TRUE);
  EnableWindow(Picture(), FALSE);
  SendMessageA(Slider(), TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
  SendMessageA(Slider(), TBM_SETTICFREQ, 1, 0);
  SendMessageA(Slider(), TBM_SETLINESIZE, 0, 1);
  SendMessageA(Slider(), TBM_SETPAGESIZE, 0, 1);
  SendMessageA(Slider(), TBM_SETPOS, TRUE, 0);
  EnableWindow(Slider(), FALSE);
}

}  // namespace

void InstallTrimPreview() {
  SetWindowSubclass(Picture(), &PictureProcedure, kSubclassId, 0);
  SetWindowSubclass(Slider(), &SliderProcedure, kSubclassId, 0);
}

void ResetTrimPreview() { ShowNoPreview(); }

void StartTrimPreview(std::string_view report, const std::string& inputPath) {
  ShowNoPreview();
  Preview& preview = State();
  preview.source = PreviewSourceOf(report);
  if (!preview.source) return;
  preview.inputPath = inputPath;
  ++preview.input;
  RECT client;
  GetClientRect(Picture(), &client);
  const PreviewSource& source = *preview.source;
  preview.box = FitFrame(
      DisplayAspect(source.width, source.height, source.sampleAspect, source.displayAspect),
      client.right, client.bottom);
  const SliderSteps steps = SliderStepsFor(source);
  SendMessageA(Slider(), TBM_SETRANGEMIN, FALSE, 0);
  SendMessageA(Slider(), TBM_SETRANGEMAX, FALSE, steps.last);
  SendMessageA(Slider(), TBM_SETTICFREQ, std::max(1, steps.last / 10), 0);
  SendMessageA(Slider(), TBM_SETLINESIZE, 0, steps.line);
  SendMessageA(Slider(), TBM_SETPAGESIZE, 0, steps.page);
  SendMessageA(Slider(), TBM_SETPOS, TRUE, 0);
  EnableWindow(Slider(), TRUE);
  EnableWindow(Picture(), TRUE);
  Order(0);
}

void PauseTrimPreview() {
  Preview& preview = State();
  if (preview.maker) preview.maker->Cancel();
  preview.orderedPosition = -1;
}

void OnTrimSlider() {
  Preview& preview = State();
  const int kind = App().jobKind;
  if (!preview.source || kind == kTrimJob || kind == kTrimProbeJob) return;
  const int position = SliderPosition();
  if (position == preview.orderedPosition && preview.orderedMode == CutMode()) return;
  Order(position);
}

void RefreshTrimPreview() {
  ShowSliderMarks();
  OnTrimSlider();
}

void OnPreviewKeyframes() {
  Preview& preview = State();
  if (!preview.maker || !preview.source) return;
  std::vector<std::int64_t> listed = preview.maker->TakeListedKeyframes(preview.input);
  if (listed.empty()) return;
  std::vector<std::int64_t>& known = preview.keyframeMs;
  known.insert(known.end(), listed.begin(), listed.end());
  std::sort(known.begin(), known.end());
  known.erase(std::unique(known.begin(), known.end()), known.end());
  ShowSliderMarks();
}

void OnPreviewFrame(WPARAM serial) {
  Preview& preview = State();
  if (!preview.maker) return;
  std::optional<MadeFrame> made = preview.maker->Take(static_cast<unsigned>(serial));
  if (!made) return;
  if (!ParseBmp(made->bitmap)) return;  // no picture at that time: the last one stays
  ShownFrame& frame = preview.shown.emplace();
  frame.bitmap = std::move(made->bitmap);
  frame.image = *ParseBmp(frame.bitmap);  // points into the string kept here
  frame.timeMs = made->timeMs;
  frame.keyframe = made->keyframe;
  frame.copyFromMs = made->copyFromMs;
  if (preview.orderedStep) {  // the slider goes where the keyframe is
    preview.orderedPosition = static_cast<int>(made->timeMs);
    preview.orderedStep = false;
    SendMessageA(Slider(), TBM_SETPOS, TRUE, preview.orderedPosition);
  }
  frame.position = preview.orderedPosition;
  // The text names what the picture shows, for readers of the window too.
  SetWindowTextA(Picture(),
                 PreviewTimeText(frame.timeMs, frame.keyframe, frame.copyFromMs).c_str());
  InvalidateRect(Picture(), nullptr, FALSE);
}

std::optional<std::string> ShownPreviewTime() {
  const std::optional<ShownFrame>& shown = State().shown;
  if (!shown) return std::nullopt;
  return PreviewTimeText(shown->timeMs, shown->keyframe, shown->copyFromMs);
}

void StopTrimPreview() {
  State().maker.reset();
  State().shown.reset();
  State().source.reset();
}

}  // namespace trellimux
