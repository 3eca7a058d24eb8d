// An MP4 cut's sample description made whole: the parameter sets of its
// source (an MP4, MOV or Matroska file) and of the pieces ffmpeg encoded
// for it (transport streams, whose pictures carry theirs) added to the
// cut's own.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "mp4/ParameterSets.h"
#include "trim/TransportCopy.h"

namespace trellimux {

// The avcC content of the source's H.264 video: an MP4's first avc1
// entry's, or the CodecPrivate of a Matroska file's one H.264 track.
std::optional<std::string> SourceAvcConfiguration(const FileBytesReader& read);

// The parameter sets in the PES packets of `piece` (a transport stream),
// each once.
ParameterSets PieceParameterSets(std::string_view piece);

// The cut's movie box with the sets of the source and of `pieces` added
// (CutMovieWithSourceSets); nothing when a piece cannot be read, or as
// that says.
std::optional<MovieBox> CutMovieWithAllSets(const FileBytesReader& readSource,
                                            const PieceReader& readPiece,
                                            std::span<const std::string> pieces,
                                            const FileBytesReader& readCut);

}  // namespace trellimux
