#include "app/win/WindowScaling.h"

#include "app/ProgramIdentity.h"
#include "app/WindowScale.h"

namespace trellimux {
namespace {

double currentScale = 1;

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

WindowLayout ChooseWindowLayout() {
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const ScreenRect area{work.left, work.top, work.right - work.left, work.bottom - work.top};
  WindowLayout layout;
  layout.scale = WindowScale(ScreenDpi(), area.width, area.height);
  const int width = Scaled(kWindowWidth, layout.scale);
  const int height = Scaled(kWindowHeight, layout.scale);
  const ScreenPoint corner = CentredIn(area, width, height);
  layout.frame = {corner.x, corner.y, width, height};
  return layout;
}

double CurrentScale() { return currentScale; }
void SetCurrentScale(double scale) { currentScale = scale; }

HFONT ScaledStockFont(HFONT font) {
  const int dpi = ScreenDpi();
  if (currentScale == 1 && dpi == 96) return font;
  LOGFONTA shape{};
  if (!GetObjectA(font, sizeof shape, &shape)) return font;
  // The stock font's height is made for the screen's DPI, the design's for
  // 96. Its width is not: the System font is 16 high and 7 wide at 96 DPI,
  // 32 high and still 7 wide at 192 (Wine), which draws it squeezed. Both
  // are scaled from the design's.
  const int designHeight = MulDiv(shape.lfHeight, 96, dpi);
  shape.lfHeight = Scaled(designHeight, currentScale);
  shape.lfWidth = Scaled(shape.lfWidth, currentScale);
  HFONT scaled = CreateFontIndirectA(&shape);
  return scaled ? scaled : font;
}

}  // namespace trellimux
