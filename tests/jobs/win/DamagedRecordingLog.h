// What ffmpeg prints while it converts a recording with reception errors: a
// line per damaged packet from the demuxer and the decoder (one naming the
// file, in UTF-8), and its status line redrawn after a bare CR between them.
// The fake ffmpeg prints it; the runner tests and the log benchmark rebuild
// it to check what the log kept.
#pragma once

#include <cstdio>
#include <string>

namespace trellimux::test {

// Line `index` of the output, with its line end.
inline std::string DamagedRecordingLine(long long index) {
  char line[200];
  switch (index % 40) {
    case 39: {  // the status line, 0.2 s of media further each time
      const long long centiseconds = index / 40 * 20;
      std::snprintf(line, sizeof line,
                    "frame=%6lld fps=250 q=2.0 size=  %8lldkB time=%02lld:%02lld:%02lld.%02lld "
                    "bitrate=4000.0kbits/s speed=10.0x    \r",
                    index / 8, index * 10, centiseconds / 360000, centiseconds / 6000 % 60,
                    centiseconds / 100 % 60, centiseconds % 100);
      break;
    }
    case 19:
      std::snprintf(line, sizeof line,
                    "[mpegts @ 0000000002c5e3c0] Continuity check failed for pid %lld expected 7 "
                    "got 9 in 'Tatort \xE2\x80\x93 Sch\xC3\xB6ne Aussicht.ts'\r\n",
                    4113 + index % 3);
      break;
    default:
      if (index % 2 == 0) {
        std::snprintf(line, sizeof line,
                      "[mpegts @ 0000000002c5e3c0] Packet corrupt (stream = 0, dts = %lld).\r\n",
                      index * 3600);
      } else {
        std::snprintf(line, sizeof line,
                      "[h264 @ 00000000031f7a40] error while decoding MB %lld %lld, bytestream "
                      "-5\r\n",
                      index % 120, index % 68);
      }
  }
  return line;
}

// The output of at least `bytes` bytes: whole lines, as many as it takes.
inline std::string DamagedRecordingOutput(long long bytes) {
  std::string output;
  for (long long line = 0; static_cast<long long>(output.size()) < bytes; ++line)
    output += DamagedRecordingLine(line);
  return output;
}

}  // namespace trellimux::test
