// What a Smart Copy cut costs beside a Copy cut of the same span, on a
// recording such as a 1080i H.264 TS of eleven minutes or more: a 10 s cut
// and a 10-minute cut, each made both ways with the lines the Trim page
// builds (the Smart Copy cut's copy of the packets between its encoded
// pieces made in this process, as the program makes it), side by side in
// one run, three runs each, the medians compared. Goal: the long cut at
// most 1.3 x Copy, and what Smart Copy takes over Copy ("extra") never more
// than its run that encodes the head and end (the first line).
//   TRELLIMUX_TOOLS=<folder of ffmpeg.exe> smart_copy_bench RECORDING [WORK_FOLDER]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/SmartCopyLookup.h"
#include "cmdline/SmartCopyCommand.h"
#include "cmdline/TrimCommand.h"
#include "concat/ConcatCommand.h"
#include "media/MediaChecks.h"
#include "media/ToolRunner.h"
#include "params/PageTables.h"
#include "trim/TrimChoices.h"

using namespace trellimux;
using namespace trellimux::test;

namespace {

double NowSeconds() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs the lines of a Trim box's cut block, each line's seconds into
// `seconds`; false when one fails.
bool RunBlock(const std::vector<std::string>& lines, std::vector<double>* seconds = nullptr) {
  for (const std::string& line : lines) {
    const double started = NowSeconds();
    const std::string failure = RunTrimLine(line);
    if (seconds) seconds->push_back(NowSeconds() - started);
    if (!failure.empty()) {
      std::printf("failed: %s\n", failure.c_str());
      return false;
    }
  }
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: smart_copy_bench RECORDING [WORK_FOLDER]\n");
    return 2;
  }
  const std::string input = argv[1];
  const std::string work = argc > 2 ? argv[2] : ".";
  const std::string report =
      RunTool(FfmpegTool::Ffprobe, " -v error -show_format -show_streams \"" + input + "\"").output;
  PageTables tables(StreamPage::Trim);
  if (tables.LoadProbeReport(report)) {
    std::printf("the recording could not be probed\n");
    return 1;
  }
  StreamTable streams = tables.SourceTable();
  for (std::size_t i = 0; i < streams.RowCount(); ++i) streams.SetChecked(i, true);

  const std::string output = work + "\\bench-cut.ts";
  TrimCommandInput page;
  page.inputPath = input;
  page.outputPath = output;
  page.tempDir = work;
  page.concatMode = kCutOnly;

  std::printf("%-12s %10s %10s %8s %8s\n", "cut", "Copy s", "Smart s", "ratio", "extra s");
  const std::vector<Cut> spans[] = {{{"00:01:00.520", "00:01:10.520"}},
                                    {{"00:00:30.520", "00:10:30.520"}}};
  const char* names[] = {"10 s", "10 minutes"};
  for (int s = 0; s < 2; ++s) {
    const std::vector<Cut>& cuts = spans[s];
    const SmartCopyFacts facts = FindSmartCopyFacts(
        [](const std::string& arguments) { return RunTool(FfmpegTool::Ffprobe, arguments).output; },
        FileReader(input), input, cuts, report, streams);

    TrimCommandInput copyPage = page;
    copyPage.cutMode = kCopyCut;
    copyPage.copyStarts = facts.copies.starts;
    copyPage.copyEnds = facts.copies.ends;
    const std::vector<std::string> copyLines =
        TrimCommandLines(BuildTrimCommand(copyPage, streams, cuts));
    TrimCommandInput smartPage = page;
    smartPage.cutMode = kSmartCopyCut;
    const SmartCopyCommand smart = BuildSmartCopyCommand(smartPage, streams, cuts, facts);
    if (smart.fallbacks.front() != SmartFallback::None) {
      std::printf("%s: %s\n", names[s], SmartFallbackNote(smart.fallbacks).c_str());
      return 1;
    }
    const std::vector<std::string> smartLines = TrimCommandBlocks(smart.text).front();

    std::vector<double> copyTimes, smartTimes, lineTimes;
    for (int run = 0; run < 3; ++run) {
      double started = NowSeconds();
      if (!RunBlock({copyLines.front()})) return 1;
      copyTimes.push_back(NowSeconds() - started);
      started = NowSeconds();
      lineTimes.clear();
      if (!RunBlock(smartLines, &lineTimes)) return 1;
      smartTimes.push_back(NowSeconds() - started);
    }
    const double copy = Median(copyTimes), smartTime = Median(smartTimes);
    std::printf("%-12s %10.2f %10.2f %8.2f %8.2f   lines:", names[s], copy, smartTime,
                smartTime / copy, smartTime - copy);
    for (double line : lineTimes) std::printf(" %.2f", line);
    std::printf("\n");
  }
  return 0;
}
