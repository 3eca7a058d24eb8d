// The H.264 parameter sets in an MP4's sample description (the avcC box of
// its avc1 sample entry, ISO/IEC 14496-15, 5.3.3). A Smart Copy cut of an
// MP4 holds pictures encoded again, which use parameter sets of their own
// (other ids), and pictures copied from the source, which use the
// source's; its sample description must list both, as a decoder looks
// them up there and its samples carry none. The multiplexer writes only
// the first it meets, so the program adds the others to the cut's file
// afterwards.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trellimux {

// Up to `size` bytes of a file from `offset`: fewer at its end.
using FileBytesReader = std::function<std::string(std::int64_t offset, std::size_t size)>;

// Where a file's movie box (moov) lies, and its bytes.
struct MovieBox {
  std::int64_t offset = 0;
  std::string bytes;
  bool last = false;  // no box follows it in the file
};

// The movie box of the file `read` reads; nothing when its boxes do not
// read as an MP4's or it has none.
std::optional<MovieBox> ReadMovieBox(const FileBytesReader& read);

// The avcC box's content of the first avc1 (or avc3) sample entry in
// `movie`; nothing when it has none.
std::optional<std::string> FindAvcConfiguration(std::string_view movie);

// Sequence and picture parameter sets (NAL units of types 7 and 8).
struct ParameterSets {
  std::vector<std::string> sequence, picture;
};

// Adds the sets of `more` that `sets` does not list yet, in their order.
void AddNewSets(ParameterSets& sets, const ParameterSets& more);

// Those an avcC box's content lists; nothing when it does not read as one.
std::optional<ParameterSets> ConfigurationSets(std::string_view configuration);

// Those among the NAL units of `elementary` (units after start codes, as
// an elementary stream writes them).
ParameterSets ElementaryStreamSets(std::string_view elementary);

// `movie` with the parameter sets `added` listed after its first avc1
// entry's own, each once, and every box size around it grown to match;
// nothing when `movie` has no such entry or its avcC does not read as one.
std::optional<std::string> WithParameterSetsAdded(std::string_view movie,
                                                  const ParameterSets& added);

// The avcC content of the first avc1 entry of the file `read` reads.
std::optional<std::string> MovieAvcConfiguration(const FileBytesReader& read);

// How many bytes give each NAL unit's length in the samples (avcC's
// lengthSizeMinusOne + 1); 4 when `configuration` is too short to say.
std::size_t NalLengthBytes(std::string_view configuration);

// The NAL units at the start of a sample (`sample`, lengths of
// `lengthBytes` before each) as an elementary stream writes them, each after
// a start code; the last one as far as `sample` reaches.
std::string AnnexBUnits(std::string_view sample, std::size_t lengthBytes);

// The cut's movie box with the parameter sets of the source (those its
// avcC content `sourceConfiguration` lists) and of the pieces added, to be
// written over the cut's own from its offset on; nothing when that does
// not read as an avcC, the cut has no avc1 entry, or the cut's movie box is
// not the last box of its file (growing it would move what follows).
std::optional<MovieBox> CutMovieWithSourceSets(std::string_view sourceConfiguration,
                                               const ParameterSets& pieceSets,
                                               const FileBytesReader& readCut);

}  // namespace trellimux
