// A Smart Copy cut of an MPEG-TS, put together by the program: the pieces
// ffmpeg encoded or copied for its head, then the source's own packets
// between, then the pieces of its end, as one program with tables of its
// own. ffmpeg's copy from an open GOP's keyframe keeps the leading pictures
// that follow it (measured, ffmpeg 5.1: 57 packets for 55 frames), and in a
// cut joined after an encoded head they decode from the wrong pictures,
// twice at the same times; and a multiplexer's pass over a long cut costs
// more than the copy itself. So the program copies the PES packets itself:
// the video's from the keyframe's packet on, without those shown before
// the keyframe, up to the first decoded at or after the stop; each other
// stream's shown within its own span, which begins and ends where its head
// and end pieces end and begin. Each PES packet is copied byte for byte;
// only the continuity counters are counted on across the whole cut, and in
// a byte join every time is moved by the same ticks.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "transport/TransportPackets.h"

namespace trellimux {

// The copy of the video between the encoded pieces.
struct TransportCopyRange {
  std::int64_t fromByte = 0;     // where the keyframe's packet begins
  std::int64_t keyframePts = 0;  // microseconds, as the file counts them
  // The decoding time of the first packet not copied; nothing: to the end.
  std::optional<std::int64_t> stopDts;
};

// Another stream: its PES packets shown in [fromPts, toPts) (microseconds)
// that begin in the video's copy are copied, each whole.
struct CopiedStream {
  int pid = -1;
  std::int64_t fromPts = 0;
  std::int64_t toPts = 0;
};

struct TransportCut {
  std::vector<int> pids;  // the video's first: the streams of the cut's tables
  std::vector<std::string> firstPieces, lastPieces;  // transport streams ffmpeg wrote
  std::optional<TransportCopyRange> video;           // none: no frame is copied
  std::vector<CopiedStream> others;
  std::int64_t moveMicroseconds = 0;  // every time stamp's
};

struct TransportCopyCount {
  int pictures = 0;  // PES packets of the video copied
  int leftOut = 0;   // leading pictures left out
};

// Receives the bytes to write in order; false stops the copy (a full disk).
using TransportWriter = std::function<bool(std::string_view bytes)>;
// A piece's whole bytes; nothing when it cannot be read.
using PieceReader = std::function<std::optional<std::string>(const std::string& path)>;

enum class TransportCopyFailure { None, Tables, Piece, Keyframe, Writer };

struct TransportCopyOutcome {
  TransportCopyFailure failure = TransportCopyFailure::None;
  TransportCopyCount count;
};

// Writes the cut: its tables, the first pieces' packets in decoding order,
// the copy from the source `read` (its tables give way to the cut's), the
// last pieces', the tables again before them. Fails when the source's
// tables do not name the video's program, a piece cannot be read, the
// keyframe's PES packet does not begin at the copy's first byte, or the
// writer stopped.
TransportCopyOutcome CopyTransportCut(const TransportReader& read, const PieceReader& readPiece,
                                      const TransportCut& cut, const TransportWriter& write);

}  // namespace trellimux
