// Which inputs of a byte join are looked at for MPEG-TS packets, whose
// seams the join cleans: all but those named as a container of another
// kind (".mp4", ".mkv", ".mpg", ...; "Film.mkv.001" too). Names of MPEG-TS
// (".ts", ".m2ts", ".mts", ".trp", ".tp", "Film.ts.001") and names of no
// known container ("Film.001", "Film-1.rec") are looked at, and the bytes
// decide: Blu-ray's 192-byte packets, say, have no 188-byte seams.
#pragma once

#include <string_view>

namespace trellimux {

// By the name's extension, ignoring ASCII case.
bool MayHoldTransportPackets(std::string_view path);

}  // namespace trellimux
