// Media for the end-to-end runs, made with the program's own ffmpeg.exe from
// lavfi sources, and what the runs' outputs are checked with: ffprobe.exe's
// report, frame counts, file bytes and time stamps. Paths are Windows paths.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace trellimux::test {

// The folder of trellimux.exe, ffmpeg.exe and ffprobe.exe (TRELLIMUX_TOOLS),
// which is the program's start directory.
std::string ToolsFolder();
// A fresh, empty folder for one group of runs under TRELLIMUX_WORK.
std::string FreshWorkFolder(const std::string& name);

// Runs ffmpeg.exe with `arguments` (quiet, overwriting); fails the test when
// it does not end with exit code 0.
void MakeMedia(const std::string& arguments);

// Clips of `seconds` at 25 fps: a video of `size` with a test picture and a
// tone, mpeg2video (a keyframe every 5 frames) + mp2 in MPEG-TS. With an
// offset the clip's time stamps begin that much later, so that parts made
// one after the other follow on in time as a split recording does.
void MakeTransportStream(const std::string& path, double seconds, const std::string& size,
                         double offsetSeconds = 0);
// An MP4 with h264 + aac.
void MakeMp4(const std::string& path, double seconds, const std::string& size);

struct StreamFacts {
  std::string type;   // "video", "audio", ...
  std::string codec;  // codec_name
  int width = 0;
  int height = 0;
  int sampleRate = 0;
};

struct MediaFacts {
  bool probed = false;  // ffprobe.exe read the file
  std::string format;   // format_name
  double duration = -1;
  std::vector<StreamFacts> streams;
  std::string report;  // what ffprobe.exe printed, for failure messages
};

MediaFacts ProbeMedia(const std::string& path);
// Frames of the first video stream, decoded and counted; -1 on failure.
int VideoFrameCount(const std::string& path);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
std::string FileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Size and last write time: equal stamps mean an untouched file.
struct FileStamp {
  bool exists = false;
  ULONGLONG size = 0;
  FILETIME written{};
  bool operator==(const FileStamp& other) const;
};
FileStamp StampOf(const std::string& path);

// The file names in a folder (no subfolders), sorted.
std::vector<std::string> FilesIn(const std::string& folder);

}  // namespace trellimux::test
