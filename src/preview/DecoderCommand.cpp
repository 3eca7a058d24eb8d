#include "preview/DecoderCommand.h"

#include <array>
#include <charconv>

#include "preview/FrameFit.h"
#include "text/CommandText.h"

namespace trellimux {
namespace {

// clang-format off
constexpr std::array<FrameCommandFact, 7> kFacts = {{
    {" -hide_banner -nostats -v info",
     "The frames' lines (showinfo) are printed at the info level; the banner and "
     "the progress line are left out. Standard input stays open: ffmpeg reads "
     "its console keys from it, from a pipe too (it peeks at the pipe and reads "
     "what waits there, about ten times a second while it works).",
     "fftools/ffmpeg.c (read_key, check_keyboard_interaction); measured with "
     "ffmpeg.exe 4.1 under Wine"},
    {" -filter_complex_script",
     "The graph is read from a file at the start, so the input's path needs no "
     "quoting for the command line; it is read as UTF-8, as the movie filter "
     "opens the path.",
     "ffmpeg documentation, Advanced options (-filter_complex_script)"},
    {" -map \"[preview]\" -vsync passthrough",
     "The graph's only output is written; every frame passes as it comes, none "
     "doubled or dropped, so the bitmaps and the frames' lines pair one to one.",
     "ffmpeg documentation, Advanced options (-map, -vsync passthrough)"},
    {" -pix_fmt bgr24 -f image2pipe -c:v bmp -",
     "One bitmap file per frame on standard output, as for the one-frame command.",
     "libavcodec/bmpenc.c"},
    {"movie=filename=",
     "The movie filter opens the input itself and, with a graph of no other "
     "inputs, reads it as long as the output takes frames. Its command \"seek "
     "-1|T|1\" seeks the input to the time stamp T in microseconds or the frame "
     "before it (flag 1: backward) and restarts the decoder. A line \"c\" then "
     "\"movie -1 seek -1|T|1\" on ffmpeg's standard input sends it at once; "
     "ffmpeg answers \"Command reply for stream 0: ret:0\" on standard error "
     "before any frame from the new place. In an MPEG-TS the seek lands where "
     "-ss does, so it too is aimed at just before a keyframe's decoding time.",
     "ffmpeg filters documentation, movie (Commands: seek); fftools/ffmpeg.c "
     "(check_keyboard_interaction); measured with ffmpeg.exe 4.1 and ffmpeg 5.1"},
    {",settb=AVTB",
     "The frames' time stamps count in microseconds, whatever the input's time "
     "base, so the printed \"pts:\" is exact (\"pts_time:\" has six significant "
     "digits only, a tenth of a second at a recording's usual start times).",
     "ffmpeg filters documentation, settb (AVTB); libavutil/timestamp.h"},
    {",showinfo",
     "Prints a line \"n: 0 pts:1480000 pts_time:1.48 ...\" for each frame as it "
     "passes, before that frame is written to the output.",
     "ffmpeg filters documentation, showinfo; measured with ffmpeg.exe 4.1"},
}};
// clang-format on

// clang-format off
constexpr std::array<FrameCommandFact, 4> kFedFacts = {{
    {" -hide_banner -nostats -v info -analyzeduration 100000 -f mpegts -i pipe:0",
     "The input is the transport stream the program writes to standard input; "
     "with an input read from there ffmpeg takes no console keys from it. What "
     "ffmpeg reads to learn the streams at its start it decodes before anything "
     "fed later: with the default 5 s that was 93 frames read over at the first "
     "seek, with a tenth of a second 9, as at any other. The "
     "demuxer finds the next packet's sync byte after a jump, and ffmpeg "
     "decodes on as many threads as the machine has cores (the movie filter "
     "opens its decoder with one): 5 ms a 1080i frame against 9 ms, on two "
     "cores.",
     "ffmpeg documentation, Main options (-threads: auto for decoders), "
     "Format options (analyzeduration); fftools/ffmpeg_opt.c; measured with "
     "ffmpeg.exe 4.1 under Wine"},
    {" -map 0:v:0 -copyts",
     "Only the first video stream; its time stamps stay the file's own across "
     "a jump, where ffmpeg would otherwise take the jump for a discontinuity "
     "and shift the times after it.",
     "ffmpeg documentation, Advanced options (-copyts); fftools/ffmpeg.c "
     "(process_input)"},
    {" -vf settb=AVTB,",
     "The frames of the movie decoder's graph: time stamps in microseconds, "
     "the picture's size, and showinfo's line for each frame.",
     "ffmpeg filters documentation, settb, scale, showinfo"},
    {" -vsync passthrough -pix_fmt bgr24 -f image2pipe -c:v bmp -",
     "Every frame written as it comes, one bitmap file each, as for the movie "
     "decoder; the image pipe muxer keeps no time stamps, so a jump back "
     "troubles it not.",
     "ffmpeg documentation, Advanced options (-vsync passthrough); "
     "libavformat/img2enc.c"},
}};
// clang-format on

constexpr std::string_view kOutputLabel = "[preview]";


// Each character of `special` (and the backslash) behind a backslash: how
// ffmpeg's token reader takes characters literally.
std::string BackslashEscaped(std::string_view text, std::string_view special) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\' || special.find(c) != std::string_view::npos) escaped += '\\';
    escaped += c;
  }
  return escaped;
}

std::int64_t NumberAfter(std::string_view line, std::string_view key, bool& found) {
  found = false;
  const std::size_t at = line.find(key);
  if (at == std::string_view::npos) return 0;
  std::size_t from = at + key.size();
  while (from < line.size() && line[from] == ' ') ++from;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(line.data() + from, line.data() + line.size(), value);
  found = error == std::errc() && end != line.data() + from;
  return value;
}

}  // namespace

std::span<const FrameCommandFact> DecoderCommandFacts() { return kFacts; }

std::string DecoderArguments(std::string_view graphScriptPath) {
  std::string arguments(kFacts[0].arguments);
  arguments += kFacts[1].arguments;
  AppendQuotedPath(arguments, graphScriptPath);
  arguments += kFacts[2].arguments;
  arguments += kFacts[3].arguments;
  return arguments;
}

std::span<const FrameCommandFact> FedDecoderCommandFacts() { return kFedFacts; }

std::string FedDecoderArguments(int width, int height) {
  std::string arguments(kFedFacts[0].arguments);
  arguments += kFedFacts[1].arguments;
  arguments += kFedFacts[2].arguments;
  arguments += PreviewScaleFilter(width, height);
  arguments += kFacts[6].arguments;  // showinfo, as in the movie decoder's graph
  arguments += kFedFacts[3].arguments;
  return arguments;
}

std::string FilterGraphValue(std::string_view text) {
  // The option parser ends a value at ':'; the graph parser ends a filter's
  // options at ',', ';' or a bracket. Both take quotes.
  return BackslashEscaped(BackslashEscaped(text, "':"), "'[],;");
}

std::string DecoderGraph(std::string_view inputPath, int width, int height) {
  std::string graph(kFacts[4].arguments);
  graph += FilterGraphValue(inputPath);
  graph += kFacts[5].arguments;
  graph += "," + PreviewScaleFilter(width, height);
  graph += kFacts[6].arguments;
  graph += kOutputLabel;
  return graph;
}

std::string DecoderSeekLine(std::int64_t microseconds) {
  return "cmovie -1 seek -1|" + std::to_string(microseconds) + "|1\n";
}

DecoderLine ParseDecoderLine(std::string_view line) {
  DecoderLine parsed;
  bool found = false;
  if (line.find("Command reply for stream") != std::string_view::npos) {
    const std::int64_t result = NumberAfter(line, "ret:", found);
    parsed.kind = found && result >= 0 ? DecoderLine::Kind::SeekDone
                                       : DecoderLine::Kind::SeekFailed;
    return parsed;
  }
  if (line.find("showinfo") == std::string_view::npos ||
      line.find(" pts_time:") == std::string_view::npos) {
    return parsed;
  }
  parsed.kind = DecoderLine::Kind::Frame;
  parsed.microseconds = NumberAfter(line, " pts:", found);
  parsed.hasTime = found;
  // ffmpeg prints the picture type and, apart, whether it is a keyframe;
  // either marks a frame that a walk may begin with.
  parsed.intra = line.find(" type:I") != std::string_view::npos ||
                 line.find(" iskey:1") != std::string_view::npos;
  return parsed;
}

}  // namespace trellimux
