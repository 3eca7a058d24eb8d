#include "transport/ProgramTables.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trellimux {
namespace {

constexpr std::size_t kTablesSearched = kTransportPacketBytes * 4096;  // about 750 KiB
constexpr unsigned kPatTableId = 0x00;
constexpr unsigned kPmtTableId = 0x02;

unsigned Byte(std::string_view bytes, std::size_t at) {
  return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0;
}
unsigned Pid13(std::string_view bytes, std::size_t at) {
  return (Byte(bytes, at) & 0x1f) << 8 | Byte(bytes, at + 1);
}
unsigned Length12(std::string_view bytes, std::size_t at) {
  return (Byte(bytes, at) & 0x0f) << 8 | Byte(bytes, at + 1);
}

// The section that a packet beginning a unit carries, from its table id to
// the end of its section (without the CRC); empty when `table` is not it or
// it does not end in this packet.
std::string_view Section(std::string_view packet, unsigned table) {
  if (PacketPid(packet) < 0 || !BeginsPesPacket(packet)) return {};
  const std::string_view payload = PacketPayload(packet);
  if (payload.empty()) return {};
  const std::size_t at = 1 + Byte(payload, 0);  // after the pointer field
  if (at + 3 > payload.size() || Byte(payload, at) != table) return {};
  const std::size_t length = Length12(payload, at + 1);
  if (length < 4 || at + 3 + length > payload.size()) return {};
  return payload.substr(at, 3 + length - 4);
}

// The CRC of a table section (ISO/IEC 13818-1, annex A: polynomial
// 0x04C11DB7, no reflection, starting from all ones).
std::uint32_t SectionCrc(std::string_view section) {
  std::uint32_t crc = 0xffffffff;
  for (const char byte : section) {
    crc ^= static_cast<std::uint32_t>(static_cast<unsigned char>(byte)) << 24;
    for (int bit = 0; bit < 8; ++bit) crc = crc & 0x80000000 ? crc << 1 ^ 0x04c11db7 : crc << 1;
  }
  return crc;
}

// `section` (its length field set here) and its CRC as the one packet on `pid`.
std::string TablePacket(int pid, std::string section) {
  const std::size_t length = section.size() - 3 + 4;
  section[1] = static_cast<char>((Byte(section, 1) & 0xf0) | (length >> 8 & 0x0f));
  section[2] = static_cast<char>(length & 0xff);
  const std::uint32_t crc = SectionCrc(section);
  for (int shift = 24; shift >= 0; shift -= 8) section += static_cast<char>(crc >> shift & 0xff);
  std::string packet = {0x47, static_cast<char>(0x40 | (pid >> 8 & 0x1f)),
                        static_cast<char>(pid & 0xff), 0x10, 0x00};
  packet += section;
  packet.resize(kTransportPacketBytes, static_cast<char>(0xff));
  return packet;
}

}  // namespace

std::optional<ProgramTablePackets> MakeProgramTables(const TransportProgram& program,
                                                     std::span<const int> pids) {
  const std::string_view mapSection = program.mapSection;
  if (mapSection.size() < 12 || Byte(mapSection, 0) != kPmtTableId) return std::nullopt;
  const std::size_t streams = 12 + Length12(mapSection, 10);
  if (streams > mapSection.size()) return std::nullopt;
  std::string map(mapSection.substr(0, streams));
  // A clock on a PID of its own is not carried: the pieces' clocks are on
  // the first stream's packets.
  if (std::ranges::find(pids, static_cast<int>(Pid13(map, 8))) == pids.end() && !pids.empty()) {
    map[8] = static_cast<char>(0xe0 | (pids.front() >> 8 & 0x1f));
    map[9] = static_cast<char>(pids.front() & 0xff);
  }
  for (std::size_t at = streams; at + 5 <= mapSection.size();) {
    const std::size_t entry = 5 + Length12(mapSection, at + 3);
    if (at + entry > mapSection.size()) return std::nullopt;
    if (std::ranges::find(pids, static_cast<int>(Pid13(mapSection, at + 1))) != pids.end())
      map += mapSection.substr(at, entry);
    at += entry;
  }
  if (map.size() + 4 + 5 > kTransportPacketBytes) return std::nullopt;
  // transport_stream_id 1, version 0, current; one program.
  const std::string association = {0x00,
                                   static_cast<char>(0xb0),
                                   0x00,
                                   0x00,
                                   0x01,
                                   static_cast<char>(0xc1),
                                   0x00,
                                   0x00,
                                   static_cast<char>(program.number >> 8 & 0xff),
                                   static_cast<char>(program.number & 0xff),
                                   static_cast<char>(0xe0 | (program.mapPid >> 8 & 0x1f)),
                                   static_cast<char>(program.mapPid & 0xff)};
  return ProgramTablePackets{TablePacket(0, association), TablePacket(program.mapPid, map)};
}

std::optional<TransportProgram> FindProgramOf(const TransportReader& read, int pid) {
  const std::string head = read(0, kTablesSearched);
  std::vector<TransportProgram> programs;
  for (std::size_t at = 0; at + kTransportPacketBytes <= head.size(); at += kTransportPacketBytes) {
    const std::string_view packet = std::string_view(head).substr(at, kTransportPacketBytes);
    const int packetPid = PacketPid(packet);
    if (packetPid == 0 && programs.empty()) {
      const std::string_view pat = Section(packet, kPatTableId);
      for (std::size_t entry = 8; entry + 4 <= pat.size(); entry += 4) {
        const int number = static_cast<int>(Byte(pat, entry) << 8 | Byte(pat, entry + 1));
        if (number != 0) programs.push_back({number, static_cast<int>(Pid13(pat, entry + 2)), {}});
      }
      continue;
    }
    for (const TransportProgram& program : programs) {
      if (packetPid != program.mapPid) continue;
      const std::string_view pmt = Section(packet, kPmtTableId);
      if (pmt.size() < 12) continue;
      std::size_t stream = 12 + Length12(pmt, 10);
      for (; stream + 5 <= pmt.size(); stream += 5 + Length12(pmt, stream + 3))
        if (static_cast<int>(Pid13(pmt, stream + 1)) == pid)
          return TransportProgram{program.number, program.mapPid, std::string(pmt)};
    }
  }
  return std::nullopt;
}

}  // namespace trellimux
