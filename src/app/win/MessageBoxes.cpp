#include "app/win/MessageBoxes.h"

#include <string>

namespace trellimux {
namespace {

UINT IconFlag(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return MB_ICONINFORMATION;
    case MessageIcon::Warning:
      return MB_ICONEXCLAMATION;
    case MessageIcon::Error:
      return MB_ICONERROR;
    case MessageIcon::Question:
      return MB_ICONQUESTION;
  }
  return 0;
}

}  // namespace

MessageAnswer ShowMessage(HWND owner, const MessageRequest& request) {
  UINT flags = IconFlag(request.icon);
  if (request.buttons == MessageButtons::YesNo) flags |= MB_YESNO | MB_DEFBUTTON2;
  if (request.buttons == MessageButtons::YesNoCancel) flags |= MB_YESNOCANCEL | MB_DEFBUTTON3;
  switch (MessageBoxA(owner, std::string(request.text).c_str(),
                      std::string(request.caption).c_str(), flags)) {
    case IDOK:
      return MessageAnswer::Ok;
    case IDYES:
      return MessageAnswer::Yes;
    case IDNO:
      return MessageAnswer::No;
    default:
      return MessageAnswer::Closed;
  }
}

}  // namespace trellimux
