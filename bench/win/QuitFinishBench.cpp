// How long ffmpeg.exe needs to finish its output after "q": the time from
// the request to the child's end, for the outputs that take longest to
// close (an MP4's index, an MKV's cues, an encoder's delayed frames), set
// against the grace the cancel ladder gives a polite request before a
// further press may climb. Prints each case's ratio finish / grace.
//   quit_finish_bench INPUT.ts [TOOLS_FOLDER]
// INPUT: a recording of a minute or more, ideally 1080-line MPEG-2 with
// MP2 sound; the outputs go to the temporary folder and are removed.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "bench/win/TimedJob.h"
#include "jobs/StopLadder.h"
#include "jobs/win/JobHost.h"
#include "process/ChildCommandLine.h"
#include "process/ToolInvocation.h"
#include "process/win/ChildProcess.h"

using namespace trellimux;
using namespace trellimux::bench;

namespace {

struct Case {
  const char* name;
  const char* options;  // between the input and the output
  const char* extension;
  bool realTime;       // read with -re, as a recording is converted
  DWORD runMs;         // how long it runs before "q"
};

constexpr Case kCases[] = {
    {"copy to MP4, real time", "-map 0 -c copy", ".mp4", true, 20000},
    {"copy to MP4, full speed", "-map 0 -c copy", ".mp4", false, 4000},
    {"copy to MKV, full speed", "-map 0 -c copy", ".mkv", false, 4000},
    {"H.264 medium to MP4", "-c:v libx264 -preset medium -c:a aac", ".mp4", false, 15000},
    {"H.264 slow to MKV", "-c:v libx264 -preset slow -c:a copy", ".mkv", false, 15000},
    {"HEVC to MKV", "-c:v libx265 -c:a copy", ".mkv", false, 15000},
};

// Runs one case; the time from "q" to the child's end in milliseconds.
double FinishAfterQuit(const std::string& toolsFolder, const std::string& input, const Case& c) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string output = std::string(temp) + "quit_finish" + c.extension;
  const std::string arguments = std::string(" -y") + (c.realTime ? " -re" : "") + " -i \"" +
                                input + "\" " + c.options + " \"" + output + "\"";
  const std::string program = ToolPath(toolsFolder, FfmpegTool::Ffmpeg);
  ChildProcess child;
  if (child.Start(program, *ChildCommandLine(program, arguments)) != 0) {
    std::fprintf(stderr, "cannot start %s\n", program.c_str());
    std::exit(1);
  }
  std::thread reader([&child] { child.ReadToEnd(); });
  Sleep(c.runMs);
  const LARGE_INTEGER asked = Now();
  child.AskToQuit();
  reader.join();
  child.WaitAndClose();
  const double finish = MillisecondsSince(asked);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(output.c_str(), GetFileExInfoStandard, &data);
  std::printf("%-26s output %6.1f MB, finished %6.0f ms after q\n", c.name,
              (static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow) / 1e6,
              finish);
  DeleteFileA(output.c_str());
  return finish;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: quit_finish_bench INPUT.ts [TOOLS_FOLDER]\n");
    return 2;
  }
  const std::string toolsFolder = argc > 2 ? argv[2] : test::ProgramFolder() + "\\..\\bin";
  const double grace =
      std::chrono::duration<double, std::milli>(kPoliteStopGrace).count();
  double longest = 0;
  for (const Case& c : kCases) longest = std::max(longest, FinishAfterQuit(toolsFolder, argv[1], c));
  std::printf("longest finish %.0f ms against a grace of %.0f ms: ratio %.2f (goal < 1)\n",
              longest, grace, longest / grace);
  return 0;
}
