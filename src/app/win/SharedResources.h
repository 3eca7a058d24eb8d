// The drawing objects and paths that the window prepares once and every
// part of the program reads afterwards (also the job's worker thread).
#pragma once

#include <windows.h>

#include <string>

namespace trellimux {

struct SharedResources {
  HICON icon = nullptr;
  HBITMAP backgroundBitmap = nullptr;
  HBRUSH backgroundBrush = nullptr;  // also the window class background
  HFONT guiFont = nullptr;
  HFONT systemFont = nullptr;
  HFONT titleFont = nullptr;
  HFONT startFont = nullptr;
  HBITMAP panelBitmap = nullptr;  // tiled behind the list views
  HBRUSH panelBrush = nullptr;
  HBITMAP titleBitmap = nullptr;
  HBRUSH titleBrush = nullptr;
  std::string programPath;
  std::string startDirectory;  // the current directory at start, no trailing backslash
  std::string tempDir;         // startDirectory + "\Temp"
};

const SharedResources& Resources();

// Before the window class is registered: the icon and the background brush.
void LoadClassResources(HINSTANCE instance);

// At window creation: fonts, the other two brushes, the paths, and the
// Temp folder (a failure, mostly "exists already", is ignored).
void PrepareWindowResources(HINSTANCE instance);

// Deletes the fonts, bitmaps and brushes (the stock fonts ignore it).
void ReleaseDrawingObjects();

// The fonts made again at the current scale (the window moved to a screen
// of another DPI). The ones before stay the caller's: they are deleted once
// every control holds the new ones.
void MakeFonts();

// At the very end of the program.
void ReleaseIcon();

}  // namespace trellimux
