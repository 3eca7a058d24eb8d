// The Trim preview's decoder: one ffmpeg child that keeps the input open and
// decodes from wherever it is told to seek, so that a slider move costs only
// the frames decoded, not a child's start (half a second under Wine) nor the
// input's opening. It prints a bitmap for every frame it decodes on its
// standard output and the frame's time stamp on its standard error; the
// program reads only as far as it needs, and the full output pipe then holds
// the child still.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "preview/FrameRequest.h"

namespace trellimux {

// " -hide_banner -nostats -v info -filter_complex_script "<script>" -map
// "[preview]" -vsync passthrough -pix_fmt bgr24 -f image2pipe -c:v bmp -":
// the filter graph is read from `graphScriptPath` (see DecoderGraph).
std::string DecoderArguments(std::string_view graphScriptPath);

// The facts of that command and of its graph, in their order.
std::span<const FrameCommandFact> DecoderCommandFacts();

// "movie=filename=<input>,settb=AVTB,scale=W:H,showinfo[preview]": the
// input's first video stream, time stamps in microseconds, scaled to
// `width` x `height`, each frame's time stamp printed.
std::string DecoderGraph(std::string_view inputPath, int width, int height);

// The decoder for a plain MPEG-TS, which the program feeds itself: ffmpeg
// reads the transport stream from its standard input, decodes on as many
// threads as the machine has cores (the movie filter's decoder has one),
// and makes the same frames and lines as DecoderGraph's. A seek is then the
// program's: it feeds on from a keyframe's packet, and the first frame with
// that keyframe's time stamp is the first from there.
// " -hide_banner -nostats -v info -f mpegts -i pipe:0 -map 0:v:0 -copyts
// -vf settb=AVTB,scale=W:H,showinfo -vsync passthrough -pix_fmt bgr24 -f
// image2pipe -c:v bmp -".
std::string FedDecoderArguments(int width, int height);

// The facts of that command, in their order.
std::span<const FrameCommandFact> FedDecoderCommandFacts();

// A text as the value of a filter's option inside a filter graph: escaped
// for the option parser, then that for the graph parser.
std::string FilterGraphValue(std::string_view text);

// The line that makes the decoder seek to the last frame it can land on at
// or before `microseconds` (the file's own time stamps): "cmovie -1 seek
// -1|<microseconds>|1" and a line end.
std::string DecoderSeekLine(std::int64_t microseconds);

// What one line of the decoder's standard error tells.
struct DecoderLine {
  enum class Kind {
    Other,
    Frame,       // a frame went to the output; its time stamp, when it has one
    SeekDone,    // a seek line was carried out: the frames after this come from there
    SeekFailed,  // a seek line was taken but failed: the frames go on from where they were
  };
  Kind kind = Kind::Other;
  bool hasTime = false;
  std::int64_t microseconds = 0;
  bool intra = false;  // a frame decoded from itself alone ("type:I" or "iskey:1")
};
DecoderLine ParseDecoderLine(std::string_view line);

}  // namespace trellimux
