// What a running ffmpeg tells about its progress on its standard error, read
// from the bytes as the pipe delivers them, split anywhere.
//
// ffmpeg redraws its status line after a bare CR; other lines end in LF or
// CR LF. Only status lines count: they start with "frame=" (a job with
// video) or "size=" (audio only) in 4.1 and later, so a
// "time=" elsewhere (a filter's or a muxer's message) never moves the
// position. Its inputs' lengths come from the "  Duration: 00:01:02.50,
// start: ..." lines ffmpeg prints for each input before it starts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trellimux {

class StatusLineReader {
 public:
  // Reads the next bytes of the output. True when a status line with a time
  // ended in them, so the position may have moved.
  bool Add(std::string_view bytes);
  // The output ended: a last line without a line end is read as well.
  bool End();

  // Seconds of output written, from the latest "time=" that had one ("N/A"
  // keeps the previous position; the negative times ffmpeg 5 and later
  // print at the start count as 0). Nothing before the first.
  std::optional<double> Position() const { return position_; }
  // The latest status line's "speed=" as a factor of real time ("3.1x",
  // "1.02e+03x"); nothing for "N/A" or a line without one.
  std::optional<double> Speed() const { return speed_; }

  // Each input's duration, in the order ffmpeg listed the inputs; nothing for
  // "Duration: N/A" (a stream, a concat list).
  const std::vector<std::optional<double>>& InputDurations() const { return inputDurations_; }
  // Their sum, the total of a job that plays its inputs one after another;
  // nothing before the first input or when one's duration is unknown.
  std::optional<double> InputsTotal() const;

 private:
  bool ReadLine();

  std::string line_;  // the line read so far, at most kept up to a limit
  std::optional<double> position_;
  std::optional<double> speed_;
  std::vector<std::optional<double>> inputDurations_;
};

}  // namespace trellimux
