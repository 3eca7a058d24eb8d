#include "trim/MovieCutSets.h"

#include "mkv/MatroskaTracks.h"
#include "transport/TransportPackets.h"

namespace trellimux {
std::optional<std::string> SourceAvcConfiguration(const FileBytesReader& read) {
  if (std::optional<std::string> movie = MovieAvcConfiguration(read)) return movie;
  if (std::optional<MatroskaTrack> track = MatroskaAvcTrack(read))
    return std::move(track->codecPrivate);
  return std::nullopt;
}

ParameterSets PieceParameterSets(std::string_view piece) {
  ParameterSets sets;
  for (std::size_t at = 0; at + kTransportPacketBytes <= piece.size();
       at += kTransportPacketBytes) {
    const std::optional<std::string> payload =
        PesPayload(piece.substr(at), std::string_view::npos, /*wholeStream=*/true);
    if (payload)
      AddNewSets(sets, ElementaryStreamSets(*payload));  // else no PES packet begins here
  }
  return sets;
}

std::optional<MovieBox> CutMovieWithAllSets(const FileBytesReader& readSource,
                                            const PieceReader& readPiece,
                                            std::span<const std::string> pieces,
                                            const FileBytesReader& readCut) {
  ParameterSets sets;
  for (const std::string& path : pieces) {
    const std::optional<std::string> piece = readPiece(path);
    if (!piece) return std::nullopt;
    AddNewSets(sets, PieceParameterSets(*piece));
  }
  const std::optional<std::string> configuration = SourceAvcConfiguration(readSource);
  if (!configuration) return std::nullopt;
  return CutMovieWithSourceSets(*configuration, sets, readCut);
}

}  // namespace trellimux
