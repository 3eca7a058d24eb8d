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

}  // namespace trellimux::test
