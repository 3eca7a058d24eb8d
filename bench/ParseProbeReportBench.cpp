// Parses a probe report of 255 streams and compares the time per report with
// the time to scan the same bytes once (the limit for any parser).
//   parse_probe_report_bench [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "probe/ProbeReport.h"

namespace {

std::string MakeReport(int streams) {
  std::string report;
  for (int i = 0; i < streams; ++i) {
    const bool video = i % 3 == 0;
    report += "[STREAM]\r\nindex=" + std::to_string(i) + "\r\n";
    report += video ? "codec_name=h264\r\ncodec_long_name=H.264 / AVC\r\nprofile=High\r\n"
                      "codec_type=video\r\nwidth=1920\r\nheight=1080\r\ncoded_width=1920\r\n"
                      "sample_aspect_ratio=1:1\r\ndisplay_aspect_ratio=16:9\r\npix_fmt=yuv420p\r\n"
                      "level=41\r\nr_frame_rate=25/1\r\navg_frame_rate=25/1\r\n"
                    : "codec_name=aac\r\ncodec_long_name=AAC\r\nprofile=LC\r\ncodec_type=audio\r\n"
                      "sample_fmt=fltp\r\nsample_rate=48000\r\nchannels=2\r\n"
                      "channel_layout=stereo\r\n";
    report +=
        "time_base=1/90000\r\nstart_pts=0\r\nduration=3600.000000\r\nbit_rate=N/A\r\n"
        "max_bit_rate=N/A\r\nnb_frames=N/A\r\nDISPOSITION:default=1\r\n"
        "DISPOSITION:dub=0\r\nTAG:language=eng\r\n[/STREAM]\r\n";
  }
  report += "[FORMAT]\r\nfilename=in.ts\r\nnb_streams=" + std::to_string(streams) +
            "\r\nformat_name=mpegts\r\n[/FORMAT]\r\n";
  return report;
}

template <typename Work>
double SecondsPerRound(int rounds, Work work) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) work();
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count() / rounds;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const std::string report = MakeReport(255);
  volatile std::size_t sink = 0;

  // One pass over every byte, folding case as the parser's matching does.
  double scan = SecondsPerRound(rounds, [&] {
    std::size_t lineEnds = 0;
    for (char c : report) lineEnds += (c | 0x20) == ('\r' | 0x20);
    sink = sink + lineEnds;
  });
  double parse = SecondsPerRound(rounds, [&] {
    auto outcome = trellimux::ParseProbeReport(report);
    sink = sink + std::get<trellimux::ProbeResult>(outcome).streams.size();
  });

  std::printf("report: 255 streams, %zu bytes, %d rounds\n", report.size(), rounds);
  std::printf("scan once: %10.1f us per report\n", scan * 1e6);
  std::printf("parse:     %10.1f us per report\n", parse * 1e6);
  std::printf("ratio parse/scan: %.1f\n", parse / scan);
  return 0;
}
