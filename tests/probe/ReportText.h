// Builds probe reports for tests, in the prober's default print format.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace trellimux::test {

inline std::string Section(std::string_view name, std::initializer_list<std::string_view> lines) {
  std::string text = "[" + std::string(name) + "]\r\n";
  for (std::string_view line : lines) text += std::string(line) + "\r\n";
  return text + "[/" + std::string(name) + "]\r\n";
}

inline std::string Stream(std::initializer_list<std::string_view> lines) {
  return Section("STREAM", lines);
}

inline std::string Format(std::string_view streamCount) {
  return Section("FORMAT", {"filename=in.ts", "nb_streams=" + std::string(streamCount),
                            "format_name=mpegts", "duration=3.000000"});
}

// The same report with every CR LF replaced by `lineEnd`.
inline std::string WithLineEnds(std::string_view report, std::string_view lineEnd) {
  std::string text;
  for (std::size_t i = 0; i < report.size(); ++i) {
    if (report.compare(i, 2, "\r\n") == 0) {
      text += lineEnd;
      ++i;
    } else {
      text += report[i];
    }
  }
  return text;
}

inline std::string VideoStream(std::string_view index, std::string_view width,
                               std::string_view height) {
  return Stream({"index=" + std::string(index), "codec_name=mpeg2video", "profile=Main",
                 "codec_type=video", "width=" + std::string(width), "height=" + std::string(height),
                 "coded_width=0", "sample_aspect_ratio=64:45", "display_aspect_ratio=16:9",
                 "pix_fmt=yuv420p", "level=8", "r_frame_rate=25/1", "bit_rate=N/A",
                 "max_bit_rate=15000000"});
}

inline std::string AudioStream(std::string_view index, std::string_view language) {
  return Stream({"index=" + std::string(index), "codec_name=mp2", "profile=unknown",
                 "codec_type=audio", "sample_fmt=fltp", "sample_rate=48000", "channels=2",
                 "channel_layout=stereo", "bit_rate=192000",
                 "TAG:language=" + std::string(language)});
}

}  // namespace trellimux::test
