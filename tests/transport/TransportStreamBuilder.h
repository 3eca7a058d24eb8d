// Transport stream packets for the tests of the preview's feeding: PES
// packets of video pictures with their time stamps, spread over as many
// packets as asked, each packet told apart by a number in its filler.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "transport/TransportPackets.h"

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

// A time stamp (90 kHz, 33 bits) as a PES header writes it after the
// 4-bit `prefix`.
inline std::string PesTimeStamp(int prefix, std::int64_t ticks) {
  std::string stamp;
  stamp += static_cast<char>(prefix << 4 | 0x01 | (ticks >> 29 & 0x0e));
  stamp += static_cast<char>(ticks >> 22 & 0xff);
  stamp += static_cast<char>(0x01 | (ticks >> 14 & 0xfe));
  stamp += static_cast<char>(ticks >> 7 & 0xff);
  stamp += static_cast<char>(0x01 | (ticks << 1 & 0xfe));
  return stamp;
}

// A PES header with a presentation time stamp.
inline std::string PesHeaderWithPts(std::int64_t pts) {
  return std::string("\0\0\1\xe0\0\0\x80\x80\x05", 9) + PesTimeStamp(0x2, pts);
}

// A PES header with presentation and decoding time stamps.
inline std::string PesHeaderWithTimes(std::int64_t pts, std::int64_t dts) {
  return std::string("\0\0\1\xe0\0\0\x80\xc0\x0a", 9) + PesTimeStamp(0x3, pts) +
         PesTimeStamp(0x1, dts);
}

// A table section after its pointer field: its id, its length, `body`
// (from the field after the length on) and a CRC the reader does not check.
inline std::string Section(int tableId, const std::string& body) {
  const std::size_t length = body.size() + 4;
  return std::string(1, '\0') + static_cast<char>(tableId) +
         static_cast<char>(0xb0 | (length >> 8 & 0x0f)) + static_cast<char>(length & 0xff) + body +
         std::string(4, '\xcc');
}

// A PID as the tables write it, after three reserved bits.
inline std::string Pid(int pid) {
  return {static_cast<char>(0xe0 | pid >> 8), static_cast<char>(pid & 0xff)};
}

// The packets of `pes` (a PES packet's header and payload) on `pid`.
inline std::vector<std::string> PesPackets(int pid, std::string_view pes) {
  std::vector<std::string> made;
  for (std::size_t at = 0; at < pes.size(); at += kTransportPacketBytes - 4)
    made.push_back(TransportPacket(pid, at == 0, pes.substr(at, kTransportPacketBytes - 4)));
  return made;
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
  return PesPackets(pid, pes);
}

}  // namespace trellimux::test
