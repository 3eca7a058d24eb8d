#include "transport/ProgramTables.h"

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

}  // namespace

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
        if (number != 0) programs.push_back({number, static_cast<int>(Pid13(pat, entry + 2))});
      }
      continue;
    }
    for (const TransportProgram& program : programs) {
      if (packetPid != program.mapPid) continue;
      const std::string_view pmt = Section(packet, kPmtTableId);
      if (pmt.size() < 12) continue;
      std::size_t stream = 12 + Length12(pmt, 10);
      for (; stream + 5 <= pmt.size(); stream += 5 + Length12(pmt, stream + 3))
        if (static_cast<int>(Pid13(pmt, stream + 1)) == pid) return program;
    }
  }
  return std::nullopt;
}

}  // namespace trellimux
