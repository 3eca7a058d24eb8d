#include "jobs/win/FrameCaption.h"

#include <string>

namespace trellimux {

void SetFrameCaption(HWND frame, std::string_view caption) {
  SetWindowTextA(frame, std::string(caption).c_str());
  HWND parent = GetParent(frame);
  RECT place;
  GetWindowRect(frame, &place);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  InvalidateRect(parent, &place, TRUE);
}

}  // namespace trellimux
