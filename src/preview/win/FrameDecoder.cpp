#include "preview/win/FrameDecoder.h"

#include "process/win/WholeFile.h"

namespace trellimux {

bool FrameDecoder::Start(const std::string& toolDirectory, const std::string& graphScriptPath,
                         const std::string& inputPath, std::int64_t inputStartUs, int width,
                         int height) {
  Serve(inputPath, inputStartUs, width, height);
  if (WriteWholeFile(graphScriptPath, DecoderGraph(inputPath, width, height)) != 0 ||
      !child_.Start(toolDirectory, DecoderArguments(graphScriptPath))) {
    return false;
  }
  return true;
}

bool FrameDecoder::Seek(const SeekAim& aim) {
  // ffmpeg drops a command silently until its graph is set up, which it is
  // once the first frame came; one seek at a time, or each waits for the
  // next look at the input (a tenth of a second).
  while (!framesCame_ || seeksOwed_ > 0) {
    if (!Next()) return false;
  }
  decodedUs_.reset();
  if (!child_.WriteInput(DecoderSeekLine(aim.microseconds), false)) return false;
  ++seeksOwed_;
  return true;
}

std::optional<PreviewDecoder::Frame> FrameDecoder::Next() {
  std::optional<std::string> bitmap = child_.NextBitmap();
  if (!bitmap) return std::nullopt;
  framesCame_ = true;
  for (;;) {
    const std::optional<DecoderLine> line = child_.NextLine();
    if (!line || line->kind == DecoderLine::Kind::SeekFailed) return std::nullopt;
    if (line->kind == DecoderLine::Kind::SeekDone) {
      if (seeksOwed_ > 0) --seeksOwed_;
      continue;
    }
    Frame frame{std::move(*bitmap), std::nullopt, seeksOwed_ == 0, line->intra};
    if (line->hasTime) frame.microseconds = line->microseconds;
    if (frame.current) decodedUs_ = frame.microseconds;
    return frame;
  }
}

}  // namespace trellimux
