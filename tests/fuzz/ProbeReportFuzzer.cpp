// libFuzzer target: the probe report parser on any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "probe/ProbeReport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view report(reinterpret_cast<const char*>(data), size);
  trellimux::ProbeOutcome outcome = trellimux::ParseProbeReport(report);
  if (auto* result = std::get_if<trellimux::ProbeResult>(&outcome)) {
    if (result->streams.size() != result->streamCount) __builtin_trap();
    for (const auto& stream : result->streams)
      for (std::string_view text : stream.texts)
        if (!text.empty() && (text.data() < report.data() ||
                              text.data() + text.size() > report.data() + report.size()))
          __builtin_trap();
  }
  return 0;
}
