#include "preview/TransportFeed.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

#include "transport/TransportPackets.h"

namespace trellimux {
namespace {

// What is read and written at a time: whole packets, about a frame of a
// broadcast 1080i stream. ffmpeg reads it as it decodes, so after a jump
// at most this and the pipe's buffer of the old place are still decoded.
constexpr std::size_t kFeedBlockBytes = 174 * kTransportPacketBytes;
// How far the file is read to gather a picture's PES packet: first as far
// as a broadcast's B picture with the other streams' packets between
// reaches, then many times that. One that does not end within it is fed.
constexpr std::size_t kPesSpansRead[] = {std::size_t{64} << 10, std::size_t{1} << 20};

// In decoding order no picture comes more than this before others shown
// later: past it nothing is left out until the next jump.
constexpr std::int64_t kReorderTicks = 2 * kPesTicksPerSecond;

}  // namespace

TransportFeed::TransportFeed(Reader read, VideoCoding coding)
    : read_(std::move(read)), coding_(coding) {}

void TransportFeed::JumpTo(const Jump& jump) {
  pending_ = jump;
  pendingPid_ = PacketPid(read_(jump.bytePos, kTransportPacketBytes));
}

void TransportFeed::Begin(const Jump& jump) {
  at_ = jump.bytePos;
  videoPid_ = pendingPid_;
  leaveOutBeforeUs_ = coding_ == VideoCoding::Other ? std::nullopt : jump.leaveOutBeforeUs;
  leavingOut_ = false;
  leftOut_ = {jump.serial, {}};
}

std::string TransportFeed::Next() {
  for (;;) {
    std::string block = read_(at_, kFeedBlockBytes);
    block.resize(block.size() - block.size() % kTransportPacketBytes);
    const std::string_view bytes = block;
    if (pending_) {
      // A frame under way that is left out needs no end; nor does one of a
      // stream that cannot be told.
      const bool atOnce = pendingPid_ < 0 || (leavingOut_ && pendingPid_ == videoPid_);
      const std::size_t frameEnd = atOnce ? 0 : NextPesStart(bytes, pendingPid_);
      if (frameEnd != std::string_view::npos || bytes.empty()) {
        std::string fed = Fed(bytes.substr(0, std::min(frameEnd, bytes.size())), at_);
        Begin(*std::exchange(pending_, std::nullopt));
        if (!fed.empty()) return fed;
        continue;
      }
    }
    if (bytes.empty()) return {};
    std::string fed = Fed(bytes, at_);
    at_ += static_cast<std::int64_t>(bytes.size());
    if (!fed.empty()) return fed;  // else all of it was left out: read on
  }
}

TransportFeed::LeftOut TransportFeed::TakeLeftOut() {
  LeftOut taken{leftOut_.jump, std::move(leftOut_.microseconds)};
  leftOut_.microseconds.clear();
  return taken;
}

std::string TransportFeed::Fed(std::string_view block, std::int64_t offset) {
  std::string fed;
  fed.reserve(block.size());
  for (std::size_t at = 0; at + kTransportPacketBytes <= block.size();
       at += kTransportPacketBytes) {
    const std::string_view packet = block.substr(at, kTransportPacketBytes);
    if (videoPid_ >= 0 && PacketPid(packet) == videoPid_) {
      if (BeginsPesPacket(packet))
        leavingOut_ = LeavesOut(packet, offset + static_cast<std::int64_t>(at));
      if (leavingOut_) continue;
    }
    fed += packet;
  }
  return fed;
}

bool TransportFeed::LeavesOut(std::string_view packet, std::int64_t offset) {
  if (!leaveOutBeforeUs_) return false;
  const std::optional<std::int64_t> pts = PesPresentationTime(packet);
  if (!pts) return false;
  const std::int64_t before = PesTicksBetween(*pts, PesTicksOf(*leaveOutBeforeUs_));
  if (before >= kReorderTicks) {
    leaveOutBeforeUs_.reset();
    return false;
  }
  if (before >= 0) return false;
  std::optional<std::string> payload;
  for (const std::size_t span : kPesSpansRead) {
    if ((payload = PesPayload(read_(offset, span)))) break;
  }
  if (!payload || !IsDisposablePicture(*payload, coding_)) return false;
  leftOut_.microseconds.push_back(*leaveOutBeforeUs_ + std::llround(static_cast<double>(before) *
                                                                    1000000 / kPesTicksPerSecond));
  return true;
}

}  // namespace trellimux
