#include "preview/TransportSeek.h"

#include <array>
#include <string>
#include <string_view>

#include "preview/KeyPictures.h"

namespace trellimux {
namespace {

// Read at each halving step to find a picture's time stamp: first a few
// frames of a broadcast, then more when that falls within a large picture.
// The halving ends when the step is as small as the first read.
constexpr std::size_t kProbeReadBytes[] = {std::size_t{64} << 10, std::size_t{1} << 20};
// Read at a time on the way to the frame.
constexpr std::size_t kScanReadBytes = std::size_t{1} << 20;
// A stream whose time stamps never pass the frame's (a broken one) is not
// read to its end: this is the look back's longest at 20 Mbit/s.
constexpr std::int64_t kMostScannedBytes = std::int64_t{64} << 20;
// Enough of a picture's first bytes to hold its headers up to the first
// slice's (a broadcast's parameter sets and SEI messages come first).
constexpr std::size_t kPictureHeadBytes = 4096;
constexpr std::size_t kPictureHeadRead = std::size_t{64} << 10;
// Key pictures are looked for from this far before the frame, then
// further back, up to the longest GOP the keyframe search allows for.
constexpr std::array<std::int64_t, 3> kLookBackUs = {1'000'000, 4'000'000,
                                                     kKeyframeSearchMs * 1000};

class Search {
 public:
  Search(const TransportReader& read, std::int64_t fileBytes, const TransportVideo& video)
      : read_(read),
        packets_(fileBytes / static_cast<std::int64_t>(kTransportPacketBytes)),
        video_(video),
        startTicks_(PesTicksOf(video.startUs)) {}

  // A packet whose next picture is decoded before `us`, at most the
  // halving's last step before the first one decoded at or after it; 0
  // when none is decoded before it.
  std::int64_t PacketBefore(std::int64_t us) const {
    std::int64_t low = 0, high = packets_;
    const auto step = static_cast<std::int64_t>(kProbeReadBytes[0] / kTransportPacketBytes);
    while (high - low > step) {
      const std::int64_t middle = low + (high - low) / 2;
      const std::optional<std::int64_t> decoded = FirstDecodingUs(middle);
      if (decoded && *decoded < us)
        low = middle;
      else
        high = middle;  // past it, or no picture to tell: look earlier
    }
    return low;
  }

  // The last key picture shown at or before `targetUs` among the pictures
  // from `packet` on, up to the first decoded after it.
  std::optional<Keyframe> LastKeyFrom(std::int64_t packet, std::int64_t targetUs) const {
    std::optional<Keyframe> last;
    VisitPictures(packet, [&](const Keyframe& picture, std::string_view packets) {
      // Every picture decoded later is shown later still.
      if (picture.dts > targetUs) return false;
      if (picture.pts <= targetUs && IsKey(picture, packets)) last = picture;
      return true;
    });
    return last;
  }

  // The first key picture shown at or after `fromUs` among the pictures
  // from `packet` on, up to those decoded kKeyframeSearchMs after it.
  std::optional<Keyframe> FirstKeyFrom(std::int64_t packet, std::int64_t fromUs) const {
    std::optional<Keyframe> first;
    VisitPictures(packet, [&](const Keyframe& picture, std::string_view packets) {
      if (picture.dts > fromUs + kKeyframeSearchMs * 1000) return false;
      if (picture.pts >= fromUs && IsKey(picture, packets)) first = picture;
      return !first;
    });
    return first;
  }

 private:
  // Calls `visit` with the times and first byte of each picture of the
  // video from `packet` on and the packets from its first, until it
  // returns false, the file ends or kMostScannedBytes were read.
  template <typename Visit>
  void VisitPictures(std::int64_t packet, const Visit& visit) const {
    const std::int64_t from = Offset(packet);
    for (std::int64_t offset = from; offset - from < kMostScannedBytes;) {
      std::string block = read_(offset, kScanReadBytes);
      const bool fileEnds = block.size() < kScanReadBytes;
      block.resize(block.size() - block.size() % kTransportPacketBytes);
      const std::string_view bytes = block;
      for (std::size_t at = 0; at < bytes.size(); at += kTransportPacketBytes) {
        const std::string_view packets = bytes.substr(at);
        if (PacketPid(packets) != video_.pid) continue;
        const std::optional<std::int64_t> pts = PesPresentationTime(packets);
        const std::optional<std::int64_t> dts = PesDecodingTime(packets);
        if (!pts || !dts) continue;
        if (!visit(Keyframe{Us(*pts), Us(*dts), offset + static_cast<std::int64_t>(at)}, packets))
          return;
      }
      if (fileEnds) return;
      offset += static_cast<std::int64_t>(bytes.size());
    }
  }

  bool IsKey(const Keyframe& picture, std::string_view packets) const {
    return IsKeyPicture(PictureHead(packets, picture.bytePos), video_.coding);
  }

  static std::int64_t Offset(std::int64_t packet) {
    return packet * static_cast<std::int64_t>(kTransportPacketBytes);
  }

  // The file's microseconds of a time stamp, unwrapped from the start.
  std::int64_t Us(std::int64_t ticks) const {
    return (startTicks_ + PesTicksBetween(ticks, startTicks_)) * 1'000'000 / kPesTicksPerSecond;
  }

  // The decoding time of the first picture from `packet` on.
  std::optional<std::int64_t> FirstDecodingUs(std::int64_t packet) const {
    for (const std::size_t size : kProbeReadBytes) {
      const std::string block = read_(Offset(packet), size);
      const std::string_view bytes = block;
      for (std::size_t at = 0; at + kTransportPacketBytes <= bytes.size();
           at += kTransportPacketBytes) {
        const std::string_view packets = bytes.substr(at);
        if (PacketPid(packets) != video_.pid) continue;
        if (const std::optional<std::int64_t> dts = PesDecodingTime(packets)) return Us(*dts);
      }
    }
    return std::nullopt;
  }

  // The first bytes of the picture whose PES packet `packets` begins.
  std::string PictureHead(std::string_view packets, std::int64_t bytePos) const {
    if (std::optional<std::string> head = PesPayload(packets, kPictureHeadBytes)) return *head;
    return PesPayload(read_(bytePos, kPictureHeadRead), kPictureHeadBytes).value_or("");
  }

  const TransportReader& read_;
  std::int64_t packets_;
  TransportVideo video_;
  std::int64_t startTicks_;
};

}  // namespace

std::optional<Keyframe> FindNextTransportKeyframe(const TransportReader& read,
                                                  std::int64_t fileBytes,
                                                  const TransportVideo& video,
                                                  std::int64_t fromUs) {
  if (video.coding == VideoCoding::Other || video.pid < 0) return std::nullopt;
  const Search search(read, fileBytes, video);
  // A picture shown at `fromUs` is decoded up to a reordering delay before.
  return search.FirstKeyFrom(search.PacketBefore(fromUs - kLookBackUs.front()), fromUs);
}

std::optional<Keyframe> FindTransportKeyframe(const TransportReader& read, std::int64_t fileBytes,
                                              const TransportVideo& video, std::int64_t targetUs) {
  if (video.coding == VideoCoding::Other || video.pid < 0) return std::nullopt;
  const Search search(read, fileBytes, video);
  for (const std::int64_t back : kLookBackUs) {
    const std::int64_t packet = search.PacketBefore(targetUs - back);
    if (std::optional<Keyframe> found = search.LastKeyFrom(packet, targetUs)) return found;
    if (packet == 0) break;
  }
  return std::nullopt;
}

}  // namespace trellimux
