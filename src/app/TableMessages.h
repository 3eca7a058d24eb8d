// The message boxes that the stream tables and the easy-mode lists raise.
#pragma once

#include "model/MessageRequest.h"

namespace trellimux {

inline constexpr MessageRequest kResetColumnsQuestion{
    " Confirmation", "Reset columns sequence to the default view?", MessageIcon::Question,
    MessageButtons::YesNo};

// Shown once per run, at the first choice of Quality, MaxBitrate or Bufsize.
inline constexpr MessageRequest kBufsizeNote{
    " Note",
    "Attention please, this Message will be only displayed once!\r\n"
    "\r\n"
    "If you select a Bufsize you must also specify Maxrate, otherwise converting will fail!\r\n"
    "It is recommended to set the Bufsize to 20% of Maxrate.\r\n"
    "Example: If Maxrate 9000k is selected, the Bufsize should be 1800k.\r\n"
    "\r\n"
    "If the output container is mpg and a target, i.e. pal-dvd, is specified Maxrate and "
    "Bufsize are reseted.\r\n"
    "In that case FFmpeg will choose the correct values automaticly.\r\n"
    "\r\n"
    "There is also a correlation between Maxrate and Quality.\r\n"
    "If Maxrate is too low the Quality will be decreased by FFmpeg!",
    MessageIcon::Information, MessageButtons::Ok};

}  // namespace trellimux
