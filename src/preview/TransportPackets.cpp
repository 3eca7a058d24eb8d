#include "preview/TransportPackets.h"

namespace trellimux {
namespace {

constexpr char kSyncByte = 0x47;
constexpr unsigned char kPayloadUnitStart = 0x40;  // in the header's second byte

}  // namespace

bool IsPlainTransportStream(std::string_view head) {
  if (head.size() < kTransportPacketBytes * kTransportPacketsChecked) return false;
  for (std::size_t packet = 0; packet < kTransportPacketsChecked; ++packet) {
    if (head[packet * kTransportPacketBytes] != kSyncByte) return false;
  }
  return true;
}

int PacketPid(std::string_view packet) {
  if (packet.size() < kTransportPacketBytes || packet[0] != kSyncByte) return -1;
  return (static_cast<unsigned char>(packet[1]) & 0x1f) << 8 | static_cast<unsigned char>(packet[2]);
}

std::size_t NextPesStart(std::string_view packets, int pid) {
  for (std::size_t at = 0; at + kTransportPacketBytes <= packets.size();
       at += kTransportPacketBytes) {
    const std::string_view packet = packets.substr(at, kTransportPacketBytes);
    if (PacketPid(packet) == pid && (static_cast<unsigned char>(packet[1]) & kPayloadUnitStart))
      return at;
  }
  return std::string_view::npos;
}

}  // namespace trellimux
