// The question every start asks before the window is first shown.
#pragma once

#include "model/MessageRequest.h"

namespace trellimux {

inline constexpr MessageRequest kAgreementPrompt{
    "Agreement / Vereinbarung",
    "Trellimux\r\n"
    "Always backup your data!\r\n"
    "Do you agree to use this program on your own risk?\r\n"
    "\r\n"
    "Trellimux\r\n"
    "Sichern sie immer ihre Daten!\r\n"
    "Sind sie einverstanden dieses Programm auf ihr Risiko zu benutzen?",
    MessageIcon::Question, MessageButtons::YesNo};

}  // namespace trellimux
