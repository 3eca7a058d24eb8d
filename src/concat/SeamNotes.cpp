#include "concat/SeamNotes.h"

#include "text/ByteSizeText.h"

namespace trellimux {

std::string SeamNotes(std::span<const PartSeam> seams) {
  std::string notes;
  for (std::size_t i = 0; i < seams.size(); ++i) {
    const PartSeam& seam = seams[i];
    if (seam.Start() == 0) continue;
    std::string line = "Part " + std::to_string(i + 1) + ": ";
    if (seam.headerBytes > 0) {
      line += "a header of " + std::to_string(seam.headerBytes) + " bytes";
      if (seam.headerBytes >= 1024) line += " (" + ByteSizeText(seam.headerBytes) + ")";
      line += seam.repeatedPackets > 0 ? " and " : " before its first packet left out";
    }
    if (seam.repeatedPackets > 0) {
      const std::int64_t bytes =
          seam.repeatedPackets * static_cast<std::int64_t>(kTransportPacketBytes);
      line += std::to_string(seam.repeatedPackets) +
              (seam.repeatedPackets == 1 ? " repeated packet (" : " repeated packets (") +
              ByteSizeText(bytes) + ") left out at its start";
    }
    notes += line + "\r\n";
  }
  return notes;
}

}  // namespace trellimux
