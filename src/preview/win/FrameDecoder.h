// The Trim preview's movie decoder child (see preview/DecoderCommand.h):
// started for one input and picture size, told where to seek through its
// standard input, read one frame at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "preview/win/DecoderChild.h"
#include "preview/win/PreviewDecoder.h"

namespace trellimux {

class FrameDecoder final : public PreviewDecoder {
 public:
  // Writes the graph to `graphScriptPath` and starts ffmpeg.exe from
  // `toolDirectory` on it; false when it could not be started.
  bool Start(const std::string& toolDirectory, const std::string& graphScriptPath,
             const std::string& inputPath, std::int64_t inputStartUs, int width, int height);

  // Sends a seek to the aim's time, after reading over the first frame and
  // what an earlier seek still owes.
  bool Seek(const SeekAim& aim) override;
  std::optional<Frame> Next() override;
  void Terminate() override { child_.Terminate(); }

 private:
  DecoderChild child_;
  int seeksOwed_ = 0;  // seeks sent whose answer was not read yet
  bool framesCame_ = false;  // its graph is set up: it takes seeks
};

}  // namespace trellimux
