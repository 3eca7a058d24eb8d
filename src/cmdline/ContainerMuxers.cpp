#include "cmdline/ContainerMuxers.h"

#include "text/AsciiText.h"

namespace trellimux {
namespace {

struct ContainerMuxer {
  std::string_view extension;
  std::string_view muxer;
};

// From the "Common extensions" of `ffmpeg -h muxer=NAME` (ffmpeg 5.1; the
// same muxers and extensions in 4.1): the muxer ffmpeg chooses for each.
constexpr ContainerMuxer kMuxers[] = {
    {".3gp", "3gp"},   {".aac", "adts"}, {".ac3", "ac3"},   {".avi", "avi"},      {".dv", "dv"},
    {".flac", "flac"}, {".flv", "flv"},  {".hevc", "hevc"}, {".mkv", "matroska"}, {".mp2", "mp2"},
    {".mp3", "mp3"},   {".mp4", "mp4"},  {".mpeg", "mpeg"}, {".mpg", "mpeg"},     {".mov", "mov"},
    {".ts", "mpegts"}, {".vob", "vob"},  {".wav", "wav"},   {".webm", "webm"},    {".wma", "asf"},
    {".wmv", "asf"},
};

}  // namespace

std::string_view MuxerOfExtension(std::string_view extension) {
  for (const ContainerMuxer& entry : kMuxers)
    if (EqualsIgnoringCase(entry.extension, extension)) return entry.muxer;
  return {};
}

}  // namespace trellimux
