#include "app/MissingToolsNote.h"

namespace trellimux {

std::string MissingToolsNoteText(std::span<const FfmpegTool> missing, std::string_view folder) {
  return MissingToolsText(missing, folder) + "\r\n\r\nOpen the download page now?";
}

}  // namespace trellimux
