// What a Smart Copy of a Matroska file (.mkv) needs of its EBML elements
// (RFC 9559): the H.264 track's configuration (its CodecPrivate, an avcC
// as an MP4's sample description holds), and the frame in a block where
// ffprobe lists a packet's position (the block's data: track number, time,
// flags, then the frame).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mp4/ParameterSets.h"

namespace trellimux {

struct MatroskaTrack {
  std::uint64_t number = 0;
  std::uint64_t type = 0;  // 1 video, 2 audio, 17 subtitles
  std::string codecId;     // "V_MPEG4/ISO/AVC"
  std::string codecPrivate;
};

// The track entries of the file `read` reads, in order; empty when its
// elements do not read as a Matroska file's or no track list comes before
// its first cluster.
std::vector<MatroskaTrack> ReadMatroskaTracks(const FileBytesReader& read);

// The configuration of the file's one H.264 track; nothing when it has
// none or several.
std::optional<MatroskaTrack> MatroskaAvcTrack(const FileBytesReader& read);

// The frame of the block whose data begins `block`, as far as `block`
// reaches; nothing when the block is of another track or holds several
// frames (lacing).
std::optional<std::string_view> MatroskaBlockFrame(std::string_view block, std::uint64_t track);

}  // namespace trellimux
