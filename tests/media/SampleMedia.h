// The sample media made by make-samples.sh, and a work folder for outputs.
// Both folders come from the environment that ctest sets.
#pragma once

#include <string>

#include "params/PageTables.h"

namespace trellimux::test {

// Path of a sample as the tools see it; fails the test if the folder is unset.
std::string SamplePath(const std::string& name);

// A fresh output path in the work folder (any old file there is removed).
std::string OutputPath(const std::string& name);

// A fresh, empty folder in the work folder, as the tools see it.
std::string WorkFolder(const std::string& name);

// Runs the prober with the program's own arguments and returns its report.
std::string ProbeReport(const std::string& toolSidePath);

// Probes a file and loads it into a page's tables (the probe report is kept
// alive inside, as the program keeps its report buffer).
struct ProbedFile {
  std::string report;
  PageTables tables{StreamPage::Convert};
};
ProbedFile Probe(const std::string& toolSidePath);

// The file's duration in seconds from its probe report; -1 without one.
double Duration(const ProbedFile& file);

// Counts the decoded frames of the first video stream.
int CountVideoFrames(const std::string& toolSidePath);

// An MPEG-TS in the work folder whose brightness counts its frames: 25 fps,
// mpeg2video, 160x120, frame N of luma 24 + 8 (N mod 25), a keyframe every
// 10 frames (none for the scene change every frame is). A `heavy` one is
// 640x480 with noise in its top quarter: frames of about a broadcast
// frame's bytes, where the uniform ones hold a kilobyte. One `withB` has a
// keyframe every 25 frames, and two B pictures (which nothing refers to)
// after each I or P picture, as a broadcast has.
std::string MakeCountingClip(const std::string& name, int seconds, bool heavy = false,
                             bool withB = false);

// The frame number (mod 25) such a clip's bitmap of `width` x `height`
// shows at its centre; -1 for anything else. Grey levels measured: 6 for
// frame 0, 9.35 more per frame.
int CountingFrameShown(const std::string& bitmap, int width, int height);

}  // namespace trellimux::test
