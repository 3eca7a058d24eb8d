// Transport stream packets for the tests of the preview's feeding: PES
// packets of video pictures with their time stamps, spread over as many
// packets as asked, each packet told apart by a number in its filler.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "preview/TransportPackets.h"

namespace trellimux::test {

// A packet of `pid` carrying `payload` (at most 184 bytes), stuffed with an
// adaptation field before it when shorter, as a multiplexer does.
inline std::string TransportPacket(int pid, bool pesStart, std::string_view payload) {
  std::string packet(4, '\0');
  packet[0] = 0x47;
  packet[1] = static_cast<char>((pesStart ? 0x40 : 0) | (pid >> 8 & 0x1f));
  packet[2] = static_cast<char>(pid & 0xff);
  const std::size_t room = kTransportPacketBytes - 4;
  if (payload.size() >= room) {
    packet[3] = 0x10;  // payload only
    return packet + std::string(payload.substr(0, room));
  }
  packet[3] = 0x30;  // adaptation field, then payload
  const std::size_t stuffing = room - payload.size() - 1;
  packet += static_cast<char>(stuffing);
  if (stuffing > 0) packet += '\0' + std::string(stuffing - 1, '\xff');  // no flags
  return packet + std::string(payload);
}

// A PES header with a presentation time stamp (90 kHz, 33 bits).
inline std::string PesHeaderWithPts(std::int64_t pts) {
  std::string header("\0\0\1\xe0\0\0\x80\x80\x05", 9);
  header += static_cast<char>(0x21 | (pts >> 29 & 0x0e));
  header += static_cast<char>(pts >> 22 & 0xff);
  header += static_cast<char>(0x01 | (pts >> 14 & 0xfe));
  header += static_cast<char>(pts >> 7 & 0xff);
  header += static_cast<char>(0x01 | (pts << 1 & 0xfe));
  return header;
}

// An H.264 access unit: a delimiter and one slice of `reference` or not,
// then filler (no start codes) numbered by `mark`, `size` bytes in all.
inline std::string H264Picture(bool reference, int mark, std::size_t size) {
  std::string unit("\0\0\0\1\x09\xf0\0\0\1", 9);
  unit += static_cast<char>(reference ? 0x41 : 0x01);
  while (unit.size() < size) unit += static_cast<char>(0x80 | (mark++ & 0x7f));
  return unit;
}

// The packets of one picture's PES packet of `pid`.
inline std::vector<std::string> PicturePackets(int pid, std::int64_t pts, bool reference,
                                               int packets) {
  static int mark = 0;
  const std::string pes =
      PesHeaderWithPts(pts) +
      H264Picture(reference, ++mark, packets * (kTransportPacketBytes - 4) - 14);
  std::vector<std::string> made;
  for (std::size_t at = 0; at < pes.size(); at += kTransportPacketBytes - 4)
    made.push_back(TransportPacket(pid, at == 0, std::string_view(pes).substr(at, 184)));
  return made;
}

}  // namespace trellimux::test
