// What a Smart Copy start learns before it plans: the input's start time,
// its video packets around each cut's ends (one ffprobe listing), whether
// it is an MPEG-TS of 188-byte packets, the checked video stream's program
// and PIDs, the encoder options its probe report gives, and at which
// listed keyframes a copy may begin. The tools and the file come as
// functions: the window runs ffprobe.exe hidden on a worker, the benchmark
// its own runner.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "cmdline/SmartCopyCommand.h"
#include "params/StreamTable.h"
#include "transport/TransportPackets.h"
#include "trim/CutList.h"

namespace trellimux {

// What ffprobe printed for `arguments`; empty when it could not run.
using ProbeRun = std::function<std::string(const std::string& arguments)>;

SmartCopyFacts FindSmartCopyFacts(const ProbeRun& probe, const TransportReader& read,
                                  std::string_view inputPath, std::span<const Cut> cuts,
                                  std::string_view report, const StreamTable& streams);

}  // namespace trellimux
