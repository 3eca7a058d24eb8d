#include "app/win/SharedResources.h"

#include "ResourceIds.h"
#include "app/WindowScale.h"
#include "app/win/WindowScaling.h"

namespace trellimux {
namespace {

SharedResources& Writable() {
  static SharedResources resources;
  return resources;
}

HFONT CreateArialFont(int height, int width, int weight) {
  return CreateFontA(height, width, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, "Arial");
}

std::string ModulePath() {
  char path[1024] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
}

// Without a trailing backslash, which the platform gives only for a drive's
// root ("C:\"): "C:" followed by "\Temp" still names the right folder.
std::string CurrentDirectory() {
  char path[1024] = {};
  GetCurrentDirectoryA(sizeof path, path);
  std::string directory = path;
  if (!directory.empty() && directory.back() == '\\') directory.pop_back();
  return directory;
}

template <typename Handle>
void Delete(Handle& handle) {
  if (handle) DeleteObject(handle);
  handle = nullptr;
}

void ReleaseFonts() {
  SharedResources& resources = Writable();
  Delete(resources.guiFont);
  Delete(resources.systemFont);
  Delete(resources.titleFont);
  Delete(resources.startFont);
}

}  // namespace

const SharedResources& Resources() { return Writable(); }

void LoadClassResources(HINSTANCE instance) {
  SharedResources& resources = Writable();
  resources.icon = LoadIconA(instance, MAKEINTRESOURCEA(TRELLIMUX_ICON));
  resources.backgroundBitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(TRELLIMUX_BACKGROUND_BITMAP));
  resources.backgroundBrush = CreatePatternBrush(resources.backgroundBitmap);
}

void MakeFonts() {
  SharedResources& resources = Writable();
  const double scale = CurrentScale();
  resources.guiFont = ScaledStockFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  resources.systemFont = ScaledStockFont(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  resources.titleFont = CreateArialFont(Scaled(32, scale), Scaled(16, scale), 500);
  // Thinner than the thinnest named weight.
  resources.startFont = CreateArialFont(Scaled(22, scale), Scaled(11, scale), 80);
}

void PrepareWindowResources(HINSTANCE instance) {
  SharedResources& resources = Writable();
  MakeFonts();
  resources.panelBitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(TRELLIMUX_PANEL_BITMAP));
  resources.panelBrush = CreatePatternBrush(resources.panelBitmap);
  resources.titleBitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(TRELLIMUX_TITLE_BITMAP));
  resources.titleBrush = CreatePatternBrush(resources.titleBitmap);
  resources.programPath = ModulePath();
  resources.startDirectory = CurrentDirectory();
  resources.tempDir = resources.startDirectory + "\\Temp";
  CreateDirectoryA(resources.tempDir.c_str(), nullptr);
}

void ReleaseDrawingObjects() {
  SharedResources& resources = Writable();
  ReleaseFonts();
  Delete(resources.backgroundBrush);
  Delete(resources.backgroundBitmap);
  Delete(resources.panelBrush);
  Delete(resources.panelBitmap);
  Delete(resources.titleBrush);
  Delete(resources.titleBitmap);
}

void ReleaseIcon() {
  SharedResources& resources = Writable();
  if (resources.icon) DestroyIcon(resources.icon);
  resources.icon = nullptr;
}

}  // namespace trellimux
