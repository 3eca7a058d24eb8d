#include "media/SampleMedia.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "media/ToolRunner.h"
#include "preview/BmpImage.h"
#include "process/ToolInvocation.h"

namespace trellimux::test {
namespace {

std::string Folder(const char* variable) {
  const char* value = std::getenv(variable);
  if (!value || !*value) {
    ADD_FAILURE() << variable << " is not set; run the media tests through ctest";
    return ".";
  }
  return value;
}

}  // namespace

std::string SamplePath(const std::string& name) {
  return ToolSidePath(Folder("TRELLIMUX_SAMPLES") + "/" + name);
}

std::string OutputPath(const std::string& name) {
  std::filesystem::path folder = Folder("TRELLIMUX_WORK");
  std::filesystem::create_directories(folder);
  std::filesystem::remove(folder / name);
  return ToolSidePath((folder / name).string());
}

std::string WorkFolder(const std::string& name) {
  const std::filesystem::path folder = std::filesystem::path(Folder("TRELLIMUX_WORK")) / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return ToolSidePath(folder.string());
}

std::string ProbeReport(const std::string& toolSidePath) {
  ToolRun run = RunTool(FfmpegTool::Ffprobe, ProbeArguments(toolSidePath));
  EXPECT_EQ(run.exitCode, 0) << run.output;
  return run.output;
}

ProbedFile Probe(const std::string& toolSidePath) {
  ProbedFile file;
  file.report = ProbeReport(toolSidePath);
  std::optional<ProbeFailure> failure = file.tables.LoadProbeReport(file.report);
  EXPECT_FALSE(failure) << "probe of " << toolSidePath << ": " << ProbeFailureText(*failure);
  return file;
}

double Duration(const ProbedFile& file) {
  const std::size_t at = file.report.find("duration=", file.report.find("[FORMAT]"));
  return at == std::string::npos ? -1 : std::atof(file.report.c_str() + at + 9);
}

int CountVideoFrames(const std::string& toolSidePath) {
  ToolRun run = RunTool(FfmpegTool::Ffprobe,
                        " -v error -count_frames -select_streams v:0 -show_entries"
                        " stream=nb_read_frames -of default=nw=1:nk=1 \"" +
                            toolSidePath + "\"");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  return std::atoi(run.output.c_str());
}

std::string MakeCountingClip(const std::string& name, int seconds, bool heavy, bool withB) {
  const std::string path = OutputPath(name);
  const std::string count = "24+8*mod(N,25)";
  const ToolRun made = RunTool(
      FfmpegTool::Ffmpeg,
      " -v error -y -f lavfi -i \"color=c=black:s=" + std::string(heavy ? "640x480" : "160x120") +
          ":r=25:d=" + std::to_string(seconds) + ",format=yuv420p,geq=lum='" +
          (heavy ? "if(lt(Y,H/4),random(1)*255," + count + ")" : count) +
          "':cb=128:cr=128\" -c:v mpeg2video -q:v 2" +
          (withB ? " -g 25 -bf 2 -flags +cgop" : " -g 10 -bf 0") + " -sc_threshold 1000000000 \"" +
          path + "\"");
  EXPECT_EQ(made.exitCode, 0) << made.output;
  return path;
}

int CountingFrameShown(const std::string& bitmap, int width, int height) {
  const std::optional<BmpImage> image = ParseBmp(bitmap);
  if (!image || image->width != width || image->height != height) return -1;
  const Bgr pixel = PixelAt(*image, width / 2, height / 2);
  return static_cast<int>(std::lround((pixel.green - 6) / 9.35));
}

}  // namespace trellimux::test
