#include "jobs/win/PartSeamReads.h"

#include <windows.h>

#include <memory>

#include "concat/TransportNames.h"
#include "process/win/InputFile.h"

namespace trellimux {

std::vector<PartSeam> ReadPartSeams(const std::vector<std::string>& paths) {
  std::vector<std::unique_ptr<InputFile>> files;
  std::vector<SeamPart> parts(paths.size());
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (!MayHoldTransportPackets(paths[i])) continue;
    auto file = std::make_unique<InputFile>();
    if (!file->Open(paths[i])) continue;
    const InputFile* reader = file.get();
    parts[i].size = reader->Size();
    parts[i].read = [reader](std::int64_t offset, std::size_t size) {
      return reader->ReadAt(offset, size);
    };
    files.push_back(std::move(file));
  }
  return FindPartSeams(parts);
}

std::vector<std::int64_t> PartStarts(const std::vector<PartSeam>& seams) {
  std::vector<std::int64_t> starts;
  starts.reserve(seams.size());
  for (const PartSeam& seam : seams) starts.push_back(seam.Start());
  return starts;
}

PartStartMemory::Stamp PartStartMemory::StampOf(const std::string& path) {
  Stamp stamp{path};
  WIN32_FILE_ATTRIBUTE_DATA facts;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &facts)) return stamp;
  stamp.size = static_cast<std::int64_t>(facts.nFileSizeHigh) << 32 | facts.nFileSizeLow;
  stamp.written = static_cast<std::uint64_t>(facts.ftLastWriteTime.dwHighDateTime) << 32 |
                  facts.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

std::vector<std::int64_t> PartStartMemory::Starts(const std::vector<std::string>& paths) {
  std::vector<Stamp> stamps;
  stamps.reserve(paths.size());
  for (const std::string& path : paths) stamps.push_back(StampOf(path));
  if (stamps != stamps_) {
    starts_ = PartStarts(ReadPartSeams(paths));
    stamps_ = std::move(stamps);
  }
  return starts_;
}

}  // namespace trellimux
