// The note a start shows, after the agreement, when FFmpeg's programs are
// not beside Trellimux: the release cannot bring them.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "model/MessageRequest.h"
#include "process/ToolInvocation.h"

namespace trellimux {

inline constexpr std::string_view kMissingToolsCaption = " Note";

// Which are missing and where they belong, and the question whether to
// open the download page (Yes opens it, as "Download FFmpeg" does).
std::string MissingToolsNoteText(std::span<const FfmpegTool> missing, std::string_view folder);

inline MessageRequest MissingToolsNote(std::string_view text) {
  return {kMissingToolsCaption, text, MessageIcon::Warning, MessageButtons::YesNo};
}

}  // namespace trellimux
