#include "media/MediaChecks.h"

#include <algorithm>
#include <fstream>
#include <memory>

#include "media/ToolRunner.h"

namespace trellimux::test {

std::vector<std::string> PacketHashes(const std::string& file) {
  const std::string printed = RunTool(FfmpegTool::Ffprobe,
                                      " -v error -select_streams v:0 -show_entries packet=data_hash"
                                      " -show_data_hash md5 -of csv=p=0 \"" +
                                          file + "\"")
                                  .output;
  std::vector<std::string> hashes;
  for (std::size_t at = printed.find("MD5:"); at != std::string::npos;
       at = printed.find("MD5:", at + 4))
    hashes.push_back(printed.substr(at, 36));
  std::sort(hashes.begin(), hashes.end());
  return hashes;
}

TransportReader FileReader(const std::string& path) {
  auto file = std::make_shared<std::ifstream>(path, std::ios::binary);
  return [file](std::int64_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    file->clear();
    file->seekg(offset);
    file->read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<std::size_t>(file->gcount()));
    return bytes;
  };
}

}  // namespace trellimux::test
