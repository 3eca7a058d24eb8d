#include "app/win/EndToEndMedia.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "media/ToolRunner.h"
#include "process/ToolInvocation.h"

namespace trellimux::test {
namespace {

namespace fs = std::filesystem;

std::string FolderFromEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  if (!value || !*value) {
    ADD_FAILURE() << variable << " is not set; run the end-to-end tests through ctest";
    return ".";
  }
  return ToolSidePath(value);
}

std::string Seconds(double seconds) {
  std::ostringstream text;
  text << seconds;
  return text.str();
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// The value of `key=` in a block of ffprobe's default output.
std::string Value(const std::string& block, const std::string& key) {
  const std::string marker = key + "=";
  std::size_t at = 0;
  while ((at = block.find(marker, at)) != std::string::npos) {
    if (at == 0 || block[at - 1] == '\n') {
      at += marker.size();
      std::size_t end = block.find_first_of("\r\n", at);
      return block.substr(at, end == std::string::npos ? std::string::npos : end - at);
    }
    at += marker.size();
  }
  return {};
}

// The blocks between "[NAME]" and "[/NAME]".
std::vector<std::string> Sections(const std::string& report, const std::string& name) {
  std::vector<std::string> blocks;
  const std::string open = "[" + name + "]", close = "[/" + name + "]";
  std::size_t at = 0;
  while ((at = report.find(open, at)) != std::string::npos) {
    const std::size_t start = at + open.size();
    const std::size_t end = report.find(close, start);
    if (end == std::string::npos) break;
    blocks.push_back(report.substr(start, end - start));
    at = end + close.size();
  }
  return blocks;
}

}  // namespace

std::string ToolsFolder() { return FolderFromEnvironment("TRELLIMUX_TOOLS"); }

std::string FreshWorkFolder(const std::string& name) {
  const fs::path folder = fs::path(FolderFromEnvironment("TRELLIMUX_WORK")) / name;
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  fs::create_directories(folder);
  return folder.string();
}

void MakeMedia(const std::string& arguments) {
  const ToolRun run =
      RunTool(FfmpegTool::Ffmpeg, " -nostdin -hide_banner -loglevel error -y " + arguments);
  ASSERT_EQ(run.exitCode, 0) << "ffmpeg.exe" << arguments << "\n" << run.output;
}

void MakeTransportStream(const std::string& path, double seconds, const std::string& size,
                         double offsetSeconds) {
  std::string arguments =
      "-f lavfi -i testsrc=size=" + size + ":rate=25:duration=" + Seconds(seconds) +
      " -f lavfi -i sine=frequency=440:sample_rate=48000:duration=" + Seconds(seconds) +
      " -c:v mpeg2video -g 5 -c:a mp2 -b:a 64k";
  if (offsetSeconds > 0) arguments += " -output_ts_offset " + Seconds(offsetSeconds);
  MakeMedia(arguments + " " + Quoted(path));
}

void MakeMp4(const std::string& path, double seconds, const std::string& size) {
  MakeMedia("-f lavfi -i testsrc=size=" + size + ":rate=25:duration=" + Seconds(seconds) +
            " -f lavfi -i sine=frequency=440:sample_rate=48000:duration=" + Seconds(seconds) +
            " -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 96k " + Quoted(path));
}

MediaFacts ProbeMedia(const std::string& path) {
  MediaFacts facts;
  const ToolRun run =
      RunTool(FfmpegTool::Ffprobe, " -v error -show_format -show_streams " + Quoted(path));
  facts.report = run.output;
  const std::vector<std::string> formats = Sections(run.output, "FORMAT");
  if (run.exitCode != 0 || formats.empty()) return facts;
  facts.probed = true;
  facts.format = Value(formats.front(), "format_name");
  const std::string duration = Value(formats.front(), "duration");
  if (!duration.empty() && duration != "N/A") facts.duration = std::atof(duration.c_str());
  for (const std::string& block : Sections(run.output, "STREAM")) {
    StreamFacts& stream = facts.streams.emplace_back();
    stream.type = Value(block, "codec_type");
    stream.codec = Value(block, "codec_name");
    stream.width = std::atoi(Value(block, "width").c_str());
    stream.height = std::atoi(Value(block, "height").c_str());
    stream.sampleRate = std::atoi(Value(block, "sample_rate").c_str());
  }
  return facts;
}

int VideoFrameCount(const std::string& path) {
  const ToolRun run = RunTool(FfmpegTool::Ffprobe,
                              " -v error -count_frames -select_streams v:0 -show_entries"
                              " stream=nb_read_frames -of default=nw=1:nk=1 " +
                                  Quoted(path));
  if (run.exitCode != 0 || run.output.empty()) return -1;
  return std::atoi(run.output.c_str());
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
  ASSERT_TRUE(file.good()) << "cannot write " << path;
}

bool FileStamp::operator==(const FileStamp& other) const {
  return exists == other.exists && size == other.size &&
         CompareFileTime(&written, &other.written) == 0;
}

FileStamp StampOf(const std::string& path) {
  FileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return stamp;
  stamp.exists = true;
  stamp.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp.written = data.ftLastWriteTime;
  return stamp;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace trellimux::test
